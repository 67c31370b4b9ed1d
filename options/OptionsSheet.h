#pragma once
// COptionsSheet: the modal sheet "Opcje" with the pages "Ogólne", "Przelew",
// "Przelew ZUS", "Przelew US" and "Rejestr". Each page works on its own copy of the
// settings; OK saves every page (a refused value keeps the sheet open on
// that page) and result() then holds the edited settings. No Apply.
// The sheet can be made larger, its previews growing with it; its size is
// remembered in the settings group "OptionsSheet".

#include "base/Settings.h"
#include "options/RegisterPage.h"

#include <QDialog>
#include <QStringList>

class CFormOptionsPage;
class COptionsDlg;
class CStdOptionsPage;
class CTaxOptionsPage;
class CZUSOptionsPage;
class QDialogButtonBox;
class QTabWidget;

class COptionsSheet : public QDialog
{
    Q_OBJECT

public:
    // What the lists of the first page offer.
    struct Lists
    {
        QStringList printers;
        QStringList fonts;
        // The installed printers and the PDF writer; the print fonts.
        static Lists fromSystem();
    };

    COptionsSheet(const AllSettings &settings, QWidget *parent = nullptr);
    COptionsSheet(const AllSettings &settings, const Lists &lists, QWidget *parent = nullptr);

    // The settings as the pages saved them; the ones handed in until OK.
    const AllSettings &result() const { return m_result; }

    QTabWidget *tabs() const { return m_tabs; }
    COptionsDlg *generalPage() const { return m_general; }
    CFormOptionsPage *formPage(FormKind kind) const;
    CRegisterPage *registerPage() const { return m_register; }
    // The register page's file and its two actions, from the application.
    void setRegisterActions(const QString &filePath, CRegisterPage::Action check, CRegisterPage::Action copyToServer);
    QDialogButtonBox *buttons() const { return m_buttons; }

public Q_SLOTS:
    void accept() override;
    // Remembers the sheet's size for the next time it opens.
    void done(int result) override;

private:
    void onPageChanged();

    AllSettings m_result;
    QTabWidget *m_tabs;
    COptionsDlg *m_general;
    CStdOptionsPage *m_ordinary;
    CZUSOptionsPage *m_zus;
    CTaxOptionsPage *m_tax;
    CRegisterPage *m_register;
    QDialogButtonBox *m_buttons;
};
