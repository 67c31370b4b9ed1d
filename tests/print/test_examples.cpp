// The sample orders in examples/ are written by this test's generator with
// the project's own writer; the test keeps the file and the generator equal.
// KANTOMIX_WRITE_EXAMPLES=1 rewrites the file.

#include "model/Import.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

CPrzelewDane order(int kind, int isTransfer)
{
    CPrzelewDane r;
    r.SetKind(kind);
    r.isTransfer = isTransfer;
    r.currency = QStringLiteral("PLN");
    r.date = COrderDate::fromParts(2026, 12, 8);
    return r;
}

QList<CPrzelewDane> sampleOrders()
{
    QList<CPrzelewDane> out;

    CPrzelewDane t = order(KindOrdinary, 1);
    t.recipient1 = QStringLiteral("P.H. \"ŻAGIEL\" SP. Z O.O.");
    t.recipient2 = QStringLiteral("UL. DŁUGA 12, 80-827 GDAŃSK");
    t.checkDigits = QStringLiteral("08");
    t.bankNumber = QStringLiteral("10201811");
    t.accountRest = QStringLiteral("0000061209876543");
    t.senderAccount = QStringLiteral("PL61 1090 1014 0000 0712 1981 2874");
    t.sender1 = QStringLiteral("JAN KOWALSKI");
    t.sender2 = QStringLiteral("UL. KRÓTKA 5/7, WARSZAWA");
    t.title1 = QStringLiteral("FAKTURA VAT 123/12/2026");
    t.title2 = QStringLiteral("ZA DOSTAWĘ ŁODZI");
    t.amount = CWexOleCurrency::fromUnits(1234, 5000);
    t.symbol = QStringLiteral("06");
    out.append(t);

    CPrzelewDane d = order(KindOrdinary, 0);
    d.recipient1 = QStringLiteral("SM \"ŚWIT\" W KRAKOWIE");
    d.recipient2 = QStringLiteral("UL. POLNA 3, 30-001 KRAKÓW");
    d.checkDigits = QStringLiteral("96");
    d.bankNumber = QStringLiteral("11402004");
    d.accountRest = QStringLiteral("0000330200123456");
    d.amount = CWexOleCurrency::fromUnits(389, 700);
    QString words;
    d.AmountInDigitWords(words);
    d.senderAccount = words.left(54);
    d.sender1 = QStringLiteral("ANNA NOWAK");
    d.sender2 = QStringLiteral("UL. POLNA 3 M. 14, KRAKÓW");
    d.title1 = QStringLiteral("CZYNSZ ZA GRUDZIEŃ 2026");
    d.symbol = QStringLiteral("06");
    out.append(d);

    CPrzelewDane z = order(KindZus, 1);
    z.SetZUSTitle(1);
    z.zusAccountType = 1;
    const QString zusAccount = CPrzelewDane::ZusAccount(1);
    z.checkDigits = zusAccount.left(2);
    z.bankNumber = zusAccount.mid(2, 8);
    z.accountRest = zusAccount.mid(10);
    z.amount = CWexOleCurrency::fromUnits(1600, 3200);
    z.senderAccount = QStringLiteral("61109010140000071219812874");
    z.sender1 = QStringLiteral("BIURO RACHUNKOWE \"BILANS\"");
    z.payerId = QStringLiteral("5260250995");
    z.idType = CPrzelewDane::IdTypeFromLetter(u'R');
    z.supplementaryId = QStringLiteral("012345678");
    z.paymentType = CPrzelewDane::PaymentTypeFromLetter(u'S');
    z.declarationNo = QStringLiteral("01");
    z.declaration = QStringLiteral("112026");
    z.symbol = QStringLiteral("00");
    out.append(z);

    CPrzelewDane x = order(KindTax, 1);
    x.recipient1 = QStringLiteral("PIERWSZY US W GDAŃSKU");
    x.recipient2 = QStringLiteral("UL. ŻAGLOWA 11, GDAŃSK");
    x.checkDigits = QStringLiteral("08");   // the number checks: the sample prints without a warning
    x.bankNumber = QStringLiteral("10101140");
    x.accountRest = QStringLiteral("0161452223000000");
    x.senderAccount = QStringLiteral("61 1090 1014 0000 0712 1981 2874");
    x.sender1 = QStringLiteral("JAN KOWALSKI");
    x.sender2 = QStringLiteral("UL. KRÓTKA 5/7, WARSZAWA");
    x.payerId = QStringLiteral("5260001246");
    x.idType = CPrzelewDane::IdTypeFromLetter(u'N');
    x.taxPeriod = QStringLiteral("26M11");
    x.taxFormSymbol = QStringLiteral("VAT-7");
    x.obligationId = QStringLiteral("DEKLARACJA VAT-7");
    x.amount = CWexOleCurrency::fromUnits(4321, 0);
    x.symbol = QStringLiteral("06");
    out.append(x);

    CPrzelewDane xd = x;
    xd.isTransfer = 0;
    xd.amount = CWexOleCurrency::fromUnits(250, 0);
    xd.AmountInDigitWords(words);
    xd.senderAccount = words.left(54);
    xd.taxFormSymbol = QStringLiteral("PIT-37");
    xd.taxPeriod = QStringLiteral("25R");
    xd.obligationId = QString();
    out.append(xd);
    return out;
}

QByteArray writeOrders(const QString &path)
{
    CImport w;
    if (!w.Open(path, QIODevice::WriteOnly) || !w.WriteHeader(CImport::kCurrentVersion))
        return {};
    w.setVersion(CImport::kCurrentVersion);
    for (const CPrzelewDane &r : sampleOrders())
        if (!w.WriteRecord(r))
            return {};
    w.Close();
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestExamples : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sampleFileMatchesItsGenerator()
    {
        const QString examplePath = QStringLiteral(KANTOMIX_EXAMPLES "/orders.txt");
        QTemporaryDir dir;
        const QByteArray generated = writeOrders(dir.filePath(QStringLiteral("orders.txt")));
        QVERIFY(!generated.isEmpty());
        if (qEnvironmentVariableIsSet("KANTOMIX_WRITE_EXAMPLES")) {
            QFile out(examplePath);
            QVERIFY(out.open(QIODevice::WriteOnly));
            QCOMPARE(out.write(generated), generated.size());
        }
        QFile f(examplePath);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), generated);
    }

    void everyLineOfTheSampleFileIsRead()
    {
        CImport r;
        QVERIFY(r.Open(QStringLiteral(KANTOMIX_EXAMPLES "/orders.txt"), QIODevice::ReadOnly));
        QList<CPrzelewDane> read;
        CPrzelewDane rec;
        CImport::ReadResult res;
        while ((res = r.ReadRecord(rec)) != CImport::EndOfFile) {
            QCOMPARE(res, CImport::RecordRead);
            read.append(rec);
        }
        const QList<CPrzelewDane> expected = sampleOrders();
        QCOMPARE(read.size(), expected.size());
        for (int i = 0; i < read.size(); ++i) {
            QCOMPARE(read[i].kind, expected[i].kind);
            QCOMPARE(read[i].isTransfer, expected[i].isTransfer);
            QCOMPARE(read[i].amount.toTwoDecimalText(), expected[i].amount.toTwoDecimalText());
            QCOMPARE(read[i].sender1, expected[i].sender1);
        }
    }
};

QTEST_GUILESS_MAIN(TestExamples)
#include "test_examples.moc"
