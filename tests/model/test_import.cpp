#include "model/Cp1250.h"
#include "model/Import.h"
#include "FailDevice.h"
#include "FileBytes.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>

namespace {

QList<CPrzelewDane> readAll(CImport &reader, QList<int> *results = nullptr)
{
    QList<CPrzelewDane> out;
    CPrzelewDane r;
    for (int guard = 0; guard < 1000000; ++guard) {
        const auto res = reader.ReadRecord(r);
        if (results)
            results->append(res);
        if (res == CImport::EndOfFile || res == CImport::OldFormat)
            break;
        if (res == CImport::RecordRead)
            out.append(r);
    }
    return out;
}

QList<CPrzelewDane> readBytes(const QByteArray &bytes, int *version = nullptr, QList<int> *results = nullptr)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    CImport reader;
    reader.OpenDevice(&buffer);
    auto out = readAll(reader, results);
    if (version)
        *version = reader.version();
    return out;
}

QByteArray pad(const QByteArray &s, int width) { return s + QByteArray(width - s.size(), ' '); }

// An ordinary body (456 columns) with the given transfer flag, amount and date.
QByteArray ordinaryBody(char flag = 'P', const QByteArray &amount = "1234,56", const QByteArray &date = "2026-12-01")
{
    return pad("Odbiorca", 54) + pad("", 54) + "12" + "10101023" + pad("1234567890123456", 34) + flag + "PLN"
        + pad(amount, 20) + pad("", 54) + pad("Nadawca", 54) + pad("", 54) + pad("Tytul", 54) + pad("", 54)
        + pad(date, 10);
}

QByteArray zusBodyNew(char type = '2')
{
    return QByteArray(1, type) + "P" + pad("10,00", 20) + pad("", 54) + pad("Platnik", 54) + pad("", 54)
        + pad("1234567890", 10) + "P" + pad("81010112345", 14) + "M" + "112026" + "01" + pad("", 10)
        + pad("DEC", 15);
}

} // namespace

