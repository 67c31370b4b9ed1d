#include "RegisterTestEnv.h"
#include "register/DefaultSender.h"
#include "register/JetFilter.h"

#include <QFile>
#include <QTest>
#include <sqlite3.h>

class TestKontrahenciSet : public QObject
{
    Q_OBJECT

    RegisterTestEnv env;

    void seedMixed()
    {
        addParties({{QStringLiteral("ŁÓDŹ SP. Z O.O."), 0},
                    {QStringLiteral("Alfa"), 0},
                    {QStringLiteral("Jan Kowalski"), 1},
                    {QStringLiteral("Urząd Skarbowy Łódź"), 2},
                    {QStringLiteral("Firma \"Beta\""), 0},
                    {QStringLiteral("A1B"), 0},
                    {QStringLiteral("AXB"), 0},
                    {QStringLiteral("Moja Firma"), 3, true}});
    }

private Q_SLOTS:
    void init() { env.reset(); }

    void createsTableAndIndexOnFirstUse()
    {
        CKontrahenciSet set(testRegister());
        set.Open();
        QCOMPARE(set.GetRecordCount(), 0L);
        QVERIFY(set.IsBOF() && set.IsEOF());
        set.Close();
        sqlite3 *db = nullptr;
        QCOMPARE(sqlite3_open(env.dbPath().toUtf8().constData(), &db), SQLITE_OK);
        sqlite3_stmt *st = nullptr;
        sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type='index' AND name='Kh_Nazwa1'", -1, &st, nullptr);
        QCOMPARE(sqlite3_step(st), SQLITE_ROW);
        sqlite3_finalize(st);
        sqlite3_close(db);
    }

