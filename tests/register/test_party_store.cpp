#include "FileBytes.h"
#include "RegisterTestEnv.h"
#include "register/DefaultSender.h"
#include "register/RegisterCopy.h"
#include "register/PolishCollation.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <sqlite3.h>

class TestPartyStore : public QObject
{
    Q_OBJECT

    RegisterTestEnv env;

    void seedMixed()
    {
        addParties({{QStringLiteral("ŁÓDŹ SP. Z O.O."), 0},
                    {QStringLiteral("Alfa"), 0},
                    {QStringLiteral("Jan Kowalski"), 1},
                    {QStringLiteral("Urząd Skarbowy Łódź"), 2},
                    {QStringLiteral("Firma \"Beta\" 100%_"), 0},
                    {QStringLiteral("A1B"), 0},
                    {QStringLiteral("AXB"), 0},
                    {QStringLiteral("Moja Firma"), 3, true}});
    }

    // Another connection to the file, as a second program has it.
    struct OtherProgram
    {
        sqlite3 *db = nullptr;
        explicit OtherProgram(const QString &path) { sqlite3_open(path.toUtf8().constData(), &db); }
        ~OtherProgram() { sqlite3_close(db); }
        int exec(const char *sql) { return sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }
    };

private Q_SLOTS:
    void init() { env.reset(); }

    void filters_data()
    {
        QTest::addColumn<int>("kindBits");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("no kind lists nothing") << 0 << "" << QStringList {};
        QTest::newRow("senders") << 8 << "" << QStringList {"Moja Firma"};
        QTest::newRow("employees and offices") << 6 << "" << QStringList {"Jan Kowalski", "Urząd Skarbowy Łódź"};
        QTest::newRow("lower case finds upper, Polish letters too") << 1 << "łódź" << QStringList {"ŁÓDŹ SP. Z O.O."};
        QTest::newRow("quote, percent and underscore are letters")
            << 1 << "firma \"beta\" 100%_" << QStringList {"Firma \"Beta\" 100%_"};
        QTest::newRow("percent is no wildcard") << 1 << "%" << QStringList {};
        QTest::newRow("# matches a digit") << 1 << "a#" << QStringList {"A1B"};
        QTest::newRow("? matches any one") << 1 << "a?b" << QStringList {"A1B", "AXB"};
        QTest::newRow("* inside") << 5 << "*łódź" << QStringList {"ŁÓDŹ SP. Z O.O.", "Urząd Skarbowy Łódź"};
        QTest::newRow("ą is not a") << 15 << "ąlfa" << QStringList {};
        QTest::newRow("a value, never SQL") << 15 << "x') OR 1=1 --" << QStringList {};
    }
    void filters()
    {
        QFETCH(int, kindBits);
        QFETCH(QString, prefix);
        QFETCH(QStringList, names);
        seedMixed();
        QCOMPARE(namesOf(kinds(quint8(kindBits), prefix)), names);
    }

    void sorts_data()
    {
        QTest::addColumn<int>("sort");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("by name: case-blind, Polish letters after their base")
            << int(PartySort::Name) << QStringList {"1 Maja", "ABC", "ąb", "Ąc", "B", "lis", "Łukasz", "Mak", "zebra", "źdźbło", "żaba"};
        QTest::newRow("natural: as added") << int(PartySort::Natural)
            << QStringList {"żaba", "Łukasz", "lis", "zebra", "Mak", "ABC", "źdźbło", "ąb", "B", "Ąc", "1 Maja"};
        QTest::newRow("by kind, ties as added") << int(PartySort::Kind)
            << QStringList {"Łukasz", "lis", "Mak", "ABC", "ąb", "B", "Ąc", "1 Maja", "żaba", "zebra", "źdźbło"};
        QTest::newRow("by account, ties as added") << int(PartySort::Account)
            << QStringList {"zebra", "Łukasz", "lis", "Mak", "ABC", "źdźbło", "ąb", "B", "Ąc", "1 Maja", "żaba"};
    }
    void sorts()
    {
        QFETCH(int, sort);
        QFETCH(QStringList, names);
        addParties({{"żaba", 1, false, "2"}, {"Łukasz"}, {"lis"}, {"zebra", 1, false, "1"}, {"Mak"}, {"ABC"},
                    {"źdźbło", 1}, {"ąb"}, {"B"}, {"Ąc"}, {"1 Maja"}});
        QCOMPARE(namesOf({}, PartySort(sort)), names);
        if (PartySort(sort) == PartySort::Name) {
            // The key a server orders by gives the same order.
            QStringList byKey = names;
            std::sort(byKey.begin(), byKey.end(),
                      [](const QString &a, const QString &b) { return PolishCollation::key(a) < PolishCollation::key(b); });
            QCOMPARE(byKey, names);
        }
    }

