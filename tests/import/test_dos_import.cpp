#include "DbfWriter.h"
#include "RegisterTestEnv.h"
#include "import/DbfTable.h"
#include "import/Hop.h"

#include <QTest>

namespace {

const QStringList OwnerCols {"FI_NAZWA", "FI_NRKONTA", "FI_MIASTO", "FI_ULICA", "FI_KODPOCZ"};
const QStringList Podmioty1Cols {"NAZWA", "KONTO", "MIASTO", "ADRES", "KOD", "NR_DOMU", "NR_LOKALU"};
const QStringList UrzedyCols {"US_NAZWA", "KONTO1", "US_MIASTO", "US_ULICA", "US_KODZIP", "US_NRDOMU"};
const QStringList EwfirmyCols {"FIRMA", "KONTO", "MIASTO", "ULICA", "KOD"};
const QStringList Podmioty2Cols {"PO_NAZWA", "PO_RACH", "PO_MIASTO", "PO_ULICA", "PO_KODPOCZ", "PO_NRDOMU", "PO_NRLOKAL"};
const QStringList YyFirmyCols {"FI_NAZWA", "FI_NAZWA2", "FI_NRKONTA", "FI_MIASTO", "FI_ULICA", "FI_KODPOCZ"};
const QStringList YyPracCols {"PC_NAZWISK", "PC_IMIE1", "PC_NRKONTA", "PC_MIASTO", "PC_ULICA", "PC_KODPOCZ", "PC_NRDOMU", "PC_NRLOKALU"};
const QStringList YyUrzedyCols {"IS_NAZWA", "IS_NRKONTA", "IS_MIASTO", "IS_ULICA", "IS_KODPOCZ", "IS_NRDOMU", "IS_NRLOKALU"};
const QStringList PracowCols {"NAZWISKO", "IMIE1", "KONTO1", "MIASTO", "ULICA", "KODZIP", "NR_DOMU", "NR_LOKALU"};

const QString Nrb = QStringLiteral("12101010230000261395100000");

// The party of that name as the register holds it; an empty one when none.
Party partyNamed(const QString &name)
{
    for (const Party &p : partiesOf())
        if (p.name1 == name)
            return p;
    return {};
}

} // namespace

class TestDosImport : public QObject
{
    Q_OBJECT

    RegisterTestEnv env;
    QString root;   // the folder the user picks; tables live in root/dbfs

    QString dbfs() const { return root + QStringLiteral("/dbfs"); }

    CHop runImport(int source)
    {
        const auto target = PartyStore::open(testRegister());
        CHop hop(source, CHop::dataFolderOf(root), *target);
        hop.Run();
        return hop;
    }

private Q_SLOTS:
    void init()
    {
        env.reset();
        static int n = 0;
        root = env.path() + QStringLiteral("/dos%1").arg(++n);
        QDir().mkpath(root);
    }