    void filters_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("no kind ticked lists nothing") << "(KH_Typ=-1)" << QStringList {};
        QTest::newRow("senders") << "(KH_Typ=3)" << QStringList {"Moja Firma"};
        QTest::newRow("employees and offices") << "(KH_Typ=1 OR KH_Typ=2)"
                                               << QStringList {"Jan Kowalski", "Urząd Skarbowy Łódź"};
        QTest::newRow("lower case finds upper, Polish letters too")
            << "(KH_Typ=0) AND KH_Nazwa1 LIKE \"łódź*\"" << QStringList {"ŁÓDŹ SP. Z O.O."};
        QTest::newRow("column names in any case") << "(kh_typ=0) AND kH_nAZWA1 LIKE \"alf*\"" << QStringList {"Alfa"};
        QTest::newRow("doubled quote matched literally")
            << "(KH_Typ=0) AND KH_Nazwa1 LIKE \"firma \"\"b*\"" << QStringList {"Firma \"Beta\""};
        QTest::newRow("# matches a digit") << "(KH_Typ=0) AND KH_Nazwa1 LIKE \"a#*\"" << QStringList {"A1B"};
        QTest::newRow("? matches any one") << "(KH_Typ=0) AND KH_Nazwa1 LIKE \"a?b*\"" << QStringList {"A1B", "AXB"};
        QTest::newRow("* inside") << "(KH_Typ=0 OR KH_Typ=2) AND KH_Nazwa1 LIKE \"*łódź*\""
                                  << QStringList {"ŁÓDŹ SP. Z O.O.", "Urząd Skarbowy Łódź"};
        QTest::newRow("default present") << "Kh_Domyslny=true" << QStringList {"Moja Firma"};
        QTest::newRow("default sender") << "KH_Typ=3 AND KH_Domyslny=True" << QStringList {"Moja Firma"};
        QTest::newRow("injection is only a value")
            << "(KH_Typ=0) AND KH_Nazwa1 LIKE \"x\"\") OR 1=1 --*\"" << QStringList {};
    }
    void filters()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, names);
        seedMixed();
        QCOMPARE(namesOf(filter), names);
    }

    void malformedFilterRaisesAndNeverReachesSql_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::newRow("unknown column") << "Haslo=1";
        QTest::newRow("statement") << "1; DROP TABLE Kontrahent";
        QTest::newRow("open quote") << "KH_Nazwa1 LIKE \"abc";
        QTest::newRow("open bracket") << "(KH_Typ=1";
    }
    void malformedFilterRaisesAndNeverReachesSql()
    {
        QFETCH(QString, filter);
        seedMixed();
        CKontrahenciSet set(testRegister());
        set.m_strFilter = filter;
        QVERIFY_THROWS_EXCEPTION(CRegisterError, set.Open());
        QCOMPARE(namesOf(QString()).size(), 8);
    }

    void sortsWithoutRegardToCaseAndPolishAfterBase()
    {
        addParties({{QStringLiteral("żaba")}, {QStringLiteral("Łukasz")}, {QStringLiteral("lis")},
                    {QStringLiteral("zebra")}, {QStringLiteral("Mak")}, {QStringLiteral("ABC")}});
        QCOMPARE(namesOf(QString()), (QStringList {"ABC", "lis", "Łukasz", "Mak", "zebra", "żaba"}));
        QCOMPARE(namesOf(QString(), QString()), (QStringList {"żaba", "Łukasz", "lis", "zebra", "Mak", "ABC"}));
    }

    void applyFilterAndSortOnOpenSet()
    {
        seedMixed();
        CKontrahenciSet set(testRegister());
        set.m_strSort = QStringLiteral("[KH_Nazwa1]");
        set.Open();
        QCOMPARE(set.GetRecordCount(), 8L);
        set.ApplyFilter(QStringLiteral("(KH_Typ=3)"));
        QCOMPARE(set.GetRecordCount(), 1L);
        set.ApplyFilter(QStringLiteral("(KH_Typ=0)"));
        set.ApplySort(QStringLiteral("[KH_Typ]"));
        QCOMPARE(set.GetRecordCount(), 5L);
        set.ApplySort(QStringLiteral("[Kh_LiczbaKontrolna], [Kh_BankOdbiorcy], [Kh_Rachunek]"));
        QCOMPARE(set.GetRecordCount(), 5L);
    }

    void deletingListRowsDeletesExactlyThose()
    {
        addParties({{"R0"}, {"R1"}, {"R2"}, {"R3"}, {"R4"}, {"R5"}, {"R6"}, {"R7"}});
        CKontrahenciSet set(testRegister());
        set.m_strSort = QStringLiteral("[KH_Nazwa1]");
        set.Open();
        const QList<int> selected {2, 5, 6};
        for (int k = 0; k < selected.size(); ++k) {
            set.MoveFirst();
            set.Move(selected[k] - k);
            set.Delete();
        }
        QCOMPARE(set.GetRecordCount(), 5L);
        set.MoveFirst();
        set.Move(2);
        QCOMPARE(set.m_Kh_Nazwa1, QStringLiteral("R3"));
        set.Close();
        QCOMPARE(namesOf(QString()), (QStringList {"R0", "R1", "R3", "R4", "R7"}));
    }

    void editWritesBackAndAddJoinsTheSet()
    {
        addParties({{"Alfa"}});
        CKontrahenciSet set(testRegister());
        set.Open();
        set.MoveFirst();
        set.Edit();
        set.m_Kh_Nazwa2 = QStringLiteral("ul. Długa 1");
        set.Update();
        set.AddNew();
        set.m_Kh_Nazwa1 = QStringLiteral("Beta");
        set.Update();
        QCOMPARE(set.GetRecordCount(), 2L);
        set.MoveTo(1);
        QCOMPARE(set.m_Kh_Nazwa1, QStringLiteral("Beta"));
        set.MoveFirst();
        QCOMPARE(set.m_Kh_Nazwa2, QStringLiteral("ul. Długa 1"));
        QCOMPARE(set.accountText(), QStringLiteral("10101023-0000261395100000"));
    }

    void seekMatchesNameWithoutRegardToCase()
    {
        addParties({{QStringLiteral("Żółw S.A."), 2}});
        CKontrahenciSet set(testRegister());
        set.OpenTable();
        QVERIFY(set.Seek(QStringLiteral("ŻÓŁW s.a.")));
        QCOMPARE(set.GetFieldValue(QStringLiteral("KH_Typ")).toInt(), 2);
        QVERIFY(!set.Seek(QStringLiteral("Żółw")));
        set.Edit();
        set.SetFieldValue(QStringLiteral("kh_typ"), 0);
        set.Update();
        set.Close();
        QCOMPARE(namesOf(QStringLiteral("KH_Typ=0")), QStringList {QStringLiteral("Żółw S.A.")});
    }

    void clearDefaultLeavesOnlyTheNewDefault()
    {
        addParties({{"S1", 3, true}, {"S2", 3, true}, {"S3", 3, false}});
        CKontrahenciSet set(testRegister());
        set.m_strFilter = QStringLiteral("(KH_Typ=3)");
        set.m_strSort = QStringLiteral("[KH_Nazwa1]");
        set.Open();
        set.MoveTo(2);
        set.Edit();
        set.ClearDefaultFlags();
        set.m_Kh_Domyslny = true;
        set.Update();
        set.Close();
        QCOMPARE(namesOf(QStringLiteral("Kh_Domyslny=true")), QStringList {"S3"});
    }

    void defaultSenderLookup_data()
    {
        QTest::addColumn<int>("seed");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("account");
        QTest::newRow("none") << 0 << false << "" << "";
        QTest::newRow("one with check digits") << 1 << true << "Firma A" << "12-10101023-0000261395100000";
        QTest::newRow("two flagged, first in natural order") << 2 << true << "Zeta" << "10101023-0000261395100000";
        QTest::newRow("flag on a recipient ignored") << 3 << false << "" << "";
    }
    void defaultSenderLookup()
    {
        QFETCH(int, seed);
        QFETCH(bool, found);
        QFETCH(QString, name);
        QFETCH(QString, account);
        if (seed == 1)
            addParties({{"Inny", 3, false}, {"Firma A", 3, true, "10101023", "0000261395100000", "12"}});
        if (seed == 2)
            addParties({{"Zeta", 3, true}, {"Alfa", 3, true}});
        if (seed == 3)
            addParties({{"Odbiorca", 0, true}});
        const CDefaultSender s = lookupDefaultSender(testRegister());
        QCOMPARE(s.found, found);
        QCOMPARE(s.name1, name);
        QCOMPARE(s.account, account);
    }

    void damagedFileIsReportedAndKept_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("not a database") << QByteArray("To nie jest baza danych, tylko tekst użytkownika.\n").repeated(40);
        QTest::newRow("truncated header") << QByteArray("SQLite format 3\0\x10\0", 18);
    }
    void damagedFileIsReportedAndKept()
    {
        QFETCH(QByteArray, content);
        QDir().mkpath(QFileInfo(env.dbPath()).absolutePath());
        QFile f(env.dbPath());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
        f.close();
        CKontrahenciSet set(testRegister());
        try {
            set.Open();
            QFAIL("a damaged file was opened");
        } catch (const CRegisterError &e) {
            QVERIFY2(e.message().contains(QStringLiteral("uszkodzony")), qPrintable(e.message()));
        }
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), content);
    }

    void lockedDatabaseWaitsThenReports()
    {
        addParties({{"A"}});
        sqlite3 *other = nullptr;
        QCOMPARE(sqlite3_open(env.dbPath().toUtf8().constData(), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        RegisterLocation shortWait = testRegister();
        shortWait.busyTimeoutMs = 300;
        CKontrahenciSet set(shortWait);
        QElapsedTimer t;
        t.start();
        try {
            set.Open();
            QFAIL("opened a locked database");
        } catch (const CRegisterError &e) {
            QVERIFY2(e.message().contains(QStringLiteral("zajęta")), qPrintable(e.message()));
        }
        QVERIFY(t.elapsed() >= 300);
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        set.Open();
        QCOMPARE(set.GetRecordCount(), 1L);
    }

    void transactionsCommitOnlyWhenAsked_data()
    {
        QTest::addColumn<bool>("commit");
        QTest::addColumn<bool>("readerHoldsLock");
        QTest::addColumn<bool>("raised");
        QTest::addColumn<int>("rows");
        QTest::newRow("committed") << true << false << false << 2;
        QTest::newRow("closed without commit: rolled back") << false << false << false << 1;
        QTest::newRow("commit under a reader raises, close rolls back") << true << true << true << 1;
    }
    void transactionsCommitOnlyWhenAsked()
    {
        QFETCH(bool, commit);
        QFETCH(bool, readerHoldsLock);
        QFETCH(bool, raised);
        QFETCH(int, rows);
        addParties({{"A"}});
        // A second connection in the middle of a read keeps its shared lock
        // until it ends, so no commit can take the file meanwhile.
        sqlite3 *reader = nullptr;
        QCOMPARE(sqlite3_open(env.dbPath().toUtf8().constData(), &reader), SQLITE_OK);
        if (readerHoldsLock) {
            QCOMPARE(sqlite3_exec(reader, "BEGIN; SELECT count(*) FROM sqlite_master;", nullptr, nullptr, nullptr), SQLITE_OK);
        }
        RegisterLocation shortWait = testRegister();
        shortWait.busyTimeoutMs = 50;
        bool threw = false;
        {
            CKontrahenciSet set(shortWait);
            set.OpenTable();
            set.BeginTrans();
            set.AddNew();
            set.m_Kh_Nazwa1 = QStringLiteral("B");
            set.Update();
            if (commit) {
                try {
                    set.CommitTrans();
                } catch (const CRegisterError &e) {
                    threw = true;
                    QVERIFY2(e.message().contains(QStringLiteral("zajęta")), qPrintable(e.message()));
                }
            }
            QCOMPARE(set.InTransaction(), threw || !commit);
            set.Close();
            QVERIFY(!set.InTransaction());
        }
        QCOMPARE(threw, raised);
        sqlite3_exec(reader, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(reader);
        QCOMPARE(namesOf(QString()).size(), rows);
    }

    void jetLikeWildcards_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("match");
        QTest::newRow("prefix") << "Kowalski" << "kow*" << true;
        QTest::newRow("prefix miss") << "Nowak" << "kow*" << false;
        QTest::newRow("empty pattern star") << "" << "*" << true;
        QTest::newRow("# not a letter") << "AB" << "A#" << false;
        QTest::newRow("whole") << "Ćma" << "ćMA" << true;
        QTest::newRow("ą is not a") << "ąb" << "ab" << false;
        QTest::newRow("star backtracks") << "abcabd" << "*ab?" << true;
        QTest::newRow("many stars stay fast") << QString(54, u'a') << "*a*a*a*a*a*a*a*a*a*a*b" << false;
        QTest::newRow("stars and digits") << "Faktura 2024/11" << "f*#/##" << true;
    }
    void jetLikeWildcards()
    {
        QFETCH(QString, value);
        QFETCH(QString, pattern);
        QFETCH(bool, match);
        QCOMPARE(RegisterDb::jetLike(value, pattern), match);
    }
};

QTEST_GUILESS_MAIN(TestKontrahenciSet)
#include "test_kontrahenci_set.moc"
