// The options sheet offscreen: its pages load and save as the user sees them,
// a refused value keeps the sheet open, Cancel changes nothing, the previews
// follow the controls, and a print after OK uses what the sheet took back.

#include "DialogScript.h"
#include "WidgetFit.h"
#include "PdfText.h"
#include "base/AppIdentity.h"
#include "base/HelpHook.h"
#include "options/FormOptionsPage.h"
#include "options/OptionsDlg.h"
#include "options/OptionsRules.h"
#include "options/OptionsSheet.h"
#include "options/SpinEdit.h"
#include "model/PrzelewDane.h"
#include "print/FormPages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QStringList kFonts {QStringLiteral("Arial"), QStringLiteral("Arial Black"), QStringLiteral("Arial CE"),
                          QStringLiteral("Liberation Mono"), QStringLiteral("Liberation Mono CE")};
const QStringList kPrinters {QStringLiteral("Biuro"), QStringLiteral("PDF"), QStringLiteral("zaplecze")};

// Records the messages instead of showing boxes.
class Sheet : public COptionsSheet
{
public:
    explicit Sheet(const AllSettings &s) : COptionsSheet(s, Lists {kPrinters, kFonts}) { script.keepMessages(errors); }
    QStringList errors;
    DialogScript script;
};

CSpinEdit *numberEdit(CFormOptionsPage *page, const QString &which)
{
    if (which == QLatin1String("X"))
        return page->shiftX();
    if (which == QLatin1String("Y"))
        return page->shiftY();
    return which == QLatin1String("scaleX") ? page->scaleX() : page->scaleY();
}

constexpr double kTolerance = 0.15;     // mm

// The sample ordinary order printed to an A4 PDF without margins, read back.
PdfText printSample(CFormPrinter &printer, const QString &path)
{
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(path);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    {
        FormPageJob job(printer, pdf);
        if (!job.printPage(CFormPreview::sampleOrder(FormKind::Ordinary)))
            return {};
    }
    return PdfText::read(path);
}

} // namespace

class TestOptionsSheet : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config;

