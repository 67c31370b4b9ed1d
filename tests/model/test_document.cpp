#include "model/Cp1250.h"
#include "model/KantomixDoc.h"

#include "FailDevice.h"
#include "FileBytes.h"
#include "SampleOrders.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

namespace {

QStringList names(const CKantomixDoc &doc)
{
    QStringList out;
    for (int i = 0; i < doc.count(); ++i)
        out << doc.at(i).recipient1;
    return out;
}

CPrzelewDane order(const char *recipient) { return sample::named(QString::fromLatin1(recipient), 1); }

using Change = std::function<void(CKantomixDoc &, const QDir &)>;

} // namespace

Q_DECLARE_METATYPE(Change)

class TestDocument : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }

private Q_SLOTS:
    void newDocumentSavesOnlyTheHeader()
    {
        CKantomixDoc doc;
        QCOMPARE(doc.count(), 0);
        QCOMPARE(doc.title(), QStringLiteral("Nowy plik przelewów"));
        QCOMPARE(doc.version(), 5);
        QVERIFY(!doc.isModified());
        QVERIFY(doc.Save(path("new.zmt")));
        QCOMPARE(readFile(path("new.zmt")), QByteArray("ver=05\r\n"));
    }

    void fileIsSavedInItsOwnVersion()
    {
        CKantomixDoc doc;
        QCOMPARE(doc.Open(QStringLiteral(KANTOMIX_TEST_DATA "/orders_v3.zmt")), CKantomixDoc::OpenResult::Opened);
        QCOMPARE(doc.version(), 3);
        QCOMPARE(doc.count(), 4);
        QVERIFY(!doc.isModified());
        QVERIFY(doc.Save(path("v3.zmt")));
        QCOMPARE(readFile(path("v3.zmt")), readFile(QStringLiteral(KANTOMIX_TEST_DATA "/orders_v3.zmt")));
    }

    void oldFormatStopsReadingAndKeepsWhatWasRead()
    {
        QByteArray bytes = readFile(QStringLiteral(KANTOMIX_TEST_DATA "/orders_v4.zmt"));
        const QList<QByteArray> lines = bytes.split('\n');
        // Header, two ordinary orders, then a tax line in a version 4 file.
        const QByteArray file = lines[0] + "\n" + lines[1] + "\n" + lines[2] + "\n02xxxx\r\n" + lines[3] + "\n";
        QVERIFY(writeFile(path("old.zmt"), file));
        CKantomixDoc doc;
        QCOMPARE(doc.Open(path("old.zmt")), CKantomixDoc::OpenResult::OldFormat);
        QCOMPARE(doc.count(), 2);
        QCOMPARE(doc.version(), 5);
        QCOMPARE(doc.errorString(), QStringLiteral("W aktualnie wybranym pliku wykryto przelewy w starym formacie.\n"
                                                   "Nie zostaną one wczytane do programu."));
        // The document is not the file: the tax line and the one after it are missing.
        QCOMPARE(doc.unreadLineCount(), 2);
        QCOMPARE(doc.unreadLineNumbers(), (QList<int> {4, 5}));
        QVERIFY(doc.isModified());
        // Saved (the user agreed), it holds what it shows and nothing is missing any more.
        QVERIFY(doc.Save(path("old.zmt")));
        QCOMPARE(doc.unreadLineCount(), 0);
        QVERIFY(!doc.isModified());
        CKantomixDoc back;
        QCOMPARE(back.Open(path("old.zmt")), CKantomixDoc::OpenResult::Opened);
        QCOMPARE(back.count(), 2);
        QCOMPARE(back.version(), 5);
    }

    // What a file that is read in part, or is no order file, opens as.
    void whatAFileOpensAs_data()
    {
        const QList<QByteArray> v5 = readFile(QStringLiteral(KANTOMIX_TEST_DATA "/orders_v5.zmt")).split('\n');
        const QList<QByteArray> v1 = readFile(QStringLiteral(KANTOMIX_TEST_DATA "/orders_v1.txt")).split('\n');
        const QByteArray header = v5[0] + '\n', a = v5[1] + '\n', b = v5[2] + '\n';
        const int opened = int(CKantomixDoc::OpenResult::Opened), other = int(CKantomixDoc::OpenResult::NotOrderFile);
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("orders");
        QTest::addColumn<int>("unread");
        QTest::addColumn<QList<int>>("numbers");
        QTest::newRow("garbage line") << header + a + "to nie jest przelew\r\n" + b << opened << 2 << 1 << QList<int> {3};
        QTest::newRow("unknown kind code") << header + a + "07" + b.mid(2) << opened << 1 << 1 << QList<int> {3};
        QTest::newRow("line cut short") << header + a.left(100) + "\r\n" + b << opened << 1 << 1 << QList<int> {2};
        QTest::newRow("blank lines hold nothing") << header + a + "\r\n   \r\n" + b + "\r\n" << opened << 2 << 0
                                                  << QList<int> {};
        QTest::newRow("line of 100,000 bytes") << header + QByteArray(100000, 'x') + "\r\n" + a << opened << 1 << 1
                                               << QList<int> {2};
        QTest::newRow("many: the first five listed") << header + a + QByteArray("zly\r\n").repeated(7) + b << opened
                                                     << 2 << 7 << QList<int> {3, 4, 5, 6, 7};
        QTest::newRow("six characters, no header") << "abcdef\r\n" + v1[0] + '\n' << opened << 1 << 1 << QList<int> {1};
        QTest::newRow("header and nothing readable") << header + "zly\r\n" << opened << 0 << 1 << QList<int> {2};
        QTest::newRow("empty file opens empty") << QByteArray() << opened << 0 << 0 << QList<int> {};
        QTest::newRow("only blank lines open empty") << QByteArray("\r\n\r\n") << opened << 0 << 0 << QList<int> {};
        // No header and no order: not taken for an order file.
        QTest::newRow("PDF") << QByteArray("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n1 0 obj\n<< /Type /Catalog >>\nendobj\n") << other
                             << 0 << 0 << QList<int> {};
        QTest::newRow("PNG photo") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x01\0", 20) << other << 0 << 0
                                   << QList<int> {};
        QTest::newRow("JPEG photo without a line end") << QByteArray("\xFF\xD8\xFF\xE0\0\x10JFIF\0", 11) << other << 0
                                                       << 0 << QList<int> {};
        QTest::newRow("plain text") << QByteArray("Lista zakupów\nchleb\n") << other << 0 << 0 << QList<int> {};
    }
    void whatAFileOpensAs()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, result);
        QFETCH(int, orders);
        QFETCH(int, unread);
        QFETCH(QList<int>, numbers);
        QVERIFY(writeFile(path("partial.zmt"), file));
        CKantomixDoc doc;
        QCOMPARE(int(doc.Open(path("partial.zmt"))), result);
        QCOMPARE(doc.count(), orders);
        QCOMPARE(doc.unreadLineCount(), unread);
        QCOMPARE(doc.unreadLineNumbers(), numbers);
        // Only a document that lacks something of its file differs from it.
        QCOMPARE(doc.isModified(), unread > 0);
        if (result == int(CKantomixDoc::OpenResult::NotOrderFile)) {
            QVERIFY(doc.errorString().startsWith(QStringLiteral("To nie jest plik przelewów")));
            QVERIFY(doc.path().isEmpty());
        }
        doc.NewDocument();
        QCOMPARE(doc.unreadLineCount(), 0);
    }

    // What each change announces, in order, with the count each listener
    // sees, the orders after it and the modified flag: lists and windows
    // follow these. The document starts as C, B, A.
    void everyChangeIsAnnounced_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QStringList>("announced");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<bool>("modified");
        const QStringList cba {"C", "B", "A"};
        const QStringList v3 {"Przedsiębiorstwo Handlowe „Źródło” Sp. z o.o.", "Jan Kowalski",
                              "Zakład Ubezpieczeń Społecznych", "Zakład Ubezpieczeń Społecznych"};
        QTest::newRow("add") << Change([](CKantomixDoc &d, const QDir &) { d.Add(order("D")); })
                             << QStringList {"aboutToInsert 3 3 /3", "inserted 3 3 /4"} << cba + QStringList {"D"} << false;
        QTest::newRow("add several")
            << Change([](CKantomixDoc &d, const QDir &) { d.Add(std::vector<CPrzelewDane> {order("D"), order("E")}); })
            << QStringList {"aboutToInsert 3 4 /3", "inserted 3 4 /5"} << cba + QStringList {"D", "E"} << false;
        QTest::newRow("insert") << Change([](CKantomixDoc &d, const QDir &) { d.Insert(1, order("D")); })
                                << QStringList {"aboutToInsert 1 1 /3", "inserted 1 1 /4", "modified 1"}
                                << QStringList {"C", "D", "B", "A"} << true;
        QTest::newRow("replace") << Change([](CKantomixDoc &d, const QDir &) { d.Replace(2, order("D")); })
                                 << QStringList {"replaced 2 /3", "modified 1"} << QStringList {"C", "B", "D"} << true;
        QTest::newRow("replace before the start") << Change([](CKantomixDoc &d, const QDir &) { d.Replace(-1, order("D")); })
                                                  << QStringList {} << cba << false;
        QTest::newRow("delete one") << Change([](CKantomixDoc &d, const QDir &) { d.Delete(0); })
                                    << QStringList {"aboutToRemove 0 0 /3", "removed 0 0 /2", "modified 1"}
                                    << QStringList {"B", "A"} << true;
        QTest::newRow("delete two") << Change([](CKantomixDoc &d, const QDir &) { d.Delete(0, 2); })
                                    << QStringList {"aboutToRemove 0 1 /3", "removed 0 1 /1", "modified 1"}
                                    << QStringList {"A"} << true;
        QTest::newRow("delete beyond the end") << Change([](CKantomixDoc &d, const QDir &) { d.Delete(2, 2); d.Delete(3); })
                                               << QStringList {} << cba << false;
        QTest::newRow("sort") << Change([](CKantomixDoc &d, const QDir &) { d.Sort(SortRecipient, true); })
                              << QStringList {"aboutToReorder /3", "reordered 2,1,0 /3"} << QStringList {"A", "B", "C"}
                              << false;
        QTest::newRow("reorder refused") << Change([](CKantomixDoc &d, const QDir &) { QVERIFY(!d.Reorder({0, 0, 1})); })
                                         << QStringList {} << cba << false;
        QTest::newRow("delete all") << Change([](CKantomixDoc &d, const QDir &) { d.DeleteAll(); })
                                    << QStringList {"aboutToReset /3", "reset /0"} << QStringList {} << false;
        QTest::newRow("new document") << Change([](CKantomixDoc &d, const QDir &) { d.NewDocument(); })
                                      << QStringList {"aboutToReset /3", "reset /0"} << QStringList {} << false;
        QTest::newRow("open") << Change([](CKantomixDoc &d, const QDir &) {
            QCOMPARE(d.Open(QStringLiteral(KANTOMIX_TEST_DATA "/orders_v3.zmt")), CKantomixDoc::OpenResult::Opened);
        }) << QStringList {"aboutToReset /3", "reset /4", "title orders_v3.zmt"} << v3 << false;
        QTest::newRow("open, a line unread") << Change([](CKantomixDoc &d, const QDir &dir) {
            const QString partial = dir.filePath(QStringLiteral("partial.zmt"));
            QVERIFY(writeFile(partial, readFile(QStringLiteral(KANTOMIX_TEST_DATA "/orders_v3.zmt")) + "zly\r\n"));
            QCOMPARE(d.Open(partial), CKantomixDoc::OpenResult::Opened);
        }) << QStringList {"aboutToReset /3", "reset /4", "modified 1", "title partial.zmt"} << v3 << true;
        // A failed open keeps the document as it was.
        QTest::newRow("open failed") << Change([](CKantomixDoc &d, const QDir &dir) {
            QCOMPARE(d.Open(dir.filePath(QStringLiteral("missing.zmt"))), CKantomixDoc::OpenResult::Failed);
            QCOMPARE(d.Open(dir.path()), CKantomixDoc::OpenResult::Failed);
        }) << QStringList {} << cba << false;
        QTest::newRow("marked, then saved") << Change([](CKantomixDoc &d, const QDir &dir) {
            d.setModified();
            QVERIFY(d.Save(dir.filePath(QStringLiteral("announced.zmt"))));
        }) << QStringList {"modified 1", "modified 0", "title announced.zmt"} << cba << false;
        QTest::newRow("marked, save failed") << Change([](CKantomixDoc &d, const QDir &dir) {
            d.setModified();
            QVERIFY(!d.Save(dir.filePath(QStringLiteral("no/such/folder/x.zmt"))));
        }) << QStringList {"modified 1"} << cba << true;
        QTest::newRow("unmarked twice") << Change([](CKantomixDoc &d, const QDir &) {
            d.setModified(false);
            d.setModified(false);
        }) << QStringList {} << cba << false;
    }
    void everyChangeIsAnnounced()
    {
        QFETCH(Change, change);
        QFETCH(QStringList, announced);
        QFETCH(QStringList, after);
        QFETCH(bool, modified);
        CKantomixDoc doc;
        for (const char *name : {"C", "B", "A"})
            doc.Add(order(name));
        QStringList log;
        const auto note = [&](const QString &what) { log << what + QStringLiteral(" /%1").arg(doc.count()); };
        const auto range = [](int first, int last) { return QStringLiteral(" %1 %2").arg(first).arg(last); };
        connect(&doc, &CKantomixDoc::ordersAboutToBeInserted, this, [&](int f, int l) { note("aboutToInsert" + range(f, l)); });
        connect(&doc, &CKantomixDoc::ordersInserted, this, [&](int f, int l) { note("inserted" + range(f, l)); });
        connect(&doc, &CKantomixDoc::ordersAboutToBeRemoved, this, [&](int f, int l) { note("aboutToRemove" + range(f, l)); });
        connect(&doc, &CKantomixDoc::ordersRemoved, this, [&](int f, int l) { note("removed" + range(f, l)); });
        connect(&doc, &CKantomixDoc::orderReplaced, this, [&](int i) { note(QStringLiteral("replaced %1").arg(i)); });
        connect(&doc, &CKantomixDoc::ordersAboutToBeReordered, this, [&] { note(QStringLiteral("aboutToReorder")); });
        connect(&doc, &CKantomixDoc::ordersReordered, this, [&](const std::vector<int> &former) {
            QStringList rows;
            for (int row : former)
                rows << QString::number(row);
            note("reordered " + rows.join(u','));
        });
        connect(&doc, &CKantomixDoc::aboutToReset, this, [&] { note(QStringLiteral("aboutToReset")); });
        connect(&doc, &CKantomixDoc::reset, this, [&] { note(QStringLiteral("reset")); });
        connect(&doc, &CKantomixDoc::modifiedChanged, this, [&](bool m) { log << QStringLiteral("modified %1").arg(int(m)); });
        connect(&doc, &CKantomixDoc::titleChanged, this, [&](const QString &t) { log << "title " + t; });
        change(doc, QDir(m_dir.path()));
        QCOMPARE(log, announced);
        QCOMPARE(names(doc), after);
        QCOMPARE(doc.isModified(), modified);
    }

    // By amount, then saved; larger lists, every key, both directions, many
    // equal keys.
    void sorting()
    {
        CKantomixDoc doc;
        const QStringList input {QStringLiteral("Ćma"), QStringLiteral("alfa"), QStringLiteral("Beta"),
                                 QStringLiteral("Alfa"), QStringLiteral("Zeta"), QStringLiteral("Beta")};
        for (int i = 0; i < input.size(); ++i)
            doc.Add(sample::named(input[i], 10 - i));
        doc.Sort(SortAmount, true);
        for (int i = 1; i < doc.count(); ++i)
            QVERIFY(doc.at(i - 1).amount.value() <= doc.at(i).amount.value());
        // A save writes the orders as sorted.
        QVERIFY(doc.Save(path("sorted.zmt")));
        CKantomixDoc back;
        QCOMPARE(back.Open(path("sorted.zmt")), CKantomixDoc::OpenResult::Opened);
        QCOMPARE(names(back), names(doc));

        CKantomixDoc big;
        QStringList added;
        quint32 x = 7;
        for (int i = 0; i < 5000; ++i) {
            x = x * 1664525 + 1013904223;
            CPrzelewDane r = sample::named(QString::number(x % 300), x % 1000, int(x % 3));
            r.title1 = QString::number(x % 17);
            big.Add(r);
            added << r.recipient1;
        }
        QCOMPARE(names(big), added);   // in the order added, past the first blocks of storage
        for (int key = 0; key <= 6; ++key) {
            for (bool asc : {true, false}) {
                big.Sort(key, asc);
                for (int i = 1; i < big.count(); ++i)
                    QVERIFY(asc ? !(big.at(i) < big.at(i - 1)) : !(big.at(i) > big.at(i - 1)));
            }
        }
        // A single order and an empty list are left alone.
        CKantomixDoc one;
        one.Sort(SortDate, true);
        one.Add(sample::named(QStringLiteral("x"), 1));
        one.Sort(SortDate, false);
        QCOMPARE(one.count(), 1);
    }

    void textsSortThePolishWay_data()
    {
        QTest::addColumn<QStringList>("input");
        QTest::addColumn<QStringList>("ascending");
        QTest::newRow("Polish capitals not after Z")
            << QStringList{"ćma", "Łódź", "Zakopane", "Ąb", "Ab"} << QStringList{"Ab", "Ąb", "ćma", "Łódź", "Zakopane"};
        QTest::newRow("z, ź, ż") << QStringList{"Żaba", "źdźbło", "Zebra"} << QStringList{"Zebra", "źdźbło", "Żaba"};
        QTest::newRow("ł after l, before m")
            << QStringList{"Mak", "łata", "Lato", "ŁATA"} << QStringList{"Lato", "ŁATA", "łata", "Mak"};
        QTest::newRow("a shorter text first, digits before letters")
            << QStringList{"Abc", "Ab", "1 Ab"} << QStringList{"1 Ab", "Ab", "Abc"};
        QTest::newRow("case aside, a tie puts upper case first, Ć after C")
            << QStringList{"Ćma", "alfa", "Beta", "Alfa", "Zeta", "Beta"}
            << QStringList{"Alfa", "alfa", "Beta", "Beta", "Ćma", "Zeta"};
    }
    void textsSortThePolishWay()
    {
        QFETCH(QStringList, input);
        QFETCH(QStringList, ascending);
        QStringList descending = ascending;
        std::reverse(descending.begin(), descending.end());
        for (int key : {int(SortRecipient), int(SortTitle)}) {
            CKantomixDoc doc;
            for (const QString &text : input) {
                CPrzelewDane r = sample::named(text, 1);
                r.title1 = text;
                doc.Add(r);
            }
            auto shown = [&doc, key] {
                QStringList out;
                for (int i = 0; i < doc.count(); ++i)
                    out << (key == SortRecipient ? doc.at(i).recipient1 : doc.at(i).title1);
                return out;
            };
            // Sorting a sorted list again changes nothing.
            doc.Sort(key, false);
            doc.Sort(key, false);
            QCOMPARE(shown(), descending);
            doc.Sort(key, true);
            QCOMPARE(shown(), ascending);
            // The records carry the key and compare as the sort placed them.
            for (int i = 0; i < doc.count(); ++i)
                QCOMPARE(doc.at(i).sortKey, key);
            for (int i = 1; i < doc.count(); ++i)
                QCOMPARE(doc.at(i - 1) < doc.at(i), ascending[i - 1] != ascending[i]);
        }
    }

    void versionIsRaisedWhenAnOrderWouldBeLost_data()
    {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("saved");
        QTest::newRow("v1 + ordinary stays v1") << "orders_v1.txt" << int(KindOrdinary) << 1;
        QTest::newRow("v1 + ZUS becomes v5") << "orders_v1.txt" << int(KindZus) << 5;
        QTest::newRow("v1 + tax becomes v5") << "orders_v1.txt" << int(KindTax) << 5;
        QTest::newRow("v4 + ZUS stays v4") << "orders_v4.zmt" << int(KindZus) << 4;
        QTest::newRow("v4 + tax becomes v5") << "orders_v4.zmt" << int(KindTax) << 5;
        QTest::newRow("v3 + new ZUS (16-digit account rest) becomes v5") << "orders_v3.zmt" << int(KindZus) << 5;
    }
    void versionIsRaisedWhenAnOrderWouldBeLost()
    {
        QFETCH(QString, fixture);
        QFETCH(int, kind);
        QFETCH(int, saved);
        CKantomixDoc doc;
        QCOMPARE(doc.Open(QStringLiteral(KANTOMIX_TEST_DATA "/") + fixture), CKantomixDoc::OpenResult::Opened);
        CPrzelewDane r = sample::named(QStringLiteral("Nowy"), 5, kind);
        if (kind == KindZus)
            sample::setAccount(r, CPrzelewDane::ZusAccount(1));
        doc.Add(r);
        const int before = doc.count();
        QVERIFY(doc.Save(path("raised.zmt")));
        QCOMPARE(doc.version(), saved);
        CKantomixDoc back;
        QCOMPARE(back.Open(path("raised.zmt")), CKantomixDoc::OpenResult::Opened);
        QCOMPARE(back.count(), before);
        QCOMPARE(back.version(), saved);
        QCOMPARE(back.at(before - 1).kind, kind);
    }

    void failedSaveKeepsTheOldFileAndTheModifiedFlag()
    {
        const QString target = path("keep.zmt");
        const QByteArray old = "ver=05\r\n";
        QVERIFY(writeFile(target, old));

        CKantomixDoc doc;
        doc.Add(sample::named(QStringLiteral("zażółć"), 1));
        doc.Add(sample::named(QStringLiteral("日本"), 2)); // no Windows-1250 bytes for these
        doc.setModified();
        QVERIFY(!doc.Save(target));
        QVERIFY(doc.errorString().startsWith(QStringLiteral("Zapisanie dokumentu nie powiodło się.\n")));
        // The order and its field are named, and the character.
        QVERIFY2(doc.errorString().contains(QStringLiteral("Przelewu nr 2 (odbiorca: 日本) nie można zapisać.\n"
                                                           "Pole „nazwa odbiorcy” zawiera znak „日”")),
                 qPrintable(doc.errorString()));
        QVERIFY(doc.isModified());
        QCOMPARE(readFile(target), old);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files).filter(QStringLiteral("keep")).size(), 1);

        // A device that fails half way (a full disk).
        doc.Delete(1);
        for (qint64 limit : {0, 5, 8, 100, 475}) {
            FailDevice device(limit);
            device.open(QIODevice::WriteOnly);
            QVERIFY(!doc.SaveToDevice(&device));
        }
        FailDevice enough(1 << 20);
        enough.open(QIODevice::WriteOnly);
        QVERIFY(doc.SaveToDevice(&enough));
        QCOMPARE(enough.data().size(), 8 + 470);
    }

    void readErrorIsNotTakenForTheEnd()
    {
        // A device whose reads fail: the open must fail, not show half a file.
        class BrokenRead : public QBuffer
        {
        protected:
            qint64 readData(char *, qint64) override { return -1; }
        } broken;
        broken.setData("ver=05\r\n");
        broken.open(QIODevice::ReadOnly);
        CKantomixDoc doc;
        QCOMPARE(doc.OpenDevice(&broken), CKantomixDoc::OpenResult::Failed);
    }
};

QTEST_GUILESS_MAIN(TestDocument)
#include "test_document.moc"
