// What the options sheet decides, without a window.

#include "options/FontList.h"
#include "options/OptionsRules.h"

#include <QTest>

Q_DECLARE_METATYPE(std::optional<PrinterDetails>)

namespace {
bool coversEveryOtherFamily(const QString &family)
{
    return family.endsWith(u'1') || family.endsWith(u']');
}
} // namespace

class TestOptionsRules : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wholeNumberChecks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("value");
        const QString whole = QStringLiteral("Proszę wprowadzić liczbę całkowitą.");
        const QString shiftRange = QStringLiteral("Proszę wprowadzić liczbę całkowitą z przedziału -100 i 100.");
        const QString scaleRange = QStringLiteral("Proszę wprowadzić liczbę całkowitą z przedziału 50 i 150.");
        QTest::newRow("80 passes the shift") << "80" << -100 << 100 << QString() << 80;
        QTest::newRow("120 out of the shift") << "120" << -100 << 100 << shiftRange << 0;
        QTest::newRow("-100 at the limit") << "-100" << -100 << 100 << QString() << -100;
        QTest::newRow("-101") << "-101" << -100 << 100 << shiftRange << 0;
        QTest::newRow("blanks around") << " +7 " << -100 << 100 << QString() << 7;
        QTest::newRow("abc") << "abc" << -100 << 100 << whole << 0;
        QTest::newRow("empty") << "" << -100 << 100 << whole << 0;
        QTest::newRow("sign alone") << "-" << -100 << 100 << whole << 0;
        QTest::newRow("decimal") << "1,5" << -100 << 100 << whole << 0;
        QTest::newRow("exponent") << "1e2" << -100 << 100 << whole << 0;
        QTest::newRow("too long to read") << "99999999999999999999999" << -100 << 100 << shiftRange << 0;
        QTest::newRow("scale 49") << "49" << 50 << 150 << scaleRange << 0;
        QTest::newRow("scale 150") << "150" << 50 << 150 << QString() << 150;
    }
    void wholeNumberChecks()
    {
        QFETCH(QString, text);
        QFETCH(int, low);
        QFETCH(int, high);
        QFETCH(QString, error);
        QFETCH(int, value);
        const NumberCheck check = checkWholeNumber(text, low, high);
        QCOMPARE(check.error, error);
        if (error.isEmpty())
            QCOMPARE(check.value, value);
    }

    // The size field gives the stored size while it shows it (even one no
    // font is made of: the store keeps it), else a whole number 1 to 200.
    void fontSizeFromTheField_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("size");      // 0: refused
        QTest::addColumn<QString>("error");
        const QString range = QStringLiteral("Proszę wprowadzić liczbę całkowitą z przedziału 1 i 200.");
        const QString whole = QStringLiteral("Proszę wprowadzić liczbę całkowitą.");
        QTest::newRow("typed 7") << "7" << 10 << 7 << QString();
        QTest::newRow("list 24") << "24" << 10 << 24 << QString();
        QTest::newRow("200") << " 200 " << 10 << 200 << QString();
        QTest::newRow("201 refused") << "201" << 10 << 0 << range;
        QTest::newRow("5000 refused") << "5000" << 10 << 0 << range;
        QTest::newRow("0 refused") << "0" << 10 << 0 << range;
        QTest::newRow("abc refused") << "abc" << 10 << 0 << whole;
        QTest::newRow("empty refused") << "" << 10 << 0 << whole;
        QTest::newRow("stored 250 untouched") << "250" << 250 << 250 << QString();
        QTest::newRow("stored 250 changed to 260") << "260" << 250 << 0 << range;
    }
    void fontSizeFromTheField()
    {
        QFETCH(QString, text);
        QFETCH(int, stored);
        QFETCH(int, size);
        QFETCH(QString, error);
        const NumberCheck check = fontSizeFromText(text, stored);
        QCOMPARE(check.error, error);
        if (size)
            QCOMPARE(check.value, size);
    }

    void fontEntriesCarryTheCentralEuropeanSet()
    {
        QString name;
        int charset = 0;
        QCOMPARE(fontEntryText(QStringLiteral("Arial"), 238), QStringLiteral("Arial CE"));
        QCOMPARE(fontEntryText(QStringLiteral("Arial"), 1), QStringLiteral("Arial"));
        splitFontEntry(QStringLiteral("Arial CE"), name, charset);
        QCOMPARE(name, QStringLiteral("Arial"));
        QCOMPARE(charset, 238);
        splitFontEntry(QStringLiteral("Arial"), name, charset);
        QCOMPARE(charset, 1);
        // A twin is added once, a family of two foundries once without their
        // tags, and the list is sorted without regard to case.
        const QStringList entries = buildFontEntries({QStringLiteral("beta1"), QStringLiteral("Alpha"),
                                                      QStringLiteral("beta1"), QStringLiteral("Nimbus Mono PS [URW ]"),
                                                      QStringLiteral("Nimbus Mono PS [UKWN]")},
                                                     coversEveryOtherFamily);
        QCOMPARE(entries, QStringList({QStringLiteral("Alpha"), QStringLiteral("beta1"), QStringLiteral("beta1 CE"),
                                       QStringLiteral("Nimbus Mono PS"), QStringLiteral("Nimbus Mono PS CE")}));
    }

    void systemFontsListPolishFacesTwice()
    {
        // Liberation Mono (the print font's stand-in) has the Polish letters.
        const QStringList &entries = printFontEntries();
        QVERIFY(entries.contains(QStringLiteral("Liberation Mono")));
        QVERIFY(entries.contains(QStringLiteral("Liberation Mono CE")));
        QVERIFY(coversPolishLetters(QStringLiteral("Liberation Mono")));
        QVERIFY(!coversPolishLetters(QStringLiteral("No Such Family Anywhere")));
        for (const QString &entry : entries)
            QVERIFY2(!entry.contains(u'['), qPrintable(entry));
    }

    void entryBeginningWithText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("index");
        QTest::newRow("exact") << "Arial" << 0;
        QTest::newRow("letter case ignored") << "arial b" << 1;
        QTest::newRow("prefix") << "Cour" << 2;
        QTest::newRow("none") << "Times" << -1;
    }
    void entryBeginningWithText()
    {
        QFETCH(QString, text);
        QFETCH(int, index);
        const QStringList entries {QStringLiteral("Arial"), QStringLiteral("Arial Black"),
                                   QStringLiteral("Courier New")};
        QCOMPARE(findEntryBeginning(entries, text), index);
    }

    void formListsAndPositions()
    {
        QCOMPARE(formListTexts(FormKind::Ordinary, true).at(0), QStringLiteral("Jednowarstwowy "));
        QCOMPARE(formListTexts(FormKind::Ordinary, true).at(2), QStringLiteral("Samokopiujący - 4 warstwy"));
        QCOMPARE(formListTexts(FormKind::Ordinary, false).size(), 5);
        QCOMPARE(formListTexts(FormKind::Zus, false).at(1), QStringLiteral("Standardowy A4 czarno-biały"));
        QCOMPARE(formListTexts(FormKind::Tax, true),
                 QStringList({QStringLiteral("Jednowarstwowy "), QStringLiteral("Samokopiujący - 4 warstwy"),
                              QStringLiteral("Standardowy A4")}));
        QCOMPARE(formListPosition(FormKind::Tax, true, 2), 2);
        QCOMPARE(formListPosition(FormKind::Tax, true, 3), 0);
        QCOMPARE(formListPosition(FormKind::Tax, false, -1), 0);
        QCOMPARE(formListPosition(FormKind::Zus, false, 1), 1);
    }

    void takeBackLooksUpAChangedPrinter_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<std::optional<PrinterDetails>>("found");
        QTest::addColumn<QString>("driver");
        QTest::addColumn<QString>("port");
        QTest::addColumn<bool>("reselect");
        QTest::addColumn<int>("lookups");
        QTest::newRow("found") << "Biuro" << std::optional<PrinterDetails>(PrinterDetails {"HP 1020", "usb://hp"})
                               << "HP 1020" << "usb://hp" << true << 1;
        QTest::newRow("not found: driver and port kept") << "Zniknęła" << std::optional<PrinterDetails>()
                                                          << "stary" << "lpt1" << false << 1;
        QTest::newRow("unchanged: not looked up") << "Stara" << std::optional<PrinterDetails>()
                                                   << "stary" << "lpt1" << false << 0;
        QTest::newRow("same name in other case is a change") << "stara"
                                                             << std::optional<PrinterDetails>(PrinterDetails {})
                                                             << "" << "" << true << 1;
    }
    void takeBackLooksUpAChangedPrinter()
    {
        QFETCH(QString, chosen);
        QFETCH(std::optional<PrinterDetails>, found);
        QFETCH(QString, driver);
        QFETCH(QString, port);
        QFETCH(bool, reselect);
        QFETCH(int, lookups);
        AllSettings app;
        app.general.device = QStringLiteral("Stara");
        app.general.driver = QStringLiteral("stary");
        app.general.port = QStringLiteral("lpt1");
        AllSettings edited = app;
        edited.general.device = chosen;
        edited.general.fontName = QStringLiteral("Arial");
        edited.general.fontCharset = 238;
        edited.zus.offsetX = -7;
        edited.tax.formTypeOrig = 2;
        int asked = 0;
        const bool again = takeBackOptions(app, edited, [&](const QString &name) {
            ++asked;
            [&] { QCOMPARE(name, chosen); }();
            return found;
        });
        QCOMPARE(again, reselect);
        QCOMPARE(asked, lookups);
        QCOMPARE(app.general.device, chosen);   // stored also when not found
        QCOMPARE(app.general.driver, driver);
        QCOMPARE(app.general.port, port);
        QCOMPARE(app.general.fontName, QStringLiteral("Arial"));
        QCOMPARE(app.general.fontCharset, 238);
        QCOMPARE(app.zus, edited.zus);
        QCOMPARE(app.tax, edited.tax);
    }

    void pdfWriterNeedsNoPrintSystem()
    {
        const std::optional<PrinterDetails> pdf = lookUpPrinter(pdfPrinterName());
        QVERIFY(pdf.has_value());
        QVERIFY(pdf->driver.isEmpty() && pdf->port.isEmpty());   // a batch print writes beside its file
        QVERIFY(!lookUpPrinter(QStringLiteral("Drukarka, której nie ma")).has_value());
    }
};

QTEST_MAIN(TestOptionsRules)
#include "test_options_rules.moc"