private Q_SLOTS:
    void initTestCase()
    {
        // The sheet remembers its size: in a folder of the test's own.
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
        setUpApplicationIdentity();
    }

    void enlargedSheetGrowsThePreviewAndKeepsItsSize()
    {
        AllSettings s;
        QSize enlarged;
        for (int opening = 0; opening < 2; ++opening) {
            Sheet sheet(s);
            sheet.tabs()->setCurrentIndex(1);
            sheet.show();
            QVERIFY(QTest::qWaitForWindowExposed(&sheet));
            CFormOptionsPage *page = sheet.formPage(FormKind::Ordinary);
            if (opening == 0) {
                const QSize small = page->preview()->size();
                const QImage before = page->previewImage();
                enlarged = sheet.size() + QSize(400, 300);
                sheet.resize(enlarged);
                QTRY_VERIFY(page->preview()->height() >= small.height() + 250);
                const QImage after = page->previewImage();
                QVERIFY(after.height() > before.height() + 200);
                QVERIFY(after.height() <= page->preview()->height() && after.width() <= page->preview()->width());
                saveShot(sheet, QStringLiteral("opcje-powiekszone"));
            } else {
                QCOMPARE(sheet.size(), enlarged);   // as it was left
            }
            sheet.reject();
        }
    }

    void formListRemembersPositionPerState()
    {
        AllSettings s;
        s.ordinary.originalForm = 1;
        s.ordinary.formTypeOrig = 0;
        s.ordinary.formType = 3;
        Sheet sheet(s);
        CFormOptionsPage *page = sheet.formPage(FormKind::Ordinary);
        QCOMPARE(itemTexts(page->formList()), formListTexts(FormKind::Ordinary, true));
        page->formList()->setCurrentIndex(2);
        QCOMPARE(page->formList()->currentText(), QStringLiteral("Samokopiujący - 4 warstwy"));
        page->originalBox()->click();
        QCOMPARE(itemTexts(page->formList()), formListTexts(FormKind::Ordinary, false));
        QCOMPARE(page->formList()->currentIndex(), 3);     // the drawn list's stored position
        page->originalBox()->click();
        QCOMPARE(page->formList()->currentIndex(), 2);
        page->originalBox()->click();
        page->formList()->setCurrentIndex(1);
        sheet.accept();
        QCOMPARE(sheet.result().ordinary.originalForm, 0);
        QCOMPARE(sheet.result().ordinary.formType, 1);
        QCOMPARE(sheet.result().ordinary.formTypeOrig, 2);  // remembered from the other state
    }

    void storedPositionOutsideItsListFallsBackToZero_data()
    {
        QTest::addColumn<int>("original");
        QTest::newRow("pre-printed tax form 7") << 1;
        QTest::newRow("drawn tax form 9") << 0;
    }
    void storedPositionOutsideItsListFallsBackToZero()
    {
        QFETCH(int, original);
        AllSettings s;
        s.tax.originalForm = original;
        s.tax.formTypeOrig = 7;
        s.tax.formType = 9;
        Sheet sheet(s);
        CFormOptionsPage *page = sheet.formPage(FormKind::Tax);
        QCOMPARE(page->formList()->currentIndex(), 0);
        QVERIFY(!page->previewImage().isNull());
        sheet.accept();
        QCOMPARE(sheet.errors, QStringList());
        QCOMPARE(original ? sheet.result().tax.formTypeOrig : sheet.result().tax.formType, 0);
    }

    void numbersAreCheckedOnOk_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        QTest::addColumn<int>("saved");
        const QString shiftRange = QStringLiteral("Proszę wprowadzić liczbę całkowitą z przedziału -100 i 100.");
        const QString scaleRange = QStringLiteral("Proszę wprowadzić liczbę całkowitą z przedziału 50 i 150.");
        const QString whole = QStringLiteral("Proszę wprowadzić liczbę całkowitą.");
        QTest::newRow("X 120 refused") << "X" << "120" << shiftRange << 0;
        QTest::newRow("X 80 passes beyond the arrows") << "X" << "80" << QString() << 80;
        QTest::newRow("X abc not a whole number") << "X" << "abc" << whole << 0;
        QTest::newRow("Y -100") << "Y" << "-100" << QString() << -100;
        QTest::newRow("Y -101") << "Y" << "-101" << shiftRange << 0;
        QTest::newRow("scale 49") << "scaleX" << "49" << scaleRange << 0;
        QTest::newRow("scale 151") << "scaleY" << "151" << scaleRange << 0;
        QTest::newRow("scale 150") << "scaleY" << "150" << QString() << 150;
        QTest::newRow("scale empty") << "scaleX" << "" << whole << 0;
    }
    void numbersAreCheckedOnOk()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, error);
        QFETCH(int, saved);
        for (FormKind kind : {FormKind::Ordinary, FormKind::Zus, FormKind::Tax}) {
            Sheet sheet {AllSettings()};
            sheet.show();
            CFormOptionsPage *page = sheet.formPage(kind);
            CSpinEdit *edit = numberEdit(page, field);
            edit->setText(text);
            sheet.accept();
            if (error.isEmpty()) {
                QCOMPARE(sheet.errors, QStringList());
                QCOMPARE(sheet.result(), [&] {
                    AllSettings expected;
                    PrintSettings &ps = expected.forKind(kind);
                    (field == "X" ? ps.offsetX : field == "Y" ? ps.offsetY : field == "scaleX" ? ps.scaleX : ps.scaleY) = saved;
                    return expected;
                }());
                continue;
            }
            QCOMPARE(sheet.errors, QStringList({error}));
            QCOMPARE(sheet.result(), AllSettings());            // nothing taken
            QVERIFY(sheet.isVisible());
            QCOMPARE(sheet.tabs()->currentWidget(), page);     // the sheet turned to the page
            QCOMPARE(sheet.focusWidget(), edit);
            QCOMPARE(edit->findChild<QLineEdit *>()->selectedText(), text);
        }
    }

    // Every control of every tab against one table: its label with the Alt
    // letter, which must put the focus on it, and for a number the range its
    // arrows keep to (what OK accepts is checked above). An empty label: the
    // control is not on that tab.
    void everyControlAgainstItsTable_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("low");       // low == high: no arrows
        QTest::addColumn<int>("high");
        const char *tabs[] = {"Ogólne", "Przelew", "Przelew ZUS", "Przelew US", "Rejestr"};
        const auto row = [&](int tab, const char *control, const char *label, int low = 0, int high = 0) {
            QTest::addRow("%s: %s", tabs[tab], control) << tab << QString::fromLatin1(control)
                                                         << QString::fromUtf8(label) << low << high;
        };
        row(0, "printer", "&Drukarka domyślna:");
        row(0, "font", "&Czcionka:");
        row(0, "fontSize", "&Rozmiar czcionki:");
        row(0, "delimiter", "Ogranicznik kwoty:");
        row(0, "autoOpen", "&Automatyczne otwarcie ostatniego pliku");
        for (int tab : {1, 2, 3}) {
            row(tab, "formType", "Rodzaj &formularza:");
            row(tab, "originalForm", "Druk na &oryginalnym formularzu");
            row(tab, "printSymbol", "Drukowanie &symbolu przelewu");
            row(tab, "fitInBox", "Drukowanie w &kratkach");
            row(tab, "offsetX", "&X:", -50, 50);
            row(tab, "offsetY", "&Y:", -50, 50);
            row(tab, "scaleX", "W &poziomie:", 50, 150);
            row(tab, "scaleY", "W p&ionie:", 50, 150);
            row(tab, "paymentQr", tab == 2 ? "" : "Kod &QR do płatności");
        }
        row(2, "noZusAccount", "&Nie drukuj numeru rachunku bankowego ZUS");
        row(2, "threeZusBoxes", "&Drukuj tylko 1, 2 i 21 kratkę rachunku bankowego ZUS");
        row(3, "opType", "Drukuj oznaczenie &rodzaju operacji finansowej");
        row(4, "registerFile", "&Plik na tym komputerze");
        row(4, "registerServer", "Serwer Post&greSQL, wspólny dla biura");
        row(4, "registerHost", "&Adres serwera:");
        row(4, "registerPort", "P&ort:", 1, 65535);
        row(4, "registerDatabase", "&Baza danych:");
        row(4, "registerUser", "&Użytkownik:");
        row(4, "checkConnection", "Sprawdź połą&czenie");
        row(4, "copyToServer", "&Kopiuj rejestr na serwer");
    }
    void everyControlAgainstItsTable()
    {
        QFETCH(int, tab);
        QFETCH(QString, control);
        QFETCH(QString, label);
        QFETCH(int, low);
        QFETCH(int, high);
        AllSettings s;
        s.registerPlace.onServer = 1;   // every control of the register tab in use
        Sheet sheet(s);
        const auto answer = [](const RegisterSettings &) { return QStringLiteral("gotowe"); };
        sheet.setRegisterActions(QStringLiteral("/dom/kantomix.db"), answer, answer);
        sheet.show();
        QVERIFY(QTest::qWaitForWindowActive(&sheet));
        sheet.tabs()->setCurrentIndex(tab);
        auto *widget = sheet.tabs()->currentWidget()->findChild<QWidget *>(control);
        QCOMPARE(widget != nullptr, !label.isEmpty());
        if (!widget)
            return;
        QCOMPARE(labelText(sheet, widget), label);
        // The Alt letter presses a button, or puts the focus on a labelled field.
        const qsizetype amp = label.indexOf(u'&');
        const auto pressLetter = [&] {
            sheet.tabs()->tabBar()->setFocus();
            QTest::keyClick(sheet.tabs()->tabBar(), label[amp + 1].toLower().toLatin1(), Qt::AltModifier);
        };
        if (auto *button = qobject_cast<QAbstractButton *>(widget); button && amp >= 0) {
            QSignalSpy clicked(button, &QAbstractButton::clicked);
            pressLetter();
            QTRY_COMPARE(clicked.size(), 1);
        } else if (amp >= 0) {
            pressLetter();
            QCOMPARE(sheet.focusWidget(), widget);
        }
        auto *spin = qobject_cast<QAbstractSpinBox *>(widget);
        QCOMPARE(spin != nullptr, low != high);
        if (!spin)
            return;
        QLineEdit *text = spin->findChild<QLineEdit *>();
        if (auto *free = qobject_cast<CSpinEdit *>(spin)) {
            // A number typed beyond the arrows' range: one step brings it back.
            free->setText(QString::number(high + 30));
            free->stepBy(1);
            QCOMPARE(text->text(), QString::number(high));
        }
        spin->stepBy(-100000);
        QCOMPARE(text->text(), QString::number(low));
        spin->stepBy(200000);
        QCOMPARE(text->text(), QString::number(high));
    }

    // A stored printer or font is shown as its list's entry (the font with
    // its character set; letter case ignored, a beginning enough); one this
    // machine lacks is said so in words (a font with the face printing
    // instead) and kept unless another is chosen.
    void storedPrinterAndFontInTheirLists_data()
    {
        QTest::addColumn<bool>("font");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("storedCharset");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("note");   // its beginning, "": none
        QTest::addColumn<QString>("choose");
        QTest::addColumn<QString>("saved");
        QTest::addColumn<int>("savedCharset");
        const QString lacking = QStringLiteral(" — brak w systemie");
        QTest::newRow("printer shown") << false << "Biuro" << 0 << "Biuro" << "" << "" << "Biuro" << 0;
        QTest::newRow("printer, letter case ignored") << false << "ZAPL" << 0 << "zaplecze" << "" << "" << "zaplecze" << 0;
        QTest::newRow("missing printer kept") << false << "Dawna" << 0 << "" << "Dawna" + lacking << "" << "Dawna" << 0;
        QTest::newRow("no printer stored, none shown") << false << "" << 0 << "" << "" << "" << "" << 0;
        QTest::newRow("Arial 238 kept") << true << "Arial" << 238 << "Arial CE" << "" << "" << "Arial" << 238;
        QTest::newRow("plain Arial chosen") << true << "Arial" << 238 << "Arial CE" << "" << "Arial" << "Arial" << 1;
        QTest::newRow("CE chosen") << true << "Arial" << 1 << "Arial" << "" << "Liberation Mono CE" << "Liberation Mono"
                                   << 238;
        QTest::newRow("missing font kept") << true << "Courier New" << 1 << ""
                                           << "Courier New" + lacking + QStringLiteral(", drukowana będzie czcionka ")
                                           << "" << "Courier New" << 1;
        QTest::newRow("font, a beginning selects") << true << "arial b" << 1 << "Arial Black" << "" << "" << "Arial Black"
                                                   << 1;
    }
    void storedPrinterAndFontInTheirLists()
    {
        QFETCH(bool, font);
        QFETCH(QString, stored);
        QFETCH(int, storedCharset);
        QFETCH(QString, shown);
        QFETCH(QString, note);
        QFETCH(QString, choose);
        QFETCH(QString, saved);
        QFETCH(int, savedCharset);
        AllSettings s;
        (font ? s.general.fontName : s.general.device) = stored;
        if (font)
            s.general.fontCharset = storedCharset;
        Sheet sheet(s);
        COptionsDlg *general = sheet.generalPage();
        QComboBox *list = font ? general->fontList() : general->printerList();
        const QLabel *noteLabel = font ? general->fontNote() : general->printerNote();
        QCOMPARE(list->currentText(), shown);
        if (shown.isEmpty())
            QCOMPARE(list->placeholderText(), stored);
        QCOMPARE(noteLabel->isVisibleTo(&sheet), !note.isEmpty());
        if (!note.isEmpty())
            QVERIFY2(noteLabel->text().startsWith(note), qPrintable(noteLabel->text()));
        if (!choose.isEmpty()) {
            list->setCurrentIndex(list->findText(choose));
            QVERIFY(!noteLabel->isVisibleTo(&sheet));
        }
        sheet.accept();
        QCOMPARE(font ? sheet.result().general.fontName : sheet.result().general.device, saved);
        if (font)
            QCOMPARE(sheet.result().general.fontCharset, savedCharset);
    }

    // Shown as stored (a size of 2 is no "20", a delimiter "*" no "**", a
    // size no font is made of kept while untouched) and typed key by key the
    // text stays as typed; a size outside 1 to 200 is refused on OK with the
    // range.
    void sizeAndDelimiterAsTyped_data()
    {
        QTest::addColumn<int>("storedSize");
        QTest::addColumn<QString>("storedDelimiter");
        QTest::addColumn<QString>("size");        // "": left as shown
        QTest::addColumn<QString>("delimiter");
        QTest::addColumn<int>("savedSize");
        QTest::addColumn<QString>("savedDelimiter");
        QTest::addColumn<QString>("error");     // on the size field, or with "delimiter" on that one
        const QString range = QStringLiteral("Proszę wprowadzić liczbę całkowitą z przedziału 1 i 200.");
        QTest::newRow("2 and * shown") << 2 << "*" << "" << "" << 2 << "*" << QString();
        QTest::newRow("stored 250 kept") << 250 << "*" << "" << "" << 250 << "*" << QString();
        QTest::newRow("1 stays 1") << 12 << "**" << "1" << "**" << 1 << "**" << QString();
        QTest::newRow("* stays *") << 12 << "**" << "12" << "*" << 12 << "*" << QString();
        QTest::newRow("typed 7") << 12 << "**" << "7" << "~~" << 7 << "~~" << QString();
        QTest::newRow("200") << 12 << "**" << "200" << "--" << 200 << "--" << QString();
        QTest::newRow("201 refused") << 12 << "**" << "201" << "--" << 12 << "**" << range;
        QTest::newRow("0 refused") << 12 << "**" << "0" << "--" << 12 << "**" << range;
        QTest::newRow("abc refused") << 12 << "**" << "abc" << "**" << 12 << "**"
                                     << QStringLiteral("Proszę wprowadzić liczbę całkowitą.");
        QTest::newRow("## accepted") << 12 << "**" << "10" << "##" << 10 << "##" << QString();
        QTest::newRow("### refused") << 12 << "**" << "10" << "###" << 12 << "**"
                                     << QStringLiteral("delimiter: Proszę wprowadzić najwyżej 2 znaków.");
    }
    void sizeAndDelimiterAsTyped()
    {
        QFETCH(int, storedSize);
        QFETCH(QString, storedDelimiter);
        QFETCH(QString, size);
        QFETCH(QString, delimiter);
        QFETCH(int, savedSize);
        QFETCH(QString, savedDelimiter);
        QFETCH(QString, error);
        AllSettings s;
        s.general.fontSize = storedSize;
        s.general.valueDelimiter = storedDelimiter;
        Sheet sheet(s);
        sheet.show();
        sheet.tabs()->setCurrentIndex(2);
        COptionsDlg *general = sheet.generalPage();
        QCOMPARE(general->sizeBox()->currentText(), QString::number(storedSize));
        QCOMPARE(general->delimiterBox()->currentText(), storedDelimiter);
        QCOMPARE(itemTexts(general->sizeBox()).size(), 10);
        QCOMPARE(itemTexts(general->delimiterBox()), QStringList({"**", "--", "~~"}));
        for (const auto &[box, text] : {std::pair {general->sizeBox(), size}, {general->delimiterBox(), delimiter}}) {
            if (text.isEmpty())
                continue;
            box->lineEdit()->setFocus();
            box->lineEdit()->selectAll();
            QTest::keyClicks(box->lineEdit(), text);
            QCOMPARE(box->currentText(), text);
        }
        sheet.accept();
        QComboBox *refused = error.startsWith(u"delimiter: ") ? general->delimiterBox() : general->sizeBox();
        error.remove(QStringLiteral("delimiter: "));
        QCOMPARE(sheet.errors, error.isEmpty() ? QStringList() : QStringList({error}));
        QCOMPARE(sheet.result().general.fontSize, savedSize);
        QCOMPARE(sheet.result().general.valueDelimiter, savedDelimiter);
        if (size.isEmpty() && delimiter.isEmpty())
            QCOMPARE(sheet.result(), s);   // untouched, nothing changed
        if (!error.isEmpty()) {
            QCOMPARE(sheet.tabs()->currentWidget(), general);
            QCOMPARE(sheet.focusWidget(), refused);
            QCOMPARE(refused->lineEdit()->selectedText(), refused == general->sizeBox() ? size : delimiter);
        }
    }

    void systemPrinterListOffersThePdfWriter()
    {
        const QStringList printers = COptionsDlg::printerEntries();
        QVERIFY(printers.contains(QStringLiteral("PDF")));
        QStringList sorted = printers;
        std::sort(sorted.begin(), sorted.end(),
                  [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
        QCOMPARE(printers, sorted);
    }

    void cancelLeavesEverySettingAsItWas()
    {
        AllSettings s;
        s.general.device = QStringLiteral("Biuro");
        s.zus.doNotPrintZusBankNo = 1;
        Sheet sheet(s);
        sheet.show();
        sheet.generalPage()->printerList()->setCurrentIndex(1);
        sheet.generalPage()->autoOpenBox()->click();
        sheet.generalPage()->fontList()->setCurrentIndex(0);
        sheet.generalPage()->delimiterBox()->setEditText(QStringLiteral("##"));
        for (FormKind kind : {FormKind::Ordinary, FormKind::Zus, FormKind::Tax}) {
            CFormOptionsPage *page = sheet.formPage(kind);
            page->originalBox()->click();
            page->symbolBox()->click();
            page->fitInBoxBox()->click();
            page->shiftX()->setText(QStringLiteral("7"));
            page->scaleY()->setText(QStringLiteral("120"));
        }
        sheet.formPage(FormKind::Zus)->noZusAccountBox()->click();
        sheet.formPage(FormKind::Tax)->opTypeBox()->click();
        sheet.buttons()->button(QDialogButtonBox::Cancel)->click();
        QCOMPARE(sheet.result(), s);
        QVERIFY(!sheet.isVisible());
    }

    void zusAccountBoxesDependOnEachOther()
    {
        AllSettings s;
        s.zus.doNotPrintZusBankNo = 1;
        s.zus.print3Kratki = 1;
        Sheet sheet(s);
        CFormOptionsPage *page = sheet.formPage(FormKind::Zus);
        QVERIFY(page->noZusAccountBox()->isChecked());
        QVERIFY(page->threeBoxesBox()->isChecked());
        QVERIFY(!page->threeBoxesBox()->isEnabled());
        page->noZusAccountBox()->click();
        QVERIFY(page->threeBoxesBox()->isEnabled());
        QVERIFY(page->threeBoxesBox()->isChecked());        // keeps its state
        page->noZusAccountBox()->click();
        QVERIFY(!page->threeBoxesBox()->isChecked());
        QVERIFY(!page->threeBoxesBox()->isEnabled());
        QVERIFY(!sheet.formPage(FormKind::Ordinary)->noZusAccountBox());
        QVERIFY(sheet.formPage(FormKind::Tax)->opTypeBox());
        sheet.accept();
        QCOMPARE(sheet.result().zus.doNotPrintZusBankNo, 1);
        QCOMPARE(sheet.result().zus.print3Kratki, 0);
    }

    void marksAreSavedPerKind()
    {
        Sheet sheet {AllSettings()};
        sheet.formPage(FormKind::Ordinary)->symbolBox()->click();
        sheet.formPage(FormKind::Zus)->fitInBoxBox()->click();
        sheet.formPage(FormKind::Zus)->threeBoxesBox()->click();
        sheet.formPage(FormKind::Tax)->opTypeBox()->click();
        sheet.formPage(FormKind::Tax)->originalBox()->click();
        sheet.formPage(FormKind::Ordinary)->paymentQrBox()->click();
        QVERIFY(!sheet.formPage(FormKind::Zus)->paymentQrBox());    // its accounts are closed
        sheet.accept();
        AllSettings expected;
        expected.ordinary.paymentQr = 1;
        expected.ordinary.printSymbol = 1;
        expected.zus.fitInBox = 0;
        expected.zus.print3Kratki = 1;
        expected.tax.opType = 1;
        expected.tax.originalForm = 0;
        QCOMPARE(sheet.result(), expected);
    }

    void previewFollowsTheControls_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("original");
        for (int kind = 0; kind < 3; ++kind)
            for (int original = 0; original < 2; ++original)
                QTest::addRow("kind %d, %s", kind, original ? "pre-printed" : "drawn") << kind << original;
    }
    void previewFollowsTheControls()
    {
        QFETCH(int, kind);
        QFETCH(int, original);
        AllSettings s;
        s.forKind(FormKind(kind)).originalForm = original;
        Sheet one(s), two(s);
        CFormOptionsPage *page = one.formPage(FormKind(kind));
        const QImage before = page->previewImage();
        QVERIFY(!before.isNull());
        QCOMPARE(two.formPage(FormKind(kind))->previewImage(), before);   // equal settings, equal pictures
        page->shiftX()->setText(QStringLiteral("10"));
        const QImage shifted = page->previewImage();
        QVERIFY(shifted != before);
        page->shiftX()->setText(QStringLiteral("abc"));    // not a number: the last good one stays
        QCOMPARE(page->previewImage(), shifted);
        page->shiftX()->setText(QStringLiteral("0"));
        QCOMPARE(page->previewImage(), before);
        page->scaleY()->setText(QStringLiteral("80"));
        QVERIFY(page->previewImage() != before);
        page->scaleY()->setText(QStringLiteral("100"));
        page->fitInBoxBox()->click();
        QVERIFY(page->previewImage() != before);
        page->fitInBoxBox()->click();
        if (QCheckBox *code = page->paymentQrBox()) {
            code->click();
            QVERIFY(page->previewImage() != before);
            code->click();
            QCOMPARE(page->previewImage(), before);
        }
        page->formList()->setCurrentIndex(1);
        QVERIFY(page->previewImage() != before);
    }

    void preprintedPreviewShowsTheFormFaintly()
    {
        AllSettings s;
        s.ordinary.originalForm = 1;
        Sheet sheet(s);
        CFormOptionsPage *page = sheet.formPage(FormKind::Ordinary);
        const QImage paper = page->previewImage();
        // Faint: the paper form's red is lighter than the drawn form's.
        auto reddest = [](const QImage &img) {
            int darkest = 255;
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x) {
                    const QColor c = img.pixelColor(x, y);
                    if (c.red() > c.green() + 40)
                        darkest = std::min(darkest, c.green());
                }
            return darkest;
        };
        page->originalBox()->click();
        page->formList()->setCurrentIndex(2);   // "Jednowarstwowy czerwony", the same form drawn
        const QImage drawn = page->previewImage();
        QVERIFY(reddest(paper) < 255);          // the form is there
        QVERIFY(reddest(paper) > reddest(drawn) + 60);
    }

    void pdfAfterOkUsesTheNewFormAndShift()
    {
        // The application keeps one settings block that its form printer reads.
        AllSettings app;
        app.ordinary.fitInBox = 0;
        CFormPrinter printer(app);
        Sheet sheet(app);
        CFormOptionsPage *page = sheet.formPage(FormKind::Ordinary);
        QVERIFY(page->originalBox()->isChecked());
        page->formList()->setCurrentIndex(1);   // "Jednowarstwowy A4": portrait, 85 mm lower
        page->shiftX()->setText(QStringLiteral("12"));
        page->shiftY()->setText(QStringLiteral("-5"));
        sheet.accept();
        QCOMPARE(sheet.errors, QStringList());
        takeBackOptions(app, sheet.result(), lookUpPrinter);

        QTemporaryDir dir;
        const PdfText text = printSample(printer, dir.filePath(QStringLiteral("po-opcjach.pdf")));
        QVERIFY(text.ok);
        QCOMPARE(text.pages.size(), 1);
        QVERIFY(text.pages[0].height() > text.pages[0].width());   // the new form's portrait sheet
        // The recipient stands at (75, 33 … 88) of the stub form's section, which begins
        // 600 to the right of the stub; text only: from the sheet's corner.
        const PdfWord recipient = text.first(QStringLiteral("ODBIORCA"));
        AllSettings plain;
        plain.ordinary = app.ordinary;
        plain.ordinary.offsetX = 0;
        plain.ordinary.offsetY = 0;
        CFormPrinter plainPrinter(plain);
        const PdfWord reference
            = printSample(plainPrinter, dir.filePath(QStringLiteral("bez-przesuniecia.pdf"))).first(QStringLiteral("ODBIORCA"));
        QVERIFY2(qAbs(reference.mm.left() - (60.0 + 7.5)) < kTolerance, qPrintable(QString::number(reference.mm.left())));
        QVERIFY(qAbs(reference.mm.center().y() - (85.0 + 6.05)) < 0.6);
        QVERIFY(qAbs(recipient.mm.left() - reference.mm.left() - 12.0) < 0.05);
        QVERIFY(qAbs(recipient.mm.top() - reference.mm.top() + 5.0) < 0.05);
    }

    void helpOpensTheOptionsSection()
    {
        QStringList asked;
        const HelpHandler before = setHelpHandler([&](const QString &section) { asked << section; });
        Sheet sheet {AllSettings()};
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        sheet.buttons()->button(QDialogButtonBox::Help)->click();
        QTest::keyClick(&sheet, Qt::Key_F1);
        setHelpHandler(before);
        QCOMPARE(asked, QStringList({QStringLiteral("opcje"), QStringLiteral("opcje")}));
        QCOMPARE(sheet.windowTitle(), QStringLiteral("Opcje"));
        QCOMPARE(sheet.tabs()->count(), 5);
        QCOMPARE(sheet.tabs()->tabText(0), QStringLiteral("Ogólne"));
        QCOMPARE(sheet.tabs()->tabText(3), QStringLiteral("Przelew US"));
        QCOMPARE(sheet.tabs()->tabText(4), QStringLiteral("Rejestr"));
        QVERIFY(!sheet.buttons()->button(QDialogButtonBox::Apply));
    }

    // Where the register lives: the page takes the choice back on OK,
    // refuses a server without a database, and its two buttons hand the
    // edited (not yet saved) choice to the application's actions.
    void registerPage_data()
    {
        QTest::addColumn<bool>("server");
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("error");       // on OK and on either button
        QTest::addColumn<bool>("copyEnabled");
        QTest::newRow("the file") << false << "" << "" << false;
        QTest::newRow("a server") << true << "biuro" << "" << true;
        QTest::newRow("a server without a database") << true << " " << "Proszę podać nazwę bazy danych na serwerze." << true;
    }
    void registerPage()
    {
        QFETCH(bool, server);
        QFETCH(QString, database);
        QFETCH(QString, error);
        QFETCH(bool, copyEnabled);
        Sheet sheet {AllSettings()};
        QList<RegisterSettings> asked;
        sheet.setRegisterActions(QStringLiteral("/dom/kantomix.db"),
                                 [&](const RegisterSettings &r) { asked << r; return QStringLiteral("sprawdzono"); },
                                 [&](const RegisterSettings &r) { asked << r; return QStringLiteral("skopiowano"); });
        CRegisterPage *page = sheet.registerPage();
        sheet.show();
        sheet.tabs()->setCurrentWidget(page);
        (server ? page->serverButton() : page->fileButton())->click();
        QCOMPARE(page->databaseEdit()->isEnabled(), server);
        QCOMPARE(page->copyButton()->isEnabled(), copyEnabled);
        page->hostEdit()->setText(QStringLiteral("serwer.biuro"));
        page->portBox()->setValue(6543);
        page->databaseEdit()->setText(database);
        page->userEdit()->setText(QStringLiteral("anna"));
        page->checkButton()->click();
        QCOMPARE(page->statusLabel()->text(), error.isEmpty() ? QStringLiteral("sprawdzono") : error);
        if (copyEnabled) {
            page->copyButton()->click();
            QCOMPARE(page->statusLabel()->text(), error.isEmpty() ? QStringLiteral("skopiowano") : error);
        }
        QCOMPARE(asked.size(), error.isEmpty() ? (copyEnabled ? 2 : 1) : 0);
        for (const RegisterSettings &r : asked)
            QCOMPARE(r.onServer, server ? 1 : 0);
        sheet.accept();
        QCOMPARE(sheet.errors, error.isEmpty() ? QStringList() : QStringList {error});
        if (!error.isEmpty()) {
            QCOMPARE(sheet.tabs()->currentWidget(), page);
            QCOMPARE(sheet.focusWidget(), page->databaseEdit());
            return;
        }
        const RegisterSettings saved = sheet.result().registerPlace;
        QCOMPARE(saved.onServer, server ? 1 : 0);
        QCOMPARE(saved.host + u'|' + QString::number(saved.port) + u'|' + saved.database + u'|' + saved.user,
                 QStringLiteral("serwer.biuro|6543|%1|anna").arg(database));
    }

    void everyTextFitsAtLargerFonts_data()
    {
        QTest::addColumn<int>("points");
        QTest::newRow("11 pt") << 11;
        QTest::newRow("16 pt") << 16;
    }
    void everyTextFitsAtLargerFonts()
    {
        QFETCH(int, points);
        const AppFontSize font(points);
        AllSettings s;
        s.zus.originalForm = 0;
        Sheet sheet(s);
        sheet.show();
        QVERIFY(QTest::qWaitForWindowExposed(&sheet));
        static const char *const names[] = {"ogolne", "przelew", "przelew-zus", "przelew-us", "rejestr"};
        for (int tab = 0; tab < sheet.tabs()->count(); ++tab) {
            sheet.tabs()->setCurrentIndex(tab);
            QCoreApplication::processEvents();
            saveShot(sheet, QStringLiteral("opcje-%1-%2pt").arg(QLatin1String(names[tab])).arg(points));
            QCOMPARE(cutTexts(sheet), QStringList());
        }
    }
};

QTEST_MAIN(TestOptionsSheet)
#include "test_options_sheet.moc"