    void findByNameIgnoresCaseAndKind()
    {
        addParties({{"Inna"}, {"Żółw S.A.", 2}, {"ŻÓŁW S.A.", 0}});
        const auto store = PartyStore::open(testRegister());
        const std::optional<Party> found = store->findByName(QStringLiteral("żółw s.a."));
        QVERIFY(found);
        QCOMPARE(found->name1, QStringLiteral("Żółw S.A."));   // the first of the two
        QCOMPARE(found->kind, quint8(2));
        QVERIFY(!store->findByName(QStringLiteral("Żółw")));
        QVERIFY(!store->findByName(QStringLiteral("Zółw S.A.")));
    }

    void writesKeepEveryColumn()
    {
        const auto store = PartyStore::open(testRegister());
        Party p = party(QStringLiteral("Zakład „Ćma”"), TypUrzad);
        p.name2 = QStringLiteral("ul. Długa 1");
        p.check = QStringLiteral("12");
        store->add(p);
        QVERIFY(p.id > 0);
        QCOMPARE(p.version, 1);
        QCOMPARE(store->find(p.id), std::optional<Party>(p));
        p.name2 = QStringLiteral("ul. Krótka 2");
        store->update(p);
        QCOMPARE(p.version, 2);
        QCOMPARE(store->find(p.id), std::optional<Party>(p));
        QCOMPARE(p.accountText(), QStringLiteral("12-10101023-0000261395100000"));
        store->remove({p.id, p.id + 100});
        QVERIFY(!store->find(p.id));
    }

    // Two users saving the same party: the second learns of the first.
    void staleSaveIsRefused_data()
    {
        QTest::addColumn<bool>("deletedMeanwhile");
        QTest::addColumn<int>("reason");
        QTest::newRow("changed meanwhile") << false << int(CRegisterConflict::Changed);
        QTest::newRow("deleted meanwhile") << true << int(CRegisterConflict::Deleted);
    }
    void staleSaveIsRefused()
    {
        QFETCH(bool, deletedMeanwhile);
        QFETCH(int, reason);
        addParties({{"Alfa"}});
        const auto mine = PartyStore::open(testRegister());
        const auto theirs = PartyStore::open(testRegister());
        Party p = *mine->findByName(QStringLiteral("Alfa"));
        Party q = *theirs->findByName(QStringLiteral("Alfa"));
        q.name2 = QStringLiteral("ich zmiana");
        if (deletedMeanwhile)
            theirs->remove({q.id});
        else
            theirs->update(q);
        p.name2 = QStringLiteral("moja zmiana");
        try {
            mine->update(p);
            QFAIL("a stale save was taken");
        } catch (const CRegisterConflict &c) {
            QCOMPARE(int(c.reason()), reason);
            QVERIFY(c.message().contains(QStringLiteral("inny")) || c.message().contains(QStringLiteral("innego")));
        }
        QCOMPARE(p.version, 1);
        const std::optional<Party> stored = mine->find(p.id);
        QCOMPARE(stored ? stored->name2 : QStringLiteral("usunięty"), deletedMeanwhile ? QStringLiteral("usunięty")
                                                                                       : QStringLiteral("ich zmiana"));
    }

