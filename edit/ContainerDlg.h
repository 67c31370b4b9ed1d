#pragma once
// CContainerDlg: the details dialog. A picture strip on the left, the page
// of the order's kind above a separator, and "Dr&ukuj", "Z&apisz", "Anuluj",
// "Pomoc" below. The pages edit the record the owner hands in; the owner
// hears saveRequested() and printRequested() after a successful exchange.

#include "edit/PageCommon.h"

#include <QDialog>
#include <QTimer>
#include <array>

class CDetailsDlg;
class CTaxDetailsDlg;
class CZUSDetailsDlg;
class CDetailsPage;
class CPaymentQrView;
class CPrzelewDane;
class QPushButton;
class QStackedWidget;

class CContainerDlg : public QDialog
{
    Q_OBJECT
public:
    // Modeless: the buttons send signals to the list. Confirm: batch
    // printing's modal use, where saving or printing confirms the order.
    enum class Use { Modeless, Confirm };

    CContainerDlg(CPrzelewDane &record, const AllSettings &settings, const RegisterLocation &where,
                  QWidget *parent = nullptr, Use use = Use::Modeless);
    ~CContainerDlg() override;

    // Kind number of a record kind: 1 ordinary, 2 ZUS, 3 tax (any other kind: 1).
    static int kindNumberOf(int recordKind);

    // Shows the page (1, 2 or 3) and loads it from the record, also when it
    // was shown already. False when that page does not exist.
    bool ShowPage(int kindNumber);
    int currentKindNumber() const { return m_kindNumber; }
    CDetailsPage *currentPage() const;
    CDetailsDlg *ordinaryPage() const;
    CZUSDetailsDlg *zusPage() const;
    CTaxDetailsDlg *taxPage() const;

    // The exchange with the current page; true without a page.
    bool UpdateData(bool toRecord);

    // The user changed the page since it was last loaded or saved.
    bool hasUnsavedEdits() const { return isVisible() && m_edited; }
    // Before the edits would be lost: asks whether to save them. True when
    // the caller may go on (saved, or dropped and the dialog hidden).
    bool settleUnsavedEdits();
    // The question alone: Yes saves (a failed save counts as Cancelled), No
    // drops the edits, the dialog stays as it is; None when nothing was edited.
    enum class EditsAnswer { None, Saved, Dropped, Cancelled };
    EditsAnswer askAboutUnsavedEdits();

    QPushButton *printButton() const { return m_print; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *helpButton() const { return m_help; }
    CPaymentQrView *paymentQrView() const { return m_qr; }

public Q_SLOTS:
    // "Z&apisz": the save step; false when the exchange failed.
    bool onSave();
    // "Dr&ukuj".
    void onPrint();
    // Enter: the save step, then the dialog closes.
    void accept() override;
    void reject() override;

Q_SIGNALS:
    void saveRequested();
    void printRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // The code follows the page: every change of a control, by the user or
    // by a pick, a switch or a button, redraws it once the change is done.
    void watchForCode(CDetailsPage *page);
    void refreshCode();

    CPageContext m_context;
    Use m_use;
    std::array<CDetailsPage *, 3> m_pages {};
    QStackedWidget *m_stack;
    QPushButton *m_print;
    QPushButton *m_save;
    QPushButton *m_cancel;
    QPushButton *m_help;
    CPaymentQrView *m_qr;
    QTimer m_codeTimer;
    int m_kindNumber = 0;
    bool m_edited = false;
};