    // A table's values as text, its code page by its mark, and what is left
    // of a damaged or cut table; its one column is "Pole".
    void dbfTables_data()
    {
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("codePage");
        QTest::addColumn<QString>("value");   // of the first record
        const auto one = [](char type, const QString &stored) {
            return buildDbf({{"Pole", type, type == 'L' ? 1 : type == 'D' ? 8 : 20}}, {{stored}});
        };
        QTest::newRow("character, trailing blanks dropped") << one('C', "Zakład Łódź  ") << true << 1 << 852 << "Zakład Łódź";
        QTest::newRow("numeric") << one('N', "2005") << true << 1 << 852 << "2005";
        QTest::newRow("date") << one('D', "20050131") << true << 1 << 852 << "31.01.2005";
        QTest::newRow("empty date") << one('D', "") << true << 1 << 852 << "";
        QTest::newRow("logical true") << one('L', "T") << true << 1 << 852 << "T";
        QTest::newRow("logical false") << one('L', "n") << true << 1 << 852 << "F";

        const auto marked = [](unsigned char mark, int codePage, const QString &name) {
            return buildDbf({{"Pole", 'C', 20}}, {{name}}, mark, codePage);
        };
        const QString polish = QStringLiteral("ŻÓŁĆ gęślą");
        QTest::newRow("852 marked") << marked(0x64, 852, polish) << true << 1 << 852 << polish;
        QTest::newRow("no mark means 852") << marked(0x00, 852, polish) << true << 1 << 852 << polish;
        QTest::newRow("unknown mark means 852") << marked(0x7F, 852, polish) << true << 1 << 852 << polish;
        QTest::newRow("Windows EE") << marked(0xC8, 1250, polish) << true << 1 << 1250 << polish;
        QTest::newRow("437") << marked(0x01, 437, "Café") << true << 1 << 437 << "Café";

        const QByteArray three = buildDbf({{"Pole", 'C', 20}}, {{"x"}, {"y"}, {"z"}});
        QCOMPARE(three.size(), 32 + 32 + 1 + 3 * 21 + 1);
        const auto cut = [&](int bytes) { return three.left(std::max(0, int(three.size()) - bytes)); };
        QTest::newRow("whole") << three << true << 3 << 852 << "x";
        QTest::newRow("end marker gone") << cut(1) << true << 3 << 852 << "x";
        QTest::newRow("last record half") << cut(12) << true << 2 << 852 << "x";
        QTest::newRow("records gone") << cut(64) << true << 0 << 852 << "";
        QTest::newRow("header cut") << cut(80) << false << 0 << 0 << "";
        QTest::newRow("only a few bytes") << cut(150) << false << 0 << 0 << "";
    }
    void dbfTables()
    {
        QFETCH(QByteArray, table);
        QFETCH(bool, opens);
        QFETCH(int, records);
        QFETCH(int, codePage);
        QFETCH(QString, value);
        CDbfTable t;
        QCOMPARE(t.parse(table), opens);
        if (!opens)
            return;
        QCOMPARE(t.recordCount(), records);
        QCOMPARE(t.codePage(), codePage);
        QCOMPARE(t.columnIndex(u"pOLE"), 0);
        if (records > 0)
            QCOMPARE(t.value(0, 0), value);
    }

