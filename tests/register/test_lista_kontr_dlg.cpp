#include "DialogScript.h"
#include "RegisterTestEnv.h"
#include "WidgetFit.h"
#include "base/Messages.h"
#include "base/Settings.h"
#include "register/KontrahentDlg.h"
#include "register/ListaKontrDlg.h"
#include "controls/DialogPlacement.h"
#include "controls/WarningMark.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QFile>
#include <QPushButton>
#include <QSettings>
#include <QSizeGrip>
#include <QTableView>
#include "base/HelpHook.h"

#include <QTest>
#include <QTextBrowser>
#include <functional>

Q_DECLARE_METATYPE(KontrahentValues)

namespace {

// The list dialog with the test's answers: its error boxes are kept in
// `errors`, its questions and edit dialogs answered as scripted.
class ScriptedListDlg : public CListaKontrDlg
{
public:
    ScriptedListDlg(bool recipients, bool managing, int kinds) : CListaKontrDlg(recipients, managing, kinds)
    {
        script.keepMessages(errors);
    }
    DialogScript script;
    QStringList errors;
    KontrahentValues shownValues;
    bool shownRecipientMode = true;

    // The edit dialog's next run: `edit` fills it in; true presses OK, false cancels.
    void editOnce(std::function<bool(CKontrahentDlg &)> edit)
    {
        script.onDialog<CKontrahentDlg>([this, edit](CKontrahentDlg *d) {
            shownValues = d->values();
            shownRecipientMode = d->recipientMode();
            if (!edit(*d))
                d->reject();
            else if (d->isVisible())
                d->accept();
        });
    }
    // The edit dialog's next run: the values changed so, then OK.
    void changeOnce(std::function<void(KontrahentValues &)> change)
    {
        editOnce([change](CKontrahentDlg &d) {
            KontrahentValues v = d.values();
            change(v);
            d.setValues(v);
            return true;
        });
    }
    // The next question, answered Yes or No.
    std::shared_ptr<Asked> answer(bool yes) { return script.answer(yes ? QMessageBox::Yes : QMessageBox::No); }
};

QStringList listed(const CListaKontrDlg &dlg)
{
    QStringList out;
    auto *model = dlg.list()->model();
    for (int r = 0; r < model->rowCount(); ++r)
        out << model->index(r, 0).data().toString();
    return out;
}

void selectRows(CListaKontrDlg &dlg, const QList<int> &rows)
{
    auto *sel = dlg.list()->selectionModel();
    sel->clearSelection();
    for (int r : rows)
        sel->select(dlg.list()->model()->index(r, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

// Types a text key by key, Polish letters included (keyClicks knows ASCII only).
void typeText(QWidget *w, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

template <typename T>
T *child(QWidget *w, const char *name)
{
    return w->findChild<T *>(QLatin1String(name));
}

} // namespace

class TestListaKontrDlg : public QObject
{
    Q_OBJECT

    RegisterTestEnv env;
    std::unique_ptr<PartyStore> store;

    std::unique_ptr<ScriptedListDlg> makeDialog(bool recipients, bool managing, int kinds, const QString &placement = {})
    {
        store = PartyStore::open(testRegister());
        auto dlg = std::make_unique<ScriptedListDlg>(recipients, managing, kinds);
        dlg->setStore(store.get());
        if (managing)
            dlg->setSort(PartySort::Name);
        dlg->setPlacementName(placement);
        dlg->initDialog();
        return dlg;
    }

    void seed()
    {
        addParties({{"ŁÓDŹ SP. Z O.O.", 0}, {"Alfa", 0}, {"Jan Kowalski", 1}, {"Urząd Skarbowy", 2},
                    {"Firma \"Beta\"", 0}, {"Moja Firma", 3, true}, {"Druga Firma", 3}});
    }

private Q_SLOTS:
    void init()
    {
        env.reset();
        testRegister().busyTimeoutMs = 3000;
        QFile::remove(openSettingsStore()->fileName());
    }

    void modes_data()
    {
        QTest::addColumn<bool>("recipients");
        QTest::addColumn<bool>("managing");
        QTest::addColumn<int>("kinds");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("columns");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("bold");      // the row of the default sender, whose name alone is bold
        QTest::newRow("managing recipients") << true << true << 0xFF << "Odbiorcy" << "Od&biorcy:" << 3
            << QStringList {"Alfa", "Firma \"Beta\"", "Jan Kowalski", "ŁÓDŹ SP. Z O.O.", "Urząd Skarbowy"} << -1;
        QTest::newRow("managing senders") << false << true << 0xFF << "Nadawcy" << "&Nadawcy:" << 2
            << QStringList {"Druga Firma", "Moja Firma"} << 1;
        QTest::newRow("picking, ordinary page") << true << false << 3 << "Odbiorcy" << "Od&biorcy:" << 3
            << QStringList {"ŁÓDŹ SP. Z O.O.", "Alfa", "Jan Kowalski", "Firma \"Beta\""} << -1;
        QTest::newRow("picking, tax page") << true << false << 4 << "Odbiorcy" << "Od&biorcy:" << 3
            << QStringList {"Urząd Skarbowy"} << -1;
        QTest::newRow("picking a sender") << false << false << 0xFF << "Nadawcy" << "&Nadawcy:" << 2
            << QStringList {"Moja Firma", "Druga Firma"} << 0;
    }
    void modes()
    {
        QFETCH(bool, recipients);
        QFETCH(bool, managing);
        QFETCH(int, kinds);
        QFETCH(QString, title);
        QFETCH(QString, label);
        QFETCH(int, columns);
        QFETCH(QStringList, names);
        QFETCH(int, bold);
        seed();
        auto dlg = makeDialog(recipients, managing, kinds);
        QCOMPARE(dlg->windowTitle(), title);
        QCOMPARE(child<QLabel>(dlg.get(), "listLabel")->text(), label);
        QCOMPARE(dlg->list()->model()->columnCount(), columns);
        QCOMPARE(listed(*dlg), names);
        for (int r = 0; r < names.size(); ++r)
            for (int c = 0; c < columns; ++c) {
                const QVariant font = dlg->list()->model()->index(r, c).data(Qt::FontRole);
                QCOMPARE(font.isValid(), r == bold && c == 0);
                QVERIFY(!font.isValid() || font.value<QFont>().bold());
            }
        for (const char *b : {"addButton", "editButton", "deleteButton", "closeButton"})
            QCOMPARE(child<QWidget>(dlg.get(), b)->isVisibleTo(dlg.get()), managing);
        for (const char *b : {"okButton", "cancelButton"})
            QCOMPARE(child<QWidget>(dlg.get(), b)->isVisibleTo(dlg.get()), !managing);
        QCOMPARE(child<QCheckBox>(dlg.get(), "kindEmployees")->isVisibleTo(dlg.get()), recipients);
        QCOMPARE(child<QCheckBox>(dlg.get(), "kindEmployees")->isChecked(), recipients && (kinds & 2));
    }

    void kindBoxesAndNameFilter_data()
    {
        QTest::addColumn<QStringList>("untick");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("no kind ticked lists nothing")
            << QStringList {"kindCounterparties", "kindEmployees", "kindTaxOffices"} << "" << QStringList {};
        QTest::newRow("lower case finds upper case") << QStringList {} << "łódź" << QStringList {"ŁÓDŹ SP. Z O.O."};
        QTest::newRow("quote in the name filter") << QStringList {} << "firma \"b" << QStringList {"Firma \"Beta\""};
        QTest::newRow("wildcard kept") << QStringList {} << "*skarb" << QStringList {"Urząd Skarbowy"};
        QTest::newRow("employees only, prefix") << QStringList {"kindCounterparties", "kindTaxOffices"} << "j"
                                                << QStringList {"Jan Kowalski"};
    }
    void kindBoxesAndNameFilter()
    {
        QFETCH(QStringList, untick);
        QFETCH(QString, typed);
        QFETCH(QStringList, names);
        seed();
        auto dlg = makeDialog(true, true, 0xFF);
        dlg->show();
        for (const QString &box : untick)
            QTest::mouseClick(child<QCheckBox>(dlg.get(), box.toLatin1().constData()), Qt::LeftButton);
        typeText(child<QLineEdit>(dlg.get(), "nameFilter"), typed);
        QCOMPARE(listed(*dlg), names);
    }

    void headerClickSorts()
    {
        seed();
        auto dlg = makeDialog(true, true, 0xFF);
        dlg->show();
        const QHeaderView *header = dlg->list()->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(2) + 5, header->height() / 2));
        QCOMPARE(dlg->list()->model()->index(3, 2).data().toString(), QStringLiteral("Pracownik"));
        QCOMPARE(dlg->list()->model()->index(4, 2).data().toString(), QStringLiteral("Urząd skarbowy"));
    }

    void helpButtonOpensTheRegisterSection()
    {
        seed();
        QStringList asked;
        const HelpHandler previous = setHelpHandler([&](const QString &section) { asked << section; });
        auto dlg = makeDialog(true, true, 0xFF);
        dlg->show();
        auto *help = dlg->findChild<QPushButton *>(QStringLiteral("helpButton"));
        QVERIFY(help && help->isEnabled());
        QTest::mouseClick(help, Qt::LeftButton);
        setHelpHandler(previous);
        QCOMPARE(asked, QStringList {QString::fromLatin1(HelpTopic::Register)});
    }

    // "Usuń" or the Delete key in the list: asked first, "No" the default.
    void deleteSelectedRows_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QStringList>("left");
        const QStringList all {"R0", "R1", "R2", "R3", "R4", "R5", "R6", "R7"};
        const QStringList rowsGone {"R0", "R1", "R3", "R4", "R7"};
        QTest::newRow("Usuń, yes: rows 2, 5 and 6 go") << false << true << rowsGone;
        QTest::newRow("Usuń, no: nothing goes") << false << false << all;
        QTest::newRow("Delete key, yes") << true << true << rowsGone;
        QTest::newRow("Delete key, no") << true << false << all;
    }
    void deleteSelectedRows()
    {
        QFETCH(bool, byKey);
        QFETCH(bool, yes);
        QFETCH(QStringList, left);
        addParties({{"R0"}, {"R1"}, {"R2"}, {"R3"}, {"R4"}, {"R5"}, {"R6"}, {"R7"}});
        auto dlg = makeDialog(true, true, 0xFF);
        const auto question = dlg->answer(yes);
        if (byKey)
            dlg->show();
        selectRows(*dlg, {6, 2, 5});
        byKey ? QTest::keyClick(dlg->list(), Qt::Key_Delete) : dlg->onDelete();
        QCOMPARE(question->text, Msg::text(Msg::ConfirmDeleteParties));
        QCOMPARE(question->defaultButton, QMessageBox::No);
        QCOMPARE(listed(*dlg), left);
        QCOMPARE(namesOf(), left);
        QCOMPARE(dlg->isVisible(), byKey);   // the key does not close the list
    }

    void enterInTheManagingListClosesTheDialog()
    {
        seed();
        auto dlg = makeDialog(true, true, 0xFF);
        dlg->show();
        selectRows(*dlg, {1});
        dlg->list()->setFocus();
        QTest::keyClick(dlg->list(), Qt::Key_Return);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        QVERIFY(dlg->errors.isEmpty());
    }

    void messagesForSelection_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<QString>("message");
        QTest::newRow("Popraw, two rows") << "edit" << QList<int> {0, 1} << Msg::text(Msg::SeveralSelected);
        QTest::newRow("Popraw, none") << "edit" << QList<int> {} << Msg::text(Msg::NothingSelected);
        QTest::newRow("Usuń, none") << "delete" << QList<int> {} << Msg::text(Msg::NothingSelected);
    }
    void messagesForSelection()
    {
        QFETCH(QString, button);
        QFETCH(QList<int>, rows);
        QFETCH(QString, message);
        seed();
        auto dlg = makeDialog(true, true, 0xFF);
        selectRows(*dlg, rows);
        if (button == QLatin1String("edit"))
            dlg->onEdit();
        else
            dlg->onDelete();
        QCOMPARE(dlg->errors, QStringList {message});   // and no edit dialog, no question
        QCOMPARE(namesOf().size(), 7);
    }

