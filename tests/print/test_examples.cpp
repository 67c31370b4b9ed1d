// The sample file examples/orders.txt is sample::exampleFile() written by the
// project's own writer; the test keeps the two equal and the file readable.
// KANTOMIX_WRITE_EXAMPLES=1 rewrites the file.

#include "model/Import.h"
#include "FileBytes.h"
#include "SampleOrders.h"

#include <QTemporaryDir>
#include <QTest>

class TestExamples : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sampleFileIsItsOrdersWritten()
    {
        const QString examplePath = QStringLiteral(KANTOMIX_EXAMPLES "/orders.txt");
        const QList<CPrzelewDane> orders = sample::exampleFile();
        QTemporaryDir dir;
        const QString written = dir.filePath(QStringLiteral("orders.txt"));
        CImport w;
        QVERIFY(w.Open(written, QIODevice::WriteOnly));
        QVERIFY(w.WriteHeader(CImport::kCurrentVersion));
        w.setVersion(CImport::kCurrentVersion);
        for (const CPrzelewDane &r : orders)
            QVERIFY(w.WriteRecord(r));
        w.Close();
        const QByteArray generated = readFile(written);
        QVERIFY(!generated.isEmpty());
        if (qEnvironmentVariableIsSet("KANTOMIX_WRITE_EXAMPLES"))
            QVERIFY(writeFile(examplePath, generated));
        QCOMPARE(readFile(examplePath), generated);

        // Every line of it is read back as its order.
        CImport r;
        QVERIFY(r.Open(examplePath, QIODevice::ReadOnly));
        QList<CPrzelewDane> read;
        CPrzelewDane rec;
        CImport::ReadResult res;
        while ((res = r.ReadRecord(rec)) != CImport::EndOfFile) {
            QCOMPARE(res, CImport::RecordRead);
            read.append(rec);
        }
        QCOMPARE(read.size(), orders.size());
        for (int i = 0; i < read.size(); ++i) {
            QCOMPARE(read[i].kind, orders[i].kind);
            QCOMPARE(read[i].isTransfer, orders[i].isTransfer);
            QCOMPARE(read[i].amount.toTwoDecimalText(), orders[i].amount.toTwoDecimalText());
            QCOMPARE(read[i].sender1, orders[i].sender1);
        }
    }
};

QTEST_GUILESS_MAIN(TestExamples)
#include "test_examples.moc"