    void folderCheck_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("dbfsName");
        QTest::addColumn<bool>("valid");
        QTest::newRow("Korvant owner") << 0 << "OWNER" << "dbfs" << true;
        QTest::newRow("Korvant without owner") << 0 << "PODMIOTY" << "dbfs" << false;
        QTest::newRow("Liczydor podmioty, upper-case folder") << 1 << "podmioty" << "DBFS" << true;
        QTest::newRow("Plasnik, no dbfs folder") << 3 << "PODMIOTY" << "dane" << false;
    }
    void folderCheck()
    {
        QFETCH(int, source);
        QFETCH(QString, table);
        QFETCH(QString, dbfsName);
        QFETCH(bool, valid);
        writeDbf(root + u'/' + dbfsName, table, charCols({"X"}), {});
        QCOMPARE(CHop::checkFolder(source, root), valid);
        QVERIFY(!CHop::checkFolder(source, QString()));
        QVERIFY(!CHop::checkFolder(source, root + QStringLiteral("/brak")));
    }

    void korvantImportsSendersAndCounterparties()
    {
        writeDbf(dbfs(), "OWNER", charCols(OwnerCols), {{"Moja Firma", Nrb, "Kraków", "Długa 5", "31-100"}});
        writeDbf(dbfs(), "FIRMY", charCols(OwnerCols),
                 {{"Alfa", "1010102300002613", "Łódź", "Piotrkowska 1", "90-001"},
                  {"*DEL*", "Usunięta", "", "", "", ""},
                  {"Beta", "", "", "", ""}});
        const CHop hop = runImport(CHop::Korvant);
        QCOMPARE(hop.added(), 3);
        QCOMPARE(hop.updated(), 0);
        QCOMPARE(hop.summary(), QStringLiteral("Zaimportowano: 3.\nZaktualizowano: 0."));
        const Party owner = partyNamed("Moja Firma");
        QCOMPARE(owner.kind, 3);
        QCOMPARE(owner.isDefault, false);
        QCOMPARE(owner.name2, QStringLiteral("31-100 Kraków,Długa 5"));
        QCOMPARE(owner.check + u'|' + owner.bank + u'|' + owner.account, QStringLiteral("12|10101023|0000261395100000"));
        const Party alfa = partyNamed("Alfa");
        QCOMPARE(alfa.kind, 0);
        QCOMPARE(alfa.check + u'|' + alfa.bank + u'|' + alfa.account, QStringLiteral("|10101023|00002613"));
        QCOMPARE(partyNamed("Beta").name2, QStringLiteral(" ,"));
        QCOMPARE(partiesOf().size(), 3);
    }

    void existingNameUpdatedWhateverKindAndCase()
    {
        addParties({{"FIRMA ALFA", 3, true}});
        writeDbf(dbfs(), "OWNER", charCols(OwnerCols), {});
        writeDbf(dbfs(), "FIRMY", charCols(OwnerCols), {{"firma alfa", "", "Gdańsk", "Morska 2", "80-001"}});
        const CHop hop = runImport(CHop::Korvant);
        QCOMPARE(hop.added(), 0);
        QCOMPARE(hop.updated(), 1);
        const std::vector<Party> rows = partiesOf();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].name1, QStringLiteral("FIRMA ALFA"));
        QCOMPARE(rows[0].kind, 0);
        QCOMPARE(rows[0].isDefault, true);   // the import never writes the flag
        QCOMPARE(rows[0].name2, QStringLiteral("80-001 Gdańsk,Morska 2"));
    }

    void liczydorNameMode1SubfoldersAndMissingTable()
    {
        const QString long55 = QString(40, u'A') + QString(15, u'B');
        const QString other55 = QString(40, u'A') + QString(15, u'C');
        writeDbf(dbfs(), "PODMIOTY", charCols(Podmioty1Cols, 80),
                 {{long55, "", "Warszawa", "Polna", "00-001", "7", ""}, {other55, "", "Radom", "Leśna", "26-600", "3", "12"}});
        writeDbf(dbfs(), "URZEDY", charCols(UrzedyCols),
                 {{"US Warszawa", "", "Warszawa", "Lindleya", "02-013", "14"}});
        writeDbf(dbfs() + "/2004", "EWFIRMY", charCols(EwfirmyCols), {{"Kontrahent 2004", "", "Opole", "Ozimska", "45-001"}});
        QDir().mkpath(dbfs() + "/2005");   // no EWFIRMY here: that step is skipped
        writeDbf(dbfs() + "/2006", "ewfirmy", charCols(EwfirmyCols), {{"Kontrahent 2006", "", "Nysa", "Rynek", "48-300"}});
        const CHop hop = runImport(CHop::Liczydor);
        QCOMPARE(hop.added(), 4);
        QCOMPARE(hop.updated(), 1);
        const Party sender = partyNamed(QString(40, u'A'));
        QCOMPARE(sender.kind, 3);
        QCOMPARE(sender.name2, QStringLiteral("26-600 Radom,Leśna 3//12"));
        QCOMPARE(partyNamed("US Warszawa").name2, QStringLiteral("02-013 Warszawa,Lindleya 14"));
        QCOMPARE(partyNamed("US Warszawa").kind, 2);
        QCOMPARE(partyNamed("Kontrahent 2004").kind, 0);
        QCOMPARE(partyNamed("Kontrahent 2006").kind, 0);
    }

    void kontrelYearlyTables()
    {
        writeDbf(dbfs(), "PODMIOTY", charCols(Podmioty2Cols), {{"Kontrel Sp. z o.o.", "", "Poznań", "Główna", "60-001", "1", "2"}});
        const QString sub = dbfs() + "/firma1";
        QDir().mkpath(sub);
        {
            QFile f(sub + "/LATA.DBF");
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(buildDbf({{"LT_ROK", 'N', 4}}, {{"2004"}, {"2005"}}));
        }
        writeDbf(sub, "04FIRMY", charCols(YyFirmyCols), {{"Firma", "Druga", "", "Lublin", "Zielona", "20-001"}});
        writeDbf(sub, "04PRAC", charCols(YyPracCols), {{"Nowak", "Jan", "", "Lublin", "Biała", "20-002", "5", ""}});
        writeDbf(sub, "04URZEDY", charCols(YyUrzedyCols), {{"US Lublin", "", "Lublin", "Szeroka", "20-003", "9", "1"}});
        writeDbf(sub, "05PRAC", charCols(YyPracCols), {{"NOWAK", "JAN", "", "Lublin", "Biała", "20-002", "6", ""}});
        const QString noYears = dbfs() + "/firma2";   // no LATA: its yearly tables are skipped
        writeDbf(noYears, "05FIRMY", charCols(YyFirmyCols), {{"Niewidoczna", "", "", "", "", ""}});
        const CHop hop = runImport(CHop::Kontrel);
        QCOMPARE(hop.added(), 4);
        QCOMPARE(hop.updated(), 1);
        QCOMPARE(partyNamed("Firma").kind, 0);   // name mode 2 ignores the second name
        const Party worker = partyNamed("Nowak Jan");
        QCOMPARE(worker.kind, 1);
        QCOMPARE(worker.name2, QStringLiteral("20-002 Lublin,Biała 6"));
        QCOMPARE(partyNamed("US Lublin").name2, QStringLiteral("20-003 Lublin,Szeroka 9//1"));
        QCOMPARE(partyNamed("Kontrel Sp. z o.o.").kind, 3);
        QCOMPARE(partyNamed("Niewidoczna").name1, QString());
    }

    void plasnikEmployeesEmptyAndTruncatedTables()
    {
        writeDbf(dbfs(), "PODMIOTY", charCols(Podmioty1Cols.mid(0, 1) + QStringList {"KONTO1"} + Podmioty1Cols.mid(2)),
                 {{"Płatnik", "PL" + Nrb, "Kielce", "Sienkiewicza", "25-001", "10", ""}});
        writeDbf(dbfs(), "URZEDY", charCols(UrzedyCols), {});
        writeDbf(dbfs() + "/a", "PRACOW", charCols(PracowCols),
                 {{"Kowalska", "Anna", "", "Kielce", "Mała", "25-002", "1", "4"},
                  {"Zieliński", "Piotr", "", "Kielce", "Duża", "25-003", "2", ""}});
        QByteArray cut = buildDbf(charCols(PracowCols, 20),
                                  {{"Wiśniewski", "Adam", "", "", "", "", "", ""}, {"Ucięty", "", "", "", "", "", "", ""}});
        cut.chop(30);
        QDir().mkpath(dbfs() + "/b");
        QFile f(dbfs() + "/b/PRACOW.DBF");
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(cut);
        f.close();
        const CHop hop = runImport(CHop::Plasnik);
        QCOMPARE(hop.added(), 4);
        QCOMPARE(hop.updated(), 0);
        const Party payer = partyNamed("Płatnik");
        QCOMPARE(payer.check + u'|' + payer.bank + u'|' + payer.account, QStringLiteral("12|10101023|0000261395100000"));
        QCOMPARE(partyNamed("Kowalska Anna").name2, QStringLiteral("25-002 Kielce,Mała 1//4"));
        QCOMPARE(partyNamed("Zieliński Piotr").name2, QStringLiteral("25-003 Kielce,Duża 2"));
        QCOMPARE(partyNamed("Wiśniewski Adam").kind, 1);
    }

    void emptyTablesLeaveRegisterUntouched()
    {
        addParties({{"Stary", 0}});
        writeDbf(dbfs(), "OWNER", charCols(OwnerCols), {});
        writeDbf(dbfs(), "FIRMY", charCols(OwnerCols), {{"*DEL*", "Skasowana", "", "", "", ""}});
        const CHop hop = runImport(CHop::Korvant);
        QCOMPARE(hop.summary(), QStringLiteral("Zaimportowano: 0.\nZaktualizowano: 0."));
        QCOMPARE(partiesOf().size(), 1);
    }

    // A second program reading the register (a read transaction open) keeps
    // the import from committing: the summary must say what the register
    // holds and name the failure, never count rows that were not kept.
    void importUnderAReaderReportsWhatTheRegisterHolds_data()
    {
        QTest::addColumn<bool>("readerHoldsLock");
        QTest::addColumn<int>("added");
        QTest::addColumn<int>("updated");
        QTest::addColumn<bool>("failed");
        QTest::newRow("reader holds the register") << true << 0 << 0 << true;
        QTest::newRow("nobody else") << false << 2 << 1 << false;
    }
    void importUnderAReaderReportsWhatTheRegisterHolds()
    {
        QFETCH(bool, readerHoldsLock);
        QFETCH(int, added);
        QFETCH(int, updated);
        QFETCH(bool, failed);
        addParties({{"Moja Firma", 0}});
        writeDbf(dbfs(), "OWNER", charCols(OwnerCols), {{"Moja Firma", Nrb, "Kraków", "Długa 5", "31-100"}});
        writeDbf(dbfs(), "FIRMY", charCols(OwnerCols),
                 {{"Alfa", "", "Łódź", "Piotrkowska 1", "90-001"}, {"Beta", "", "", "", ""}});
        RegisterHolder reader(env.dbPath());
        if (readerHoldsLock)
            QVERIFY(reader.hold());
        const int wait = testRegister().busyTimeoutMs;
        testRegister().busyTimeoutMs = 50;
        const CHop hop = runImport(CHop::Korvant);
        testRegister().busyTimeoutMs = wait;
        reader.release();

        QCOMPARE(hop.added(), added);
        QCOMPARE(hop.updated(), updated);
        QCOMPARE(hop.failed(), failed);
        const QString counts = QStringLiteral("Zaimportowano: %1.\nZaktualizowano: %2.").arg(added).arg(updated);
        if (failed) {
            QVERIFY2(hop.summary().startsWith(counts + QStringLiteral("\n\nPodczas importu wystąpił błąd.\n")),
                     qPrintable(hop.summary()));
            QVERIFY(hop.summary().contains(QStringLiteral("zajęta")));
            QCOMPARE(hop.errors().size(), 1); // the same failure of both steps, said once
        } else {
            QCOMPARE(hop.summary(), counts);
        }
        // What the summary counts is what the register holds.
        QCOMPARE(partiesOf().size(), 1 + hop.added());
        QCOMPARE(partyNamed("Moja Firma").kind, hop.updated() ? 3 : 0);
    }

    void missingColumnEndsOnlyThatStep()
    {
        writeDbf(dbfs(), "OWNER", charCols({"FI_NAZWA", "FI_MIASTO"}), {{"Bez ulicy", "X"}});
        writeDbf(dbfs(), "FIRMY", charCols(OwnerCols.mid(0, 1) + OwnerCols.mid(2)), {{"Bez konta", "Ełk", "Wąska", "19-300"}});
        const CHop hop = runImport(CHop::Korvant);
        QCOMPARE(hop.added(), 1);
        const Party r = partyNamed("Bez konta");
        QCOMPARE(r.check + r.bank + r.account, QString());
        QCOMPARE(r.name2, QStringLiteral("19-300 Ełk,Wąska"));
    }

    // The owner's account split into the three fields, its address cut to 54.
    void ownerAccountAndAddress_data()
    {
        QTest::addColumn<QStringList>("owner");   // name, account, city, street, postcode
        QTest::addColumn<QString>("parts");
        QTest::addColumn<QString>("address");
        const auto owner = [](const QString &account) { return QStringList {"Konto", account, "", "", ""}; };
        QTest::newRow("PL and 26 digits") << owner("PL" + Nrb) << "12|10101023|0000261395100000" << " ,";
        QTest::newRow("PL in groups with spaces")
            << owner("PL12 1010 1023 0000 2613 9510 0000") << "|12 1010 |1023 0000 2613 9510 0000" << " ,";
        QTest::newRow("old bank-account form") << owner("10101023-123456") << "|10101023|123456" << " ,";
        QTest::newRow("account cut to 34") << owner(QString(50, u'9')) << "|99999999|" + QString(34, u'9') << " ,";
        QTest::newRow("address cut to 54") << QStringList {"Długi adres", "", QString(40, u'M'), QString(40, u'U'), "00-000"}
                                           << "||" << "00-000 " + QString(40, u'M') + u',' + QString(6, u'U');
    }
    void ownerAccountAndAddress()
    {
        QFETCH(QStringList, owner);
        QFETCH(QString, parts);
        QFETCH(QString, address);
        writeDbf(dbfs(), "OWNER", charCols(OwnerCols, 60), {owner});
        runImport(CHop::Korvant);
        const Party r = partyNamed(owner[0]);
        QCOMPARE(r.check + u'|' + r.bank + u'|' + r.account, parts);
        QCOMPARE(r.name2, address);
    }
};

QTEST_GUILESS_MAIN(TestDosImport)
#include "test_dos_import.moc"