    void addAndEditRecipient()
    {
        seed();
        auto dlg = makeDialog(true, true, 0xFF);
        dlg->editOnce([](CKontrahentDlg &d) {
            d.setValues({"12", "Nowy", "ul. Nowa 1", "10101023", "0000261395100000", 2, false});
            return true;
        });
        dlg->onAdd();
        QVERIFY(dlg->shownRecipientMode);
        QCOMPARE(listed(*dlg).size(), 6);
        QCOMPARE(namesOf(kinds(4)), (QStringList {"Nowy", "Urząd Skarbowy"}));
        selectRows(*dlg, {int(listed(*dlg).indexOf("Alfa"))});
        dlg->editOnce([](CKontrahentDlg &d) {
            KontrahentValues v = d.values();
            if (v.name != QStringLiteral("Alfa"))
                return false;
            v.name = QStringLiteral("Alfa 2");
            v.kind = 1;
            d.setValues(v);
            return true;
        });
        dlg->onEdit();
        QVERIFY(listed(*dlg).contains("Alfa 2"));
        QCOMPARE(namesOf(kinds(2)), (QStringList {"Alfa 2", "Jan Kowalski"}));
    }

    // The register refuses the save (another program holds it, or the
    // server's connection is lost): its message is shown and the edit
    // dialog comes back with the typed text, stored once the register serves.
    void refusedSaveKeepsTheTypedParty_data()
    {
        QTest::addColumn<bool>("adding");
        QTest::addColumn<bool>("connectionLost");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("Dodaj, register held") << true << false << "zajęta" << QStringList {"Alfa", "Nowy Żuraw"};
        QTest::newRow("Popraw, register held") << false << false << "zajęta" << QStringList {"Nowy Żuraw"};
        QTest::newRow("Dodaj, connection lost") << true << true << "przerwane" << QStringList {"Alfa", "Nowy Żuraw"};
        QTest::newRow("Popraw, connection lost") << false << true << "przerwane" << QStringList {"Nowy Żuraw"};
    }
    void refusedSaveKeepsTheTypedParty()
    {
        QFETCH(bool, adding);
        QFETCH(bool, connectionLost);
        QFETCH(QString, message);
        QFETCH(QStringList, stored);
        if (connectionLost && !onServer())
            QSKIP("a server connection");
        addParties({{"Alfa"}});
        testRegister().busyTimeoutMs = 50;
        auto dlg = makeDialog(true, true, 0xFF);
        RegisterHolder other(env.dbPath());
        QList<KontrahentValues> shown;
        const auto editor = [&](CKontrahentDlg &d) {
            shown << d.values();
            if (shown.size() > 1) {
                other.release();
                return true;
            }
            KontrahentValues v = d.values();
            v.name = QStringLiteral("Nowy Żuraw");
            v.name2 = QStringLiteral("ul. Polna 1");
            d.setValues(v);
            if (connectionLost)
                serverExec("SELECT pg_terminate_backend(pid) FROM pg_stat_activity"
                           " WHERE datname = current_database() AND pid <> pg_backend_pid()");
            else
                other.hold();
            return true;
        };
        dlg->editOnce(editor);
        dlg->editOnce(editor);
        if (!adding)
            selectRows(*dlg, {0});
        adding ? dlg->onAdd() : dlg->onEdit();
        QCOMPARE(dlg->errors.size(), 1);
        QVERIFY2(dlg->errors[0].contains(message), qPrintable(dlg->errors[0]));
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[1].name + u'|' + shown[1].name2, QStringLiteral("Nowy Żuraw|ul. Polna 1"));
        QCOMPARE(namesOf(), stored);
        QCOMPARE(listed(*dlg), stored);
    }

    // Another user saves or deletes the party while this one edits it: the
    // save says so, and the user reloads, keeps the text or saves it anew.
    void anotherUsersSaveIsNeverOverwritten_data()
    {
        QTest::addColumn<bool>("deleted");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("shownAgain");   // name continued on the dialog's second run, "" for none
        QTest::addColumn<QString>("stored");       // name continued in the register, "-" for no party
        QTest::newRow("changed: reload and save theirs") << false << true << "ich" << "ich";
        QTest::newRow("changed: keep the typed text") << false << false << "moja" << "ich";
        QTest::newRow("deleted: saved as new") << true << true << "" << "moja";
        QTest::newRow("deleted: keep the typed text") << true << false << "moja" << "-";
    }
    void anotherUsersSaveIsNeverOverwritten()
    {
        QFETCH(bool, deleted);
        QFETCH(bool, answer);
        QFETCH(QString, shownAgain);
        QFETCH(QString, stored);
        addParties({{"Alfa"}});
        auto dlg = makeDialog(true, true, 0xFF);
        selectRows(*dlg, {0});
        QList<KontrahentValues> shown;
        const auto editor = [&](CKontrahentDlg &d) {
            shown << d.values();
            if (shown.size() > 1)
                return answer && !deleted;   // the reloaded data is taken; typed text cancelled
            KontrahentValues v = d.values();
            v.name2 = QStringLiteral("moja");
            d.setValues(v);
            const auto theirs = PartyStore::open(testRegister());
            Party p = *theirs->findByName(QStringLiteral("Alfa"));
            p.name2 = QStringLiteral("ich");
            deleted ? theirs->remove({p.id}) : theirs->update(p);
            return true;
        };
        dlg->editOnce(editor);
        const auto question = dlg->answer(answer);
        if (!shownAgain.isEmpty())
            dlg->editOnce(editor);
        dlg->onEdit();
        QVERIFY2(question->text.contains(QStringLiteral("inny")) || question->text.contains(QStringLiteral("innego")),
                 qPrintable(question->text));
        QCOMPARE(shown.size(), shownAgain.isEmpty() ? 1 : 2);
        if (!shownAgain.isEmpty())
            QCOMPARE(shown[1].name2, shownAgain);
        const std::vector<Party> rows = partiesOf();
        QCOMPARE(rows.empty() ? QStringLiteral("-") : rows.front().name2, stored);
        QVERIFY(dlg->errors.isEmpty());
    }

    void senderDefaultRule()
    {
        auto dlg = makeDialog(false, true, 0xFF);
        dlg->changeOnce([](KontrahentValues &v) { v.name = QStringLiteral("Pierwsza"); });
        dlg->onAdd();
        QVERIFY(!dlg->shownRecipientMode);
        QVERIFY(dlg->shownValues.isDefault);   // the first sender starts as default
        dlg->changeOnce([](KontrahentValues &v) { v.name = QStringLiteral("Druga"); });
        dlg->onAdd();
        QVERIFY(!dlg->shownValues.isDefault);
        QCOMPARE(namesOf({15, {}, true}), QStringList {"Pierwsza"});
        QCOMPARE(namesOf(kinds(8)), (QStringList {"Druga", "Pierwsza"}));

        selectRows(*dlg, {int(listed(*dlg).indexOf("Druga"))});
        dlg->changeOnce([](KontrahentValues &v) { v.isDefault = true; });
        dlg->onEdit();
        QCOMPARE(namesOf({15, {}, true}), QStringList {"Druga"});
    }

    void pickListDrivenByKeys_data()
    {
        QTest::addColumn<QString>("typed");     // into the name filter first
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("picked");        // row of the list as shown after typing
        QTest::newRow("Enter in the filter takes the first row") << "" << "Enter" << 0;
        QTest::newRow("Down and Up from the filter") << "" << "Down Down Down Up Enter" << 2;
        QTest::newRow("typed, then Enter") << "jan" << "Enter" << 0;
        QTest::newRow("the list's letter, then Enter") << "" << "Alt+B Down Enter" << 1;
    }
    void pickListDrivenByKeys()
    {
        QFETCH(QString, typed);
        QFETCH(QString, keys);
        QFETCH(int, picked);
        seed();
        auto dlg = makeDialog(true, false, 0xFF);
        dlg->show();
        QApplication::setActiveWindow(dlg.get());
        QVERIFY(QTest::qWaitForWindowActive(dlg.get()));
        QLineEdit *filter = child<QLineEdit>(dlg.get(), "nameFilter");
        filter->setFocus();
        typeText(filter, typed);
        // Rows shown: the first is current and selected.
        QVERIFY(dlg->list()->model()->rowCount() > picked);
        QCOMPARE(dlg->list()->currentIndex().row(), 0);
        QCOMPARE(dlg->list()->selectionModel()->selectedRows().size(), 1);
        const QString expected = listed(*dlg).at(picked);
        // The keys go where the focus is: the filter, or the list once its letter was pressed.
        QWidget *focus = filter;
        for (const QString &key : keys.split(u' ')) {
            const QKeyCombination k = QKeySequence(key)[0];
            QCOMPARE(QApplication::focusWidget(), focus);
            QTest::keyClick(focus, k.key(), k.keyboardModifiers());
            if (k.keyboardModifiers() & Qt::AltModifier)
                focus = dlg->list();
        }
        QVERIFY(dlg->errors.isEmpty());
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        QVERIFY(dlg->picked());
        QCOMPARE(dlg->picked()->name1, expected);
    }

    void pickingOkAndDoubleClick()
    {
        seed();
        auto dlg = makeDialog(true, false, 0xFF);
        dlg->show();
        selectRows(*dlg, {});
        QTest::keyClick(dlg->list(), Qt::Key_Return);
        QCOMPARE(dlg->errors, QStringList {Msg::text(Msg::NothingSelected)});
        QVERIFY(dlg->isVisible());
        // Below the last row: nothing happens.
        QTest::mouseDClick(dlg->list()->viewport(), Qt::LeftButton, {}, QPoint(20, dlg->list()->viewport()->height() - 3));
        QVERIFY(dlg->isVisible());
        QCOMPARE(dlg->result(), 0);
        const int row = listed(*dlg).indexOf("Jan Kowalski");
        const QRect cell = dlg->list()->visualRect(dlg->list()->model()->index(row, 0));
        QTest::mouseClick(dlg->list()->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(dlg->list()->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(dlg->errors.size(), 1);
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        QCOMPARE(dlg->picked()->name1, QStringLiteral("Jan Kowalski"));
    }

    // The parties chosen stay chosen, the current one current, wherever an
    // edit, a filter or a sort moves them; one the filter hides is let go.
    void chosenPartiesStayChosen()
    {
        seed();
        auto dlg = makeDialog(true, true, 0xFF);
        QItemSelectionModel *selection = dlg->list()->selectionModel();
        const auto chosen = [&] {
            QStringList names;
            for (const QModelIndex &i : selection->selectedRows())
                names << i.data().toString();
            names.sort();
            return names;
        };
        const auto rowOf = [&](const char *name) { return int(listed(*dlg).indexOf(QString::fromUtf8(name))); };
        selectRows(*dlg, {rowOf("Alfa")});
        selection->setCurrentIndex(dlg->list()->model()->index(rowOf("Alfa"), 0), QItemSelectionModel::NoUpdate);
        dlg->changeOnce([](KontrahentValues &v) { v.name = QStringLiteral("Zeta"); });
        dlg->onEdit();
        QCOMPARE(chosen(), QStringList {"Zeta"});
        QCOMPARE(dlg->list()->currentIndex().row(), rowOf("Zeta"));
        selectRows(*dlg, {rowOf("Zeta"), rowOf("Jan Kowalski")});
        child<QLineEdit>(dlg.get(), "nameFilter")->setText(QStringLiteral("j"));
        QCOMPARE(chosen(), QStringList {"Jan Kowalski"});
        child<QLineEdit>(dlg.get(), "nameFilter")->clear();
        dlg->onSort(2);
        QCOMPARE(chosen(), QStringList {"Jan Kowalski"});
        QVERIFY(dlg->errors.isEmpty());
    }

    // Rows are read from the register as they are shown: a party another
    // user removed meanwhile is not picked but named gone; rows the register
    // cannot give while shown are said once and stay blank.
    void rowsReadAsShown()
    {
        {
            const auto writer = PartyStore::open(testRegister());
            PartyStore::Transaction t(*writer);
            for (int i = 0; i < 150; ++i) {
                Party p = party(QStringLiteral("P%1").arg(i, 3, 10, QLatin1Char('0')));
                writer->add(p);
            }
            t.commit();
        }
        testRegister().busyTimeoutMs = 300;
        auto dlg = makeDialog(true, false, 0xFF);
        {
            const auto otherUser = PartyStore::open(testRegister());
            otherUser->remove({otherUser->findByName(QStringLiteral("P140"))->id});
        }
        selectRows(*dlg, {140});
        dlg->onOk();
        QCOMPARE(dlg->errors, QStringList {CRegisterConflict(CRegisterConflict::Deleted).message()});
        QCOMPARE(dlg->result(), 0);
        QCOMPARE(dlg->list()->model()->rowCount(), 149);
        QCOMPARE(dlg->list()->model()->index(140, 0).data().toString(), QStringLiteral("P141"));

        dlg->errors.clear();
        sqlite3 *other = nullptr;
        if (onServer()) {
            serverExec("SELECT pg_terminate_backend(pid) FROM pg_stat_activity"
                       " WHERE datname = current_database() AND pid <> pg_backend_pid()");
        } else {
            sqlite3_open(env.dbPath().toUtf8().constData(), &other);
            QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        }
        QVERIFY(dlg->list()->model()->index(100, 0).data().isNull());
        QVERIFY(dlg->list()->model()->index(30, 0).data().isNull());
        QCoreApplication::processEvents();
        sqlite3_close(other);
        QCOMPARE(dlg->errors.size(), 1);
        QVERIFY2(dlg->errors[0].contains(onServer() ? QStringLiteral("przerwane") : QStringLiteral("zajęta")),
                 qPrintable(dlg->errors[0]));
        testRegister().busyTimeoutMs = 3000;
    }

    void resizeGrowsTheListAndNeverShrinks()
    {
        seed();
        auto dlg = makeDialog(true, true, 0xFF);
        dlg->show();
        QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));
        const QSize designed = dlg->size();
        const QRect list = dlg->list()->geometry();
        const QRect group = child<QWidget>(dlg.get(), "filterGroup")->geometry();
        const QRect add = child<QWidget>(dlg.get(), "addButton")->geometry();
        const QRect close = child<QWidget>(dlg.get(), "closeButton")->geometry();
        const QRect kinds = child<QWidget>(dlg.get(), "kindEmployees")->geometry();
        dlg->resize(designed + QSize(100, 40));
        QCOMPARE(dlg->list()->geometry(), list.adjusted(0, 0, 100, 40));
        QCOMPARE(child<QWidget>(dlg.get(), "filterGroup")->geometry(), group.adjusted(0, 0, 100, 0));
        QCOMPARE(child<QWidget>(dlg.get(), "addButton")->geometry(), add.translated(0, 40));
        QCOMPARE(child<QWidget>(dlg.get(), "closeButton")->geometry(), close.translated(100, 40));
        QCOMPARE(child<QWidget>(dlg.get(), "kindEmployees")->geometry(), kinds);
        QVERIFY(dlg->findChild<QSizeGrip *>());
        QCOMPARE(dlg->minimumSize(), designed);
        dlg->resize(designed - QSize(50, 50));
        QCOMPARE(dlg->size(), designed);
        QCOMPARE(dlg->list()->geometry(), list);
    }

    void placementRemembered_data()
    {
        QTest::addColumn<QString>("section");
        QTest::newRow("recipients") << "KontrahenciDlg";
        QTest::newRow("senders") << "NadawcyDlg";
        QTest::newRow("picking: none") << "";
    }
    void placementRemembered()
    {
        QFETCH(QString, section);
        {
            auto dlg = makeDialog(true, !section.isEmpty(), 0xFF, section);
            dlg->show();
            dlg->setGeometry(QRect(dlg->geometry().topLeft() + QPoint(10, 5), dlg->size() + QSize(30, 20)));
            dlg->done(CListaKontrDlg::ResultClose);
        }
        const auto store = openSettingsStore();
        if (section.isEmpty()) {
            QVERIFY(store->allKeys().isEmpty());
            return;
        }
        store->beginGroup(section);
        QCOMPARE(store->value("Maximized").toInt(), 0);
        const QRect stored(store->value("Left").toInt(), store->value("Top").toInt(), store->value("Width").toInt(),
                           store->value("Height").toInt());
        QCOMPARE(stored.size(), QSize(590, 420));
        store->endGroup();
        auto again = makeDialog(true, true, 0xFF, section);
        QCOMPARE(again->geometry(), stored);
    }

    void placementAcceptance_data()
    {
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("on screen") << QRect(100, 100, 600, 400) << true;
        QTest::newRow("smaller than designed") << QRect(100, 100, 500, 400) << false;
        QTest::newRow("off every screen") << QRect(5000, 3000, 600, 400) << false;
        QTest::newRow("left of the desktop") << QRect(-900, 100, 600, 400) << false;
        QTest::newRow("on the second screen") << QRect(2000, 100, 600, 400) << true;
        QTest::newRow("larger than the desktop") << QRect(0, 0, 4000, 400) << false;
    }
    void placementAcceptance()
    {
        QFETCH(QRect, rect);
        QFETCH(bool, accepted);
        const QList<QRect> screens {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
        QCOMPARE(placementAcceptable(rect, QSize(560, 400), screens), accepted);
    }

    // The mark follows the typing; a bad account is still stored as typed.
    void accountMarkFollowsTyping()
    {
        addParties({{"Alfa"}});
        auto dlg = makeDialog(true, true, 0xFF);
        dlg->editOnce([](CKontrahentDlg &edit) {
            edit.show();
            auto *check = child<QLineEdit>(&edit, "check");
            auto *bank = child<QLineEdit>(&edit, "bank");
            auto *account = child<QLineEdit>(&edit, "account");
            check->clear();
            bank->clear();
            account->clear();
            if (edit.accountMark().isShown())
                return false;   // an empty account shows nothing
            QTest::keyClicks(check, "61");
            QTest::keyClicks(bank, "10901014");
            QTest::keyClicks(account, "0000071219812874");
            if (edit.accountMark().isShown())
                return false;   // a good number shows nothing
            // A contribution account says whose it is; a closed account is marked.
            const auto type = [&](const char *c, const char *b, const char *a) {
                check->setText(QString::fromLatin1(c));
                bank->setText(QString::fromLatin1(b));
                account->setText(QString::fromLatin1(a));
            };
            type("33", "60000002", "0260001234563218");
            if (edit.accountMark().isShown()
                || account->toolTip() != QStringLiteral("Rachunek składkowy ZUS płatnika NIP 1234563218"))
                return false;
            type("83", "10101023", "0000261395100000");
            if (!edit.accountMark().warning().contains(QStringLiteral("zamknięty 1.01.2018")))
                return false;
            type("61", "10901014", "0000071219812874");
            check->selectAll();
            QTest::keyClicks(check, "16");
            return edit.accountMark().isShown()
                && edit.accountMark().warning().contains(QStringLiteral("cyfry kontrolne"));
        });
        selectRows(*dlg, {0});
        dlg->onEdit();
        QCOMPARE(namesOf(kinds(1)), QStringList {QStringLiteral("Alfa")});
        QCOMPARE(partiesOf().front().check, QStringLiteral("16"));
    }

    void senderEditDialogIsShorterWithoutKinds()
    {
        CKontrahentDlg recipient(true);
        CKontrahentDlg sender(false);
        QVERIFY(sender.height() < recipient.height());
        QCOMPARE(sender.width(), recipient.width());
        QCOMPARE(sender.windowTitle(), QStringLiteral("Dane nadawcy"));
        QCOMPARE(recipient.windowTitle(), QStringLiteral("Dane odbiorcy"));
        for (const char *radio : {"kind0", "kind1", "kind2", "kindGroup"}) {
            QVERIFY(!child<QWidget>(&sender, radio)->isVisibleTo(&sender));
            QVERIFY(child<QWidget>(&recipient, radio)->isVisibleTo(&recipient));
        }
        QVERIFY(child<QWidget>(&sender, "isDefault")->isVisibleTo(&sender));
        QVERIFY(!child<QWidget>(&recipient, "isDefault")->isVisibleTo(&recipient));
        QVERIFY(child<QWidget>(&sender, "okButton")->geometry().bottom() < sender.height());
        // Lengths the register admits, digits only in the bank number.
        sender.show();
        QTest::keyClicks(child<QLineEdit>(&sender, "bank"), "12a345678901");
        QTest::keyClicks(child<QLineEdit>(&sender, "check"), "1234");
        QCOMPARE(sender.values().bank, QStringLiteral("12345678"));
        QCOMPARE(sender.values().check, QStringLiteral("12"));
    }

    void limitsInExchangeOrder_data()
    {
        QTest::addColumn<KontrahentValues>("values");
        QTest::addColumn<int>("over");
        const KontrahentValues fit {"12", QString(54, u'N'), QString(54, u'A'), "10101023", QString(34, u'0'), 0, false};
        QTest::newRow("everything at its limit") << fit << -1;
        KontrahentValues v = fit;
        v.check = "123";
        QTest::newRow("check digits 3") << v << 0;
        v = fit;
        v.name = QString(60, u'N');
        QTest::newRow("name 60") << v << 1;
        v = fit;
        v.name2 = QString(55, u'A');
        QTest::newRow("name continued 55") << v << 2;
        v = fit;
        v.bank = "101010231";
        QTest::newRow("bank 9") << v << 3;
        v = fit;
        v.account = QString(35, u'0');
        QTest::newRow("account 35") << v << 4;
        v.name = QString(55, u'N');
        QTest::newRow("the first of two") << v << 1;
    }
    void limitsInExchangeOrder()
    {
        QFETCH(KontrahentValues, values);
        QFETCH(int, over);
        QCOMPARE(firstOverLimit(values), over);
    }

    // The DOS import can store a 60-character name; the dialog must show it
    // whole and refuse it on OK rather than store 54 characters of it.
    void longStoredNameShownWholeAndRefusedOnOk()
    {
        const QString longName = QStringLiteral("Przedsiębiorstwo Produkcyjno-Handlowo-Usługowe „Żuraw” 12345");
        QCOMPARE(longName.size(), 60);
        addParties({{longName, 0}});
        auto list = makeDialog(true, true, 0xFF);
        selectRows(*list, {0});
        bool accepted = true;
        QString focused, selected;
        list->editOnce([&](CKontrahentDlg &d) {
            // The OK button runs the check; its warning is answered at once.
            child<QPushButton>(&d, "okButton")->click();
            accepted = d.result() == QDialog::Accepted;
            focused = d.focusWidget() ? d.focusWidget()->objectName() : QString();
            selected = child<QLineEdit>(&d, "name")->selectedText();
            return accepted;
        });
        list->onEdit();
        QCOMPARE(list->shownValues.name, longName);
        QCOMPARE(list->errors, QStringList {QStringLiteral("Proszę wprowadzić najwyżej 54 znaków.")});
        QVERIFY(!accepted);
        QCOMPARE(focused, QStringLiteral("name"));
        QCOMPARE(selected, longName);
        QCOMPARE(namesOf(), QStringList {longName}); // stored as it was

        // Shortened by the user, it is taken; typing still stops at 54.
        list->editOnce([&](CKontrahentDlg &d) {
            auto *name = child<QLineEdit>(&d, "name");
            name->setText(longName.left(50));
            d.show();
            name->setFocus();
            name->end(false);
            QTest::keyClicks(name, "abcdefgh");
            child<QPushButton>(&d, "okButton")->click();
            return d.result() == QDialog::Accepted;
        });
        list->onEdit();
        QCOMPARE(namesOf(), QStringList {longName.left(50) + QStringLiteral("abcd")});
    }

    // The edit dialog takes what a file of orders can hold: a character
    // outside Windows-1250 is refused on OK, named, and selected; the account
    // takes digits, a whole number pasted fills its three fields.
    void editDialogTakesWhatOrdersCanHold_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("paste");
        QTest::addColumn<QString>("message");    // its beginning; empty: accepted
        QTest::addColumn<QStringList>("account");
        QTest::newRow("Cyrillic name") << "name" << "Жанна" << false << "Znaku „Ж” (U+0416)" << QStringList {"", "", ""};
        QTest::newRow("emoji in the name's rest") << "name2" << "Kot 🐱" << true << "Znaku „🐱” (U+1F431)"
                                                   << QStringList {"", "", ""};
        QTest::newRow("grouped account typed") << "account" << "0000 2613-9510 0000" << false << ""
                                               << QStringList {"", "", "0000261395100000"};
        QTest::newRow("whole number pasted into the check digits")
            << "check" << "PL83 1010 1023 0000 2613 9510 0000" << true << ""
            << QStringList {"83", "10101023", "0000261395100000"};
        QTest::newRow("letters refused in the bank") << "bank" << "10a1" << false << ""
                                                     << QStringList {"", "101", ""};
    }
    void editDialogTakesWhatOrdersCanHold()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(bool, paste);
        QFETCH(QString, message);
        QFETCH(QStringList, account);
        DialogScript script;
        QStringList messages;
        script.keepMessages(messages);
        CKontrahentDlg dlg(true);
        KontrahentValues values;
        values.name = QStringLiteral("Nazwa");
        dlg.setValues(values);
        dlg.show();
        auto *edit = child<QLineEdit>(&dlg, qPrintable(field));
        edit->setFocus();
        edit->selectAll();
        if (paste) {
            QApplication::clipboard()->setText(text);
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        } else {
            for (QChar c : text)   // key by key, Cyrillic too
                QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
        QCOMPARE((QStringList {child<QLineEdit>(&dlg, "check")->text(), child<QLineEdit>(&dlg, "bank")->text(),
                               child<QLineEdit>(&dlg, "account")->text()}),
                 account);
        child<QPushButton>(&dlg, "okButton")->click();
        QCOMPARE(dlg.result() == QDialog::Accepted, message.isEmpty());
        if (message.isEmpty())
            return;
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].startsWith(message), qPrintable(messages[0]));
        QCOMPARE(dlg.focusWidget(), edit);
        QVERIFY(text.contains(edit->selectedText()) && !edit->selectedText().isEmpty());
    }

    void dialogsFitLargerFonts_data()
    {
        QTest::addColumn<int>("points");
        QTest::newRow("11 pt") << 11;
        QTest::newRow("16 pt") << 16;
    }
    void dialogsFitLargerFonts()
    {
        QFETCH(int, points);
        const QFont before = QApplication::font();
        QFont font = before;
        font.setPointSize(points);
        QApplication::setFont(font);
        seed();
        // Each list dialog reads the test's one store: shown one after the other.
        auto recipients = makeDialog(true, true, 0xFF);
        checkFits(*recipients, QStringLiteral("odbiorcy-%1pt").arg(points));
        auto senders = makeDialog(false, false, 0xFF);
        checkFits(*senders, QStringLiteral("nadawcy-wybor-%1pt").arg(points));
        CKontrahentDlg recipient(true);
        checkFits(recipient, QStringLiteral("dane-odbiorcy-%1pt").arg(points));
        CKontrahentDlg sender(false);
        checkFits(sender, QStringLiteral("dane-nadawcy-%1pt").arg(points));
        QApplication::setFont(before);
    }

private:
    void checkFits(QWidget &window, const QString &name)
    {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        saveShot(window, name);
        QCOMPARE(cutTexts(window), QStringList());
        window.close();
    }
};

QTEST_MAIN(TestListaKontrDlg)
#include "test_lista_kontr_dlg.moc"
