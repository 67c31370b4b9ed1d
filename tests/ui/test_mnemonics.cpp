// Every window and page reached by its letters: within what is shown at one
// time, no two labels, buttons, group titles or tabs share an Alt letter,
// nor two actions of one tool bar.
// Walks the windows themselves, so a control added later is checked too.

#include "RegisterTestEnv.h"
#include "UiFixture.h"

#include "about/AboutBox.h"
#include "app/ElixirExportDlg.h"
#include "app/OrderPreview.h"
#include "app/OrderPrinting.h"
#include "edit/ContainerDlg.h"
#include "edit/ZusTransferDlg.h"
#include "import/HopDlg.h"
#include "model/KantomixDoc.h"
#include "model/PrzelewDane.h"
#include "options/OptionsSheet.h"
#include "print/FormPages.h"
#include "register/KontrahentDlg.h"
#include "register/ListaKontrDlg.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPrinter>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QTest>
#include <functional>
#include <memory>

namespace {

// The texts of `window` shown now that share a letter. A tool bar's actions
// count among themselves: those that do not fit go into the bar's overflow
// menu, letters and all.
QStringList clashesIn(QWidget *window)
{
    QStringList texts, clashes;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window))
            continue;
        if (auto *label = qobject_cast<QLabel *>(w); label && label->buddy())
            texts << label->text();
        else if (auto *button = qobject_cast<QAbstractButton *>(w))
            texts << button->text();
        else if (auto *group = qobject_cast<QGroupBox *>(w))
            texts << group->title();
        else if (auto *tabs = qobject_cast<QTabBar *>(w))
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
        else if (auto *bar = qobject_cast<QToolBar *>(w)) {
            QStringList actions;
            for (QAction *a : bar->actions())
                actions << a->text();
            clashes << clashesAmong(actions);
        }
    }
    return clashes << clashesAmong(texts);
}

} // namespace

class TestMnemonics : public QObject
{
    Q_OBJECT

    RegisterTestEnv m_env;

    // Shows the window, lets `each` bring up each of its states in turn and
    // checks every state.
    static void checkWindow(QWidget *window, const QString &name, int states = 1,
                            const std::function<void(int)> &each = {})
    {
        window->show();
        for (int state = 0; state < states; ++state) {
            if (each)
                each(state);
            const QStringList clashes = clashesIn(window);
            QVERIFY2(clashes.isEmpty(), qPrintable(QStringLiteral("%1 (%2): %3")
                                                       .arg(name).arg(state).arg(clashes.join(QStringLiteral("; ")))));
        }
        window->hide();
    }

private Q_SLOTS:
    void everyWindowHasUniqueLetters_data()
    {
        QTest::addColumn<QString>("window");
        for (const char *name : {"details", "options", "recipients", "senders", "recipient", "sender", "about",
                                 "firm", "preview", "dos import", "bank export", "zus transfer"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void everyWindowHasUniqueLetters()
    {
        QFETCH(QString, window);
        AllSettings settings;
        if (window == u"details") {
            CPrzelewDane rec;
            CContainerDlg dlg(rec, settings, testRegister());
            checkWindow(&dlg, window, 3, [&](int page) { dlg.ShowPage(page + 1); });
        } else if (window == u"options") {
            COptionsSheet sheet(settings, {{QStringLiteral("PDF")}, {QStringLiteral("Liberation Mono")}});
            checkWindow(&sheet, window, sheet.tabs()->count(),
                        [&](int tab) { sheet.tabs()->setCurrentIndex(tab); });
        } else if (window == u"recipients" || window == u"senders") {
            CListaKontrDlg dlg(window == u"recipients", true, 3);
            checkWindow(&dlg, window);
        } else if (window == u"recipient" || window == u"sender") {
            CKontrahentDlg dlg(window == u"recipient");
            checkWindow(&dlg, window);
        } else if (window == u"about") {
            CAboutBox box;
            checkWindow(&box, window);
        } else if (window == u"firm") {
            CAboutFirm box;
            checkWindow(&box, window);
        } else if (window == u"preview") {
            CKantomixDoc doc;
            CFormPrinter forms(settings);
            QPrinter printer;
            COrderPreviewDlg preview(forms, printer, doc, OrderPrintRequest::forBlankForm(0), [] { return false; });
            checkWindow(&preview, window);
        } else if (window == u"dos import") {
            CHopDlg dlg(testRegister());
            checkWindow(&dlg, window);
        } else if (window == u"bank export") {
            // With orders lacking a sender: the sender's row is shown too.
            CElixirExportDlg dlg({}, 1, settings.general);
            checkWindow(&dlg, window);
        } else if (window == u"zus transfer") {
            CZusTransferDlg dlg(QStringLiteral("5261040828"), {}, QStringLiteral("Składki"));
            checkWindow(&dlg, window);
        }
    }
};

QTEST_MAIN(TestMnemonics)
#include "test_mnemonics.moc"