    // Whatever order senders are added and made default in, one carries the
    // flag (a flag on a recipient stays its own matter) and is the one found,
    // with its whole account.
    void oneDefaultSender_data()
    {
        QTest::addColumn<QStringList>("steps");   // "+name" adds as default, ".name" adds, "=name" edits into default, "-name" clears
        QTest::addColumn<QString>("defaultName");
        QTest::newRow("none") << QStringList {} << "";
        QTest::newRow("one of two") << QStringList {".Inny", "+Firma A"} << "Firma A";
        QTest::newRow("second added as default") << QStringList {"+S1", "+S2"} << "S2";
        QTest::newRow("edited into default") << QStringList {"+S1", "+S2", "=S1"} << "S1";
        QTest::newRow("default cleared") << QStringList {"+S1", "-S1"} << "";
    }
    void oneDefaultSender()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, defaultName);
        addParties({{"Odbiorca", 0, true}});
        const auto store = PartyStore::open(testRegister());
        for (const QString &s : steps) {
            const QString name = s.mid(1);
            if (s.startsWith(u'+') || s.startsWith(u'.')) {
                Party p = party(name, TypNadawca, s.startsWith(u'+'));
                p.check = QStringLiteral("12");
                store->add(p);
                continue;
            }
            Party p = *store->findByName(name);
            p.isDefault = s.startsWith(u'=');
            store->update(p);
        }
        QStringList flagged;
        for (const Party &p : partiesOf({8, {}, true}))
            flagged << p.name1;
        QCOMPARE(flagged, defaultName.isEmpty() ? QStringList {} : QStringList {defaultName});
        const CDefaultSender found = lookupDefaultSender(testRegister());
        QCOMPARE(found.found, !defaultName.isEmpty());
        QCOMPARE(found.name1, defaultName);
        QCOMPARE(found.account, defaultName.isEmpty() ? QString() : QStringLiteral("12-10101023-0000261395100000"));
    }

    void transactionKeepsAllOrNothing_data()
    {
        QTest::addColumn<bool>("commit");
        QTest::addColumn<int>("rows");
        QTest::newRow("committed") << true << 3;
        QTest::newRow("guard ended without commit") << false << 1;
    }
    void transactionKeepsAllOrNothing()
    {
        QFETCH(bool, commit);
        QFETCH(int, rows);
        addParties({{"A"}});
        {
            const auto store = PartyStore::open(testRegister());
            PartyStore::Transaction t(*store);
            Party b = party(QStringLiteral("B")), c = party(QStringLiteral("C"), TypNadawca, true);
            store->add(b);
            store->add(c);   // its own guard inside the outer one commits nothing
            QCOMPARE(PartyStore::open(testRegister())->list({}, PartySort::Natural).size(), size_t(1));
            if (commit)
                t.commit();
        }
        QCOMPARE(namesOf().size(), rows);
    }

    // The file's register copied to the office's register: what is missing
    // is added, what is there stays, and a second copy adds nothing.
    void copyAddsWhatIsMissingOnce()
    {
        addParties({{"ALFA", 0}, {"Biuro", 3, true}});
        const RegisterLocation file {env.path() + QStringLiteral("/lokalny.db")};
        const auto from = PartyStore::open(file);
        std::vector<Party> local;
        for (int i = 0; i < 120; ++i) {
            Party p = party(QStringLiteral("Kontrahent %1 Żółć").arg(i), quint8(i % 4), i == 7);
            p.name2 = QStringLiteral("ul. Długa %1").arg(i);
            p.check = QString::number(10 + i % 90);
            from->add(p);
            local.push_back(p);
        }
        for (Party p : {party(QStringLiteral("alfa"), 0), party(QStringLiteral("Alfa"), 1)}) {
            from->add(p);
            local.push_back(p);
        }
        const auto to = PartyStore::open(testRegister());
        const RegisterCopyResult first = copyRegister(*from, *to);
        QCOMPARE(first.copied, 121);   // "alfa" of kind 0 is there as "ALFA"
        QCOMPARE(first.present, 1);
        const RegisterCopyResult second = copyRegister(*from, *to);
        QCOMPARE(second.copied, 0);
        QCOMPARE(second.present, 122);
        QCOMPARE(second.summary(), QStringLiteral("Skopiowano na serwer: 0.\nByło już na serwerze: 122."));
        // Row by row: every copied party whole, the target's default kept.
        const std::vector<Party> there = to->list({}, PartySort::Natural);
        QCOMPARE(there.size(), size_t(123));
        for (size_t i = 0; i < 120; ++i) {
            Party expected = local[i], got = there[i + 2];
            expected.isDefault = false;
            expected.id = got.id;
            expected.version = got.version;
            QCOMPARE(got, expected);
        }
        QCOMPARE(to->defaultSender()->name1, QStringLiteral("Biuro"));
    }

    // An older program's file: no version table, no row version. An older
    // program's server: a name index without the id, made anew once no
    // other user holds the table (lists are only slower meanwhile).
    void olderRegisterBroughtUpToDate()
    {
        if (onServer()) {
            addParties({{"B"}, {"A"}});
            serverExec("DROP INDEX Kh_Nazwa1; CREATE INDEX Kh_Nazwa1 ON Kontrahent (Kh_Klucz, Kh_Typ, Kh_Domyslny)");
            const QByteArray indexColumnsAre = "DO $$ BEGIN IF (SELECT indnatts FROM pg_index"
                                               " WHERE indexrelid = 'kh_nazwa1'::regclass) <> %1"
                                               " THEN RAISE EXCEPTION 'name index'; END IF; END $$";
            RegisterHolder other(env.dbPath());
            QVERIFY(other.hold());
            RegisterLocation shortWait = testRegister();
            shortWait.busyTimeoutMs = 300;
            QCOMPARE(PartyStore::open(shortWait)->list({}, PartySort::Name).size(), size_t(2));
            serverExec(QByteArray(indexColumnsAre).replace("%1", "3"));
            other.release();
            QCOMPARE(namesOf(), (QStringList {"A", "B"}));
            serverExec(QByteArray(indexColumnsAre).replace("%1", "4"));
            return;
        }
        QDir().mkpath(QFileInfo(env.dbPath()).absolutePath());
        {
            OtherProgram old(env.dbPath());
            QCOMPARE(old.exec("CREATE TABLE Kontrahent (Kh_IdKontrahenta INTEGER PRIMARY KEY AUTOINCREMENT,"
                              " Kh_Nazwa1 TEXT NOT NULL DEFAULT '', Kh_Nazwa2 TEXT NOT NULL DEFAULT '',"
                              " Kh_LiczbaKontrolna TEXT NOT NULL DEFAULT '', Kh_BankOdbiorcy TEXT NOT NULL DEFAULT '',"
                              " Kh_Rachunek TEXT NOT NULL DEFAULT '', Kh_Typ INTEGER NOT NULL DEFAULT 0,"
                              " Kh_Domyslny INTEGER NOT NULL DEFAULT 0);"
                              "INSERT INTO Kontrahent (Kh_Nazwa1, Kh_Typ, Kh_Domyslny) VALUES ('Stara Firma', 3, 1);"),
                     SQLITE_OK);
        }
        const auto store = PartyStore::open(testRegister());
        Party p = *store->defaultSender();
        QCOMPARE(p.name1, QStringLiteral("Stara Firma"));
        QCOMPARE(p.version, 1);
        p.name2 = QStringLiteral("nowy adres");
        store->update(p);
        QCOMPARE(store->find(p.id)->name2, QStringLiteral("nowy adres"));
    }

    // A register this program must not use is refused whole and left as it
    // was: a damaged file, or a register a newer program laid out (nothing
    // of it is changed, not even what this program would bring up to date).
    void unusableRegisterRefusedAndKept_data()
    {
        QTest::addColumn<QByteArray>("file");      // its content; empty: a newer program's register
        QTest::addColumn<QString>("message");
        QTest::newRow("not a database") << QByteArray("To nie jest baza danych, tylko tekst użytkownika.\n").repeated(40)
                                        << "uszkodzony";
        QTest::newRow("truncated header") << QByteArray("SQLite format 3\0\x10\0", 18) << "uszkodzony";
        QTest::newRow("a newer program's") << QByteArray()
                                           << "pochodzi z nowszej wersji programu; ta wersja jej nie zmieni.";
    }
    void unusableRegisterRefusedAndKept()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        const char *newer = "UPDATE Kh_Schemat SET Wersja = 99; DROP INDEX Kh_Nazwa1";
        if (file.isEmpty()) {
            addParties({{"Firma"}});
            if (onServer())
                serverExec(newer);
            else
                QCOMPARE(OtherProgram(env.dbPath()).exec(newer), SQLITE_OK);
        } else if (onServer()) {
            QSKIP("a file on this computer");
        } else {
            QDir().mkpath(QFileInfo(env.dbPath()).absolutePath());
            QVERIFY(writeFile(env.dbPath(), file));
        }
        const QByteArray before = readFile(env.dbPath());
        try {
            PartyStore::open(testRegister());
            QFAIL("a register this program must not use was opened");
        } catch (const CRegisterError &e) {
            QVERIFY2(e.message().contains(message), qPrintable(e.message()));
        }
        if (onServer())
            serverExec("DO $$ BEGIN IF (SELECT max(Wersja) FROM Kh_Schemat) <> 99 OR to_regclass('kh_nazwa1') IS NOT NULL"
                       " OR (SELECT count(*) FROM Kontrahent) <> 1 THEN RAISE EXCEPTION 'the register was changed'; END IF; END $$");
        else
            QCOMPARE(readFile(env.dbPath()), before);
    }

    // A write the register cannot take (another program holds it, or the
    // server dropped the connection: restarted, the network gone) waits as
    // long as it may, says so and never claims to have happened; the
    // register serves again after, over a new connection where it was lost.
    void refusedWriteThenServesAgain_data()
    {
        QTest::addColumn<bool>("connectionLost");
        QTest::addColumn<QString>("message");
        QTest::newRow("held by another program") << false << "zajęta";
        QTest::newRow("connection lost") << true << "przerwane";
    }
    void refusedWriteThenServesAgain()
    {
        QFETCH(bool, connectionLost);
        QFETCH(QString, message);
        if (connectionLost && !onServer())
            QSKIP("a server connection");
        addParties({{"A"}});
        RegisterHolder other(env.dbPath());
        QVERIFY(connectionLost || other.hold());
        RegisterLocation shortWait = testRegister();
        shortWait.busyTimeoutMs = 300;
        const auto store = PartyStore::open(shortWait);
        if (connectionLost)
            serverExec("SELECT pg_terminate_backend(pid) FROM pg_stat_activity"
                       " WHERE datname = current_database() AND pid <> pg_backend_pid()");
        QElapsedTimer t;
        t.start();
        Party b = party(QStringLiteral("B"));
        try {
            store->add(b);
            QFAIL("a write the register could not take was taken");
        } catch (const CRegisterError &e) {
            QVERIFY2(e.message().contains(message), qPrintable(e.message()));
        }
        QVERIFY(connectionLost || t.elapsed() >= 300);
        other.release();
        QCOMPARE(namesOf(), QStringList {"A"});
        store->add(b);
        QCOMPARE(namesOf(), (QStringList {"A", "B"}));
    }

    // A file another program writes to cannot even be read meanwhile.
    void fileLockedForWritingWaitsThenReports()
    {
        if (onServer())
            QSKIP("a file on this computer");
        addParties({{"A"}});
        OtherProgram other(env.dbPath());
        QCOMPARE(other.exec("BEGIN EXCLUSIVE"), SQLITE_OK);
        RegisterLocation shortWait = testRegister();
        shortWait.busyTimeoutMs = 300;
        QElapsedTimer t;
        t.start();
        QVERIFY_THROWS_EXCEPTION(CRegisterError, PartyStore::open(shortWait));
        QVERIFY(t.elapsed() >= 300);
    }

    void wildcards_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("match");
        QTest::newRow("prefix") << "Kowalski" << "kow*" << true;
        QTest::newRow("prefix miss") << "Nowak" << "kow*" << false;
        QTest::newRow("empty pattern star") << "" << "*" << true;
        QTest::newRow("# not a letter") << "AB" << "A#" << false;
        QTest::newRow("whole") << "Ćma" << "ćMA" << true;
        QTest::newRow("star backtracks") << "abcabd" << "*ab?" << true;
        QTest::newRow("many stars stay fast") << QString(54, u'a') << "*a*a*a*a*a*a*a*a*a*a*b" << false;
        QTest::newRow("stars and digits") << "Faktura 2024/11" << "f*#/##" << true;
    }
    void wildcards()
    {
        QFETCH(QString, value);
        QFETCH(QString, pattern);
        QFETCH(bool, match);
        QCOMPARE(PolishCollation::wildcardMatch(value, pattern), match);
        // A server matches the typed start of a name through the key.
        const QRegularExpression onKey(PolishCollation::keyPrefixRegex(pattern));
        QCOMPARE(onKey.match(QString::fromLatin1(PolishCollation::key(value))).hasMatch(),
                 PolishCollation::wildcardMatch(value, pattern + u'*'));
    }
};

QTEST_GUILESS_MAIN(TestPartyStore)
#include "test_party_store.moc"
