#pragma once
// CListaKontrDlg: the parties of one side (recipients or senders) from a
// store the caller has opened; filters on every keystroke, sorts by header,
// and either manages the register (add, edit, delete) or returns a picked
// party. A register failure is shown with the store's message; the list
// keeps what it showed and an edit dialog comes back with what was typed.

#include "register/Party.h"

#include <QDialog>
#include <optional>

class CKontrahentDlg;
class PartyStore;
struct KontrahentValues;
class KontrahenciModel;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

class CListaKontrDlg : public QDialog
{
    Q_OBJECT

public:
    // Bits of the initial kinds: 1 counterparties, 2 employees, 4 tax offices.
    enum { KindCounterparties = 1, KindEmployees = 2, KindTaxOffices = 4, AllKinds = 0xFF };
    enum { ResultClose = 8 };

    CListaKontrDlg(bool recipientMode, bool managing, int initialKinds, QWidget *parent = nullptr);

    void setStore(PartyStore *store) { m_store = store; }
    // The order the list opens in (the managing lists: by name).
    void setSort(PartySort sort) { m_sort = sort; }
    // Settings section for the placement ("KontrahenciDlg", "NadawcyDlg").
    void setPlacementName(const QString &name) { m_placement = name; }

    int exec() override;
    // Builds the controls' state and applies the filter; exec() calls it.
    void initDialog();

    // The filter the controls stand for.
    PartyFilter filter() const;
    QTableView *list() const { return m_list; }
    // The party chosen with OK in picking mode.
    const std::optional<Party> &picked() const { return m_picked; }

public Q_SLOTS:
    void applyFilter();
    void onAdd();
    void onEdit();
    void onDelete();
    void onOk();
    void onSort(int column);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<int> selectedRows() const;
    // Makes the row current and the only one selected; nothing when there is no such row.
    void selectRow(int row);
    bool confirmDelete();
    // A yes/no question about a save another user got in the way of.
    bool ask(const QString &text);
    void onDoubleClick(const QModelIndex &index);
    // Lists again; false (the failure shown) when the store refused.
    bool reload();
    // Runs the edit dialog until its text is saved or the user gives up;
    // true when saved.
    bool editAndSave(CKontrahentDlg &dlg, Party party);

    PartyStore *m_store = nullptr;
    PartySort m_sort = PartySort::Natural;
    std::optional<Party> m_picked;
    bool m_recipientMode;
    bool m_managing;
    int m_initialKinds;
    bool m_initialised = false;
    QLineEdit *m_nameFilter;
    QCheckBox *m_kindBoxes[3];
    QLabel *m_listLabel;
    QTableView *m_list;
    QPushButton *m_add;
    QPushButton *m_edit;
    QPushButton *m_delete;
    QPushButton *m_ok;
    QPushButton *m_close;
    QPushButton *m_cancel;
    QPushButton *m_help;
    KontrahenciModel *m_model = nullptr;
    QString m_placement;
};
