#include "FailDevice.h"
#include "base/Messages.h"
#include "import/ZUSImport.h"
#include "model/Import.h"

#include <QBuffer>
#include <QTest>

namespace {
// A well-formed export line with the given amount, payer account, date and title.
QString line(const QString &amount = QStringLiteral("0000012345"), const QString &payer = QStringLiteral("\"12102010260000150201234567\""),
             const QString &date = QStringLiteral("20050101"), const QString &title = QStringLiteral("\"1234567890|P12345678901|S20050101|DEC\""),
             const QString &name = QStringLiteral("\"Firma Żbik\""))
{
    return QStringLiteral("x,%1,%2,a,b,%3,\"1010102300002613951000\",%4,c,d,e,%5,f").arg(date, amount, payer, name, title);
}
} // namespace

class TestZusImport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void amounts_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("text");
        QTest::newRow("000000100") << "000000100" << 0 << "1,00";
        QTest::newRow("50") << "50" << 0 << "0,50";
        QTest::newRow("7") << "7" << 0 << "0,07";
        QTest::newRow("12345") << "0000012345" << 0 << "123,45";
        QTest::newRow("letters") << "12a" << 1 << "";
        QTest::newRow("empty") << "" << 1 << "";
        QTest::newRow("overflow") << "99999999999999999999999" << 1 << "";
        QTest::newRow("minus") << "-5" << 1 << "";
    }
    void amounts()
    {
        QFETCH(QString, field);
        QFETCH(int, result);
        QFETCH(QString, text);
        CPrzelewDane o;
        QCOMPARE(int(CZUSImport::ParseLine(line(field), o)), result);
        if (result == 0)
            QCOMPARE(o.amount.toTwoDecimalText(), text);
    }

    void fieldsOfAGoodLine()
    {
        CPrzelewDane o;
        QCOMPARE(int(CZUSImport::ParseLine(line(), o)), 0);
        QCOMPARE(o.kind, int(KindZus));
        QCOMPARE(o.recipient1, QStringLiteral("Zakład Ubezpieczeń Społecznych"));
        QCOMPARE(o.date.toIsoText(), QStringLiteral("2005-01-01"));
        QCOMPARE(o.isTransfer, 1);
        QCOMPARE(o.senderAccount, QStringLiteral("12102010260000150201234567"));
        QCOMPARE(o.bankNumber, QStringLiteral("10101023"));
        QCOMPARE(o.accountRest, QStringLiteral("00002613951000"));
        QVERIFY(o.checkDigits.isEmpty());
        QCOMPARE(o.sender1, QStringLiteral("Firma Żbik"));
        QCOMPARE(o.payerId, QStringLiteral("1234567890"));
        QCOMPARE(o.idType, 1);
        QCOMPARE(o.supplementaryId, QStringLiteral("12345678901"));
        QCOMPARE(o.paymentType, 0);
        QCOMPARE(o.declaration, QStringLiteral("200501"));
        QCOMPARE(o.declarationNo, QStringLiteral("01"));
        QCOMPARE(o.zusAccountType, 1);
        QCOMPARE(o.title1, QStringLiteral("Należność z tytułu składek na ubezpieczenie społeczne"));
        QVERIFY(o.title2.isEmpty());
    }

    void oddLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("transfer");
        QTest::addColumn<QString>("senderAccount");
        QTest::addColumn<QString>("sender1");
        QTest::addColumn<QString>("payerId");
        QTest::addColumn<QString>("declaration");
        QTest::addColumn<bool>("dated");
        QTest::newRow("cash deposit") << line(QStringLiteral("12005"), QStringLiteral("\"\"")) << 0 << 0 << "jed*dwa*zer* 5/100" << "Firma Żbik" << "1234567890" << "200501" << true;
        // The shifted title field is "e": no digit of a NIP in it.
        QTest::newRow("comma in the name shifts fields") << line(QStringLiteral("100"), QStringLiteral("\"1\""), QStringLiteral("20050101"), QStringLiteral("\"T\""), QStringLiteral("\"Kowalski, Jan\""))
            << 0 << 1 << "1" << "Kowalski" << "" << "" << true;
        QTest::newRow("month 13") << line(QStringLiteral("100"), QStringLiteral("\"1\""), QStringLiteral("20051301")) << 0 << 1 << "1" << "Firma Żbik" << "1234567890" << "200501" << false;
        QTest::newRow("title without bars") << line(QStringLiteral("100"), QStringLiteral("\"1\""), QStringLiteral("20050101"), QStringLiteral("\"1234567890\"")) << 0 << 1 << "1" << "Firma Żbik" << "1234567890" << "" << true;
        QTest::newRow("title with one bar") << line(QStringLiteral("100"), QStringLiteral("\"1\""), QStringLiteral("20050101"), QStringLiteral("\"123|R99\"")) << 0 << 1 << "1" << "Firma Żbik" << "123" << "" << true;
        QTest::newRow("ends before field 11") << QStringLiteral("x,20050101,500,a,b,\"\",\"10101023\"") << 0 << 0 << "pie*" << "" << "" << "" << true;
        QTest::newRow("only two fields") << QStringLiteral("x,20050101") << 1 << 0 << "" << "" << "" << "" << false;
        QTest::newRow("empty") << QString() << 1 << 0 << "" << "" << "" << "" << false;
        QTest::newRow("long name is cut") << line(QStringLiteral("1"), QStringLiteral("\"1\""), QStringLiteral("20050101"), QStringLiteral("\"|\""), QString(80, u'N'))
            << 0 << 1 << "1" << QString(54, u'N') << "" << "" << true;
    }
    void oddLines()
    {
        QFETCH(QString, text);
        QFETCH(int, result);
        QFETCH(int, transfer);
        QFETCH(QString, senderAccount);
        QFETCH(QString, sender1);
        QFETCH(QString, payerId);
        QFETCH(QString, declaration);
        QFETCH(bool, dated);
        CPrzelewDane o;
        QCOMPARE(int(CZUSImport::ParseLine(text, o)), result);
        if (result != 0)
            return;
        QCOMPARE(o.isTransfer, transfer);
        QCOMPARE(o.senderAccount, senderAccount);
        QCOMPARE(o.sender1, sender1);
        QCOMPARE(o.payerId, payerId);
        QCOMPARE(o.declaration, declaration);
        QCOMPARE(o.date.isValid(), dated);
    }

    void nipDigitsAndReportedCuts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("payerId");
        QTest::addColumn<QStringList>("shortened");
        const QString account = QStringLiteral("\"12102010260000150201234567\"");
        const QString date = QStringLiteral("20050101");
        auto title = [](const QString &nip, const QString &supplementary = QStringLiteral("12345678901")) {
            return QStringLiteral("\"%1|P%2|S20050101\"").arg(nip, supplementary);
        };
        QTest::newRow("NIP with dashes taken whole") << line(QStringLiteral("100"), account, date, title(QStringLiteral("526-025-09-95")))
                                                     << "5260250995" << QStringList {};
        QTest::newRow("NIP with blanks") << line(QStringLiteral("100"), account, date, title(QStringLiteral("526 025 09 95")))
                                         << "5260250995" << QStringList {};
        QTest::newRow("NIP with a country prefix") << line(QStringLiteral("100"), account, date, title(QStringLiteral("PL5260250995")))
                                                   << "5260250995" << QStringList {"NIP płatnika"};
        QTest::newRow("NIP of eleven digits") << line(QStringLiteral("100"), account, date, title(QStringLiteral("52602509951")))
                                              << "5260250995" << QStringList {"NIP płatnika"};
        QTest::newRow("name of 60 characters") << line(QStringLiteral("100"), account, date, title(QStringLiteral("5260250995")), QString(60, u'N'))
                                               << "5260250995" << QStringList {"nazwa płatnika"};
        QTest::newRow("payer account of 60") << line(QStringLiteral("100"), QString(60, u'1'), date, title(QStringLiteral("5260250995")))
                                             << "5260250995" << QStringList {"rachunek płatnika"};
        QTest::newRow("supplementary identifier of 15") << line(QStringLiteral("100"), account, date, title(QStringLiteral("5260250995"), QString(15, u'7')))
                                                        << "5260250995" << QStringList {"drugi identyfikator płatnika"};
        QTest::newRow("words of a huge deposit") << line(QStringLiteral("9999999999999999"), QStringLiteral("\"\""), date, title(QStringLiteral("5260250995")))
                                                 << "5260250995" << QStringList {"kwota słownie"};
        QTest::newRow("several at once") << line(QStringLiteral("100"), account, date, title(QStringLiteral("52-60-25-09-95-1")), QString(55, u'N'))
                                         << "5260250995" << QStringList {"nazwa płatnika", "NIP płatnika"};
    }
    void nipDigitsAndReportedCuts()
    {
        QFETCH(QString, text);
        QFETCH(QString, payerId);
        QFETCH(QStringList, shortened);
        CPrzelewDane o;
        QStringList changed;
        QCOMPARE(int(CZUSImport::ParseLine(text, o, &changed)), 0);
        QCOMPARE(o.payerId, payerId);
        QCOMPARE(changed, shortened);
        // Whatever was cut, the order can be saved.
        QByteArray out;
        QVERIFY(CImport::FormatRecord(o, 5, out, nullptr));
    }

    void recipientAccountRestCutIsReported()
    {
        const QString text = QStringLiteral("x,20050101,100,a,b,\"1\",\"10101023%1\",\"Firma\",c,d,e,\"5260250995|P1|S20050101\",f")
                                 .arg(QString(40, u'0'));
        CPrzelewDane o;
        QStringList changed;
        QCOMPARE(int(CZUSImport::ParseLine(text, o, &changed)), 0);
        QCOMPARE(o.accountRest, QString(34, u'0'));
        QCOMPARE(changed, QStringList {"rachunek ZUS"});
    }

    void readAllNamesTheShortenedLines()
    {
        QBuffer b;
        b.setData((line() + QStringLiteral("\r\nzly\r\n") + line(QStringLiteral("100"), QStringLiteral("\"1\""), QStringLiteral("20050101"),
                                                              QStringLiteral("\"1|P1|S\""), QString(70, u'K')))
                      .toLatin1());
        b.open(QIODevice::ReadOnly);
        CZUSImport reader;
        reader.OpenDevice(&b);
        const ZusReadOutcome out = reader.ReadAll();
        QVERIFY(!out.readFailed);
        QCOMPARE(out.orders.size(), size_t(2));
        QCOMPARE(out.shortened.size(), size_t(1));
        QCOMPARE(out.shortened[0].line, 3);
        QCOMPARE(out.shortened[0].payer, QString(54, u'K'));
        QCOMPARE(out.shortened[0].fields, QStringList {"nazwa płatnika"});
        // Every imported ZUS order goes to a fund account closed since 2018.
        QCOMPARE(out.toClosedAccounts, 2);
        QCOMPARE(out.closedSince, QDate(2018, 1, 1));
    }

    void closedAccountsLineCountsInPolish_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("start");
        for (const auto &[count, start] : {std::pair {1, "1 przelew "}, {2, "2 przelewy "}, {4, "4 przelewy "},
                                            {5, "5 przelewów "}, {12, "12 przelewów "}, {22, "22 przelewy "},
                                            {114, "114 przelewów "}, {1000, "1000 przelewów "}})
            QTest::addRow("%d", count) << count << QString::fromUtf8(start);
    }
    void closedAccountsLineCountsInPolish()
    {
        QFETCH(int, count);
        QFETCH(QString, start);
        const QString text = Msg::toClosedZusAccounts(count, QDate(2018, 1, 1));
        QVERIFY2(text.startsWith(start + QStringLiteral("na rachunki ZUS zamknięte 1.01.2018")), qPrintable(text));
    }

    void readErrorImportsNothing_data()
    {
        QTest::addColumn<int>("failAfter");   // bytes given before reads fail; -1 never
        QTest::addColumn<int>("orders");
        QTest::addColumn<bool>("failed");
        const int one = int(line().toLatin1().size()) + 2;
        QTest::newRow("fails at once") << 0 << 0 << true;
        QTest::newRow("fails after two whole lines") << 2 * one << 0 << true;
        QTest::newRow("fails inside the third line") << 2 * one + 40 << 0 << true;
        QTest::newRow("never fails") << -1 << 3 << false;
    }
    void readErrorImportsNothing()
    {
        QFETCH(int, failAfter);
        QFETCH(int, orders);
        QFETCH(bool, failed);
        const QByteArray l = line().toLatin1() + "\r\n";
        FailReadDevice device(failAfter);
        device.setData(l + l + l);
        device.open(QIODevice::ReadOnly);
        CZUSImport reader;
        reader.OpenDevice(&device);
        const ZusReadOutcome out = reader.ReadAll();
        QCOMPARE(out.readFailed, failed);
        QCOMPARE(int(out.orders.size()), orders);
        QCOMPARE(reader.readFailed(), failed);
    }

    void readsAFileLineByLine()
    {
        QBuffer b;
        b.setData(QByteArray((line() + QStringLiteral("\r\n\r\n")).toUtf8()).replace("\xC5\xBB", "\xAF")
                  + line(QStringLiteral("7")).toUtf8().replace("\xC5\xBB", "\xAF"));
        b.open(QIODevice::ReadOnly);
        CZUSImport reader;
        reader.OpenDevice(&b);
        CPrzelewDane o;
        QCOMPARE(int(reader.ReadNext(o)), 0);
        QCOMPARE(o.sender1, QStringLiteral("Firma Żbik")); // Windows-1250 on disk
        QCOMPARE(int(reader.ReadNext(o)), 1);              // the empty line
        QCOMPARE(int(reader.ReadNext(o)), 0);              // last line without a line end
        QCOMPARE(o.amount.toTwoDecimalText(), QStringLiteral("0,07"));
        o.recipient2 = QStringLiteral("untouched");
        QCOMPARE(int(reader.ReadNext(o)), 2);
        QCOMPARE(o.recipient2, QStringLiteral("untouched"));
        QVERIFY(!reader.Open(QStringLiteral("/no/such/file")));
    }
};

QTEST_GUILESS_MAIN(TestZusImport)
#include "test_zus_import.moc"