class TestImport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void roundTripIsByteExact_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("count");
        QTest::newRow("v1") << "orders_v1.txt" << 1 << 2;
        QTest::newRow("v2") << "orders_v2.zmt" << 2 << 4;
        QTest::newRow("v3") << "orders_v3.zmt" << 3 << 4;
        QTest::newRow("v4") << "orders_v4.zmt" << 4 << 4;
        QTest::newRow("v5") << "orders_v5.zmt" << 5 << 6;
    }
    void roundTripIsByteExact()
    {
        QFETCH(QString, file);
        QFETCH(int, version);
        QFETCH(int, count);
        const QString path = QStringLiteral(KANTOMIX_TEST_DATA "/") + file;
        const QByteArray original = readFile(path);
        QVERIFY(!original.isEmpty());

        CImport reader;
        QVERIFY(reader.Open(path, QIODevice::ReadOnly));
        const auto orders = readAll(reader);
        QCOMPARE(reader.version(), version);
        QCOMPARE(orders.size(), count);

        QBuffer out;
        out.open(QIODevice::WriteOnly);
        CImport writer;
        writer.OpenDevice(&out);
        QVERIFY(writer.WriteHeader(version));
        for (const auto &o : orders)
            QVERIFY2(writer.WriteRecord(o), qPrintable(writer.errorString()));
        QVERIFY(writer.Flush());
        QCOMPARE(out.data(), original);
    }

    void fieldsReadFromColumns()
    {
        CImport reader;
        QVERIFY(reader.Open(QStringLiteral(KANTOMIX_TEST_DATA "/orders_v5.zmt"), QIODevice::ReadOnly));
        const auto o = readAll(reader);
        QCOMPARE(o.size(), 6);
        QCOMPARE(o[0].recipient1, QStringLiteral("Przedsiębiorstwo Handlowe „Źródło” Sp. z o.o."));
        QCOMPARE(o[0].reference, QStringLiteral("A-17    "));
        QCOMPARE(o[0].AccountNumberText(), QStringLiteral("12-10101023-1234567890123456"));
        QCOMPARE(o[0].amount.value(), int64_t(12345000));
        QCOMPARE(o[0].date.toIsoText(), QStringLiteral("2026-11-30"));
        QCOMPARE(o[1].isTransfer, 0);
        QVERIFY(!o[1].date.isValid());
        QCOMPARE(o[2].kind, int(KindZus));
        QCOMPARE(o[2].zusAccountType, 1);
        QCOMPARE(o[2].checkDigits + o[2].bankNumber + o[2].accountRest, QStringLiteral("83101010230000261395100000"));
        QCOMPARE(o[2].title1, QStringLiteral("Należność z tytułu składek na ubezpieczenie społeczne"));
        QCOMPARE(o[3].idType, 1);
        QCOMPARE(o[3].paymentType, 1);
        QCOMPARE(o[3].supplementaryId, QStringLiteral("81010112345   "));
        QCOMPARE(o[3].title2, QStringLiteral("DEC/12/2026"));
        QCOMPARE(o[4].kind, int(KindTax));
        QCOMPARE(o[4].kindName, QStringLiteral("Podatki"));
        QCOMPARE(o[4].taxPeriod, QStringLiteral("26M11"));
        QCOMPARE(o[4].taxFormSymbol, QStringLiteral("VAT7"));
        QCOMPARE(o[4].idType, 4);

        // ZUS of a version 3 file: account type from the end of the account rest.
        QVERIFY(reader.Open(QStringLiteral(KANTOMIX_TEST_DATA "/orders_v3.zmt"), QIODevice::ReadOnly));
        const auto v3 = readAll(reader);
        QCOMPARE(v3[2].zusAccountType, 1);
        QCOMPARE(v3[3].zusAccountType, 2);
        QCOMPARE(v3[3].accountRest, QStringLiteral("390452"));
    }

    void headerDetection_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("version");
        QTest::addColumn<int>("records");
        QTest::newRow("ver=05") << QByteArray("ver=05\r\n00" + pad("", 10) + ordinaryBody() + "\r\n") << 5 << 1;
        QTest::newRow("VER=05") << QByteArray("VER=05\n00" + pad("", 10) + ordinaryBody() + "\n") << 5 << 1;
        QTest::newRow("no header, version 1") << QByteArray(ordinaryBody() + "\r\n" + ordinaryBody('W')) << 1 << 2;
        QTest::newRow("six characters, no header") << QByteArray("abcdef\n" + ordinaryBody()) << 1 << 1;
        QTest::newRow("empty file") << QByteArray() << 1 << 0;
        QTest::newRow("header only") << QByteArray("ver=05") << 5 << 0;
    }
    void headerDetection()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, version);
        QFETCH(int, records);
        int v = 0;
        QCOMPARE(readBytes(bytes, &v).size(), records);
        QCOMPARE(v, version);
    }

    // What one line reads as: the result, the reason it was passed over, and
    // of an order read its transfer flag, amount (in 1/10000) and date.
    void lineResults_data()
    {
        QTest::addColumn<int>("version");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("reason");
        QTest::addColumn<QString>("read");
        using P = CImport::LineProblem;
        const QByteArray head00 = "00" + pad("", 10);
        const auto ordinary = [&](char flag, const QByteArray &amount, const QByteArray &date) {
            return head00 + ordinaryBody(flag, amount, date);
        };
        QTest::newRow("ordinary") << 5 << head00 + ordinaryBody() << 0 << int(P::None) << "1 12345600 2026-12-01";
        QTest::newRow("p, amount in blanks") << 5 << ordinary('p', "  1234,56  ", "2026-12-01") << 0 << int(P::None)
                                             << "1 12345600 2026-12-01";
        QTest::newRow("W, one decimal, no date") << 5 << ordinary('W', "12,5", "") << 0 << int(P::None) << "0 120500 ";
        QTest::newRow("blank flag, 30 February") << 5 << ordinary(' ', "12,50", "2026-02-30") << 0 << int(P::None)
                                                 << "0 125000 ";
        QTest::newRow("short date") << 5 << ordinary('P', "0,07", "2026-1-1") << 0 << int(P::None) << "1 700 ";
        QTest::newRow("negative, garbage date") << 5 << ordinary('P', "-0,50", "garbage!!!") << 0 << int(P::None)
                                                << "1 -5000 ";
        QTest::newRow("zus 255 in v5") << 5 << "01" + pad("", 10) + zusBodyNew() << 0 << int(P::None) << "1 100000 ";
        QTest::newRow("zus 255 in v3 has the wrong length") << 3 << "01" + pad("", 10) + zusBodyNew() << 1
                                                            << int(P::WrongLength) << "";
        QTest::newRow("tax in v4 is old format") << 4 << QByteArray("02") << 3 << int(P::KindNotInVersion) << "";
        QTest::newRow("unknown kind") << 5 << "03" + pad("", 10) + ordinaryBody() << 1 << int(P::UnknownKind) << "";
        QTest::newRow("empty line") << 5 << QByteArray() << 1 << int(P::UnknownKind) << "";
        QTest::newRow("one character short") << 5 << head00 + ordinaryBody().chopped(1) << 1 << int(P::WrongLength) << "";
        QTest::newRow("amount without comma") << 5 << head00 + ordinaryBody('P', "1234") << 1 << int(P::NotAnAmount) << "";
        QTest::newRow("amount too large") << 5 << head00 + ordinaryBody('P', "99999999999999999,00") << 1 << int(P::NotAnAmount)
                                          << "";
        QTest::newRow("grouped amount") << 5 << head00 + ordinaryBody('P', "1 234,50") << 1 << int(P::NotAnAmount) << "";
        QTest::newRow("amount with three decimals") << 5 << head00 + ordinaryBody('P', "12,500") << 1 << int(P::NotAnAmount) << "";
        QTest::newRow("NUL bytes") << 5 << QByteArray(468, '\0') << 1 << int(P::UnknownKind) << "";
    }
    void lineResults()
    {
        QFETCH(int, version);
        QFETCH(QByteArray, line);
        QFETCH(int, result);
        QFETCH(int, reason);
        QFETCH(QString, read);
        CPrzelewDane r;
        QCOMPARE(int(CImport::ParseLine(QString::fromLatin1(line), version, r)), result);
        if (result == CImport::RecordRead)
            QCOMPARE(QStringLiteral("%1 %2 %3").arg(r.isTransfer).arg(r.amount.value()).arg(r.date.toIsoText()), read);
        CImport::LineProblem problem;
        QCOMPARE(int(CImport::ParseLine(QString::fromLatin1(line), version, r, &problem)), result);
        QCOMPARE(int(problem.reason), reason);
        QCOMPARE(CImport::problemText(problem, version).isEmpty(), reason == int(CImport::LineProblem::None));
    }

    void readerCountsLinesAndSaysWhy()
    {
        const QByteArray head00 = "00" + pad("", 10);
        QBuffer in;
        in.setData("ver=05\r\n" + head00 + ordinaryBody() + "\r\n" + head00 + ordinaryBody('P', "1e3,00")
                   + "\r\n\r\n" + head00 + ordinaryBody() + "\n");
        in.open(QIODevice::ReadOnly);
        CImport reader;
        QVERIFY(reader.OpenDevice(&in));
        CPrzelewDane r;
        QList<int> results;
        QStringList why;
        for (CImport::ReadResult res; (res = reader.ReadRecord(r)) != CImport::EndOfFile;) {
            results << int(res);
            why << QStringLiteral("%1: %2").arg(reader.lineNumber())
                       .arg(CImport::problemText(reader.lastProblem(), reader.version()));
        }
        QCOMPARE(results, QList<int>({0, 1, 1, 0}));
        QCOMPARE(why, QStringList({QStringLiteral("2: "), QStringLiteral("3: „1e3,00” nie jest kwotą w postaci 1234,50"),
                                   QStringLiteral("4: pusty wiersz"),
                                   QStringLiteral("5: ")}));
    }

    // A read error gives no line: the bytes before it are no whole line to
    // pass over with a false reason.
    void readErrorCutsNoLine_data()
    {
        QTest::addColumn<int>("failAt");         // bytes given before reads fail; from the second order's start
        QTest::addColumn<QList<int>>("results");
        QTest::newRow("in the second order") << 100 << QList<int>{0, 2};
        QTest::newRow("at its line end") << 0 << QList<int>{0, 2};
    }
    void readErrorCutsNoLine()
    {
        QFETCH(int, failAt);
        QFETCH(QList<int>, results);
        const QByteArray line = "00" + pad("", 10) + ordinaryBody() + "\r\n";
        FailReadDevice in(qint64(8 + line.size() + failAt));
        in.setData("ver=05\r\n" + line + line);
        in.open(QIODevice::ReadOnly);
        CImport reader;
        QVERIFY(reader.OpenDevice(&in));
        QList<int> got;
        readAll(reader, &got);
        QCOMPARE(got, results);
        QVERIFY(reader.readFailed());
    }

    void orderWithoutDateRoundTrips()
    {
        CPrzelewDane r;
        r.recipient1 = QStringLiteral("Ąę");
        r.date = COrderDate::null();
        r.amount = CWexOleCurrency::fromUnits(12, 3400);
        QByteArray line;
        QVERIFY(CImport::FormatRecord(r, 5, line, nullptr));
        QCOMPARE(line.size(), 468);
        QCOMPARE(line.right(10), QByteArray(10, ' '));
        QCOMPARE(line.mid(12, 2), QByteArray("\xA5\xEA"));
        CPrzelewDane back;
        QCOMPARE(int(CImport::ParseLine(Cp1250::decode(line), 5, back)), 0);
        QCOMPARE(back.recipient1, r.recipient1);
        QVERIFY(!back.date.isValid());
        QCOMPARE(back.amount, r.amount);
    }

    void writerRefusesWhatCannotBeReadBack()
    {
        QString error;
        QByteArray line;
        CPrzelewDane r;
        r.recipient1 = QString(55, u'x');
        QVERIFY(!CImport::FormatRecord(r, 5, line, &error));
        QVERIFY(error.contains(QStringLiteral("nazwa odbiorcy")));
        r.recipient1 = QStringLiteral("汉字");
        QVERIFY(!CImport::FormatRecord(r, 5, line, &error));
        QVERIFY(error.contains(QStringLiteral("Windows-1250")));
        r.recipient1 = QStringLiteral("€ ok");
        r.amount = CWexOleCurrency::invalid();
        QVERIFY(!CImport::FormatRecord(r, 5, line, &error));
        r.amount = CWexOleCurrency::fromUnits(1);
        QVERIFY(CImport::FormatRecord(r, 5, line, &error));
        QCOMPARE(line.at(12), '\x80');
    }

    void droppedWriterStillWritesItsLines()
    {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        {
            CImport writer;
            writer.OpenDevice(&out);
            QVERIFY(writer.WriteHeader(5));
            QVERIFY(writer.WriteRecord(CPrzelewDane()));
        }
        QCOMPARE(out.data().size(), 8 + 470);
    }

    void headerText()
    {
        for (auto [version, text] : {std::pair{2, "ver=02\r\n"}, {5, "ver=05\r\n"}, {12, "ver=12\r\n"}, {1, ""}}) {
            QBuffer b;
            b.open(QIODevice::WriteOnly);
            CImport w;
            w.OpenDevice(&b);
            QVERIFY(w.WriteHeader(version));
            QCOMPARE(b.data(), QByteArray(text));
        }
    }

    void hostileInputNeverCrashes()
    {
        // A line far longer than any record is skipped without being held.
        QByteArray huge = "ver=05\n" + QByteArray(100 * 1024 * 1024, 'A');
        huge += "\n00" + pad("", 10) + ordinaryBody();
        QList<int> results;
        int version = 0;
        auto orders = readBytes(huge, &version, &results);
        QCOMPARE(orders.size(), 1);
        QCOMPARE(results.first(), 1);
        huge.clear();
        huge.squeeze();

        // Binary garbage and a truncated last line.
        QByteArray garbage;
        quint32 x = 12345;
        for (int i = 0; i < 200000; ++i) {
            x = x * 1103515245 + 12345;
            garbage.append(char(x >> 24));
        }
        readBytes(garbage);
        orders = readBytes("ver=05\r\n00" + pad("", 10) + ordinaryBody() + "\r\n00" + pad("", 10) + ordinaryBody().left(100));
        QCOMPARE(orders.size(), 1);
        // A CR alone does not end a line.
        orders = readBytes("ver=05\r00" + pad("", 10) + ordinaryBody());
        QCOMPARE(orders.size(), 0);
    }

    void directoryOrMissingFileCannotBeOpened()
    {
        QTemporaryDir dir;
        CImport reader;
        QVERIFY(!reader.Open(dir.path(), QIODevice::ReadOnly));
        QVERIFY(!reader.errorString().isEmpty());
        QVERIFY(!reader.Open(dir.filePath(QStringLiteral("missing.zmt")), QIODevice::ReadOnly));
    }
};

QTEST_GUILESS_MAIN(TestImport)
#include "test_import.moc"
