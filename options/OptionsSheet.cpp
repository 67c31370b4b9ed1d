#include "options/OptionsSheet.h"

#include "base/HelpHook.h"
#include "base/UserDialogs.h"
#include "options/FontList.h"
#include "options/FormOptionsPage.h"
#include "options/OptionsDlg.h"
#include "options/SpinEdit.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QSettings>
#include <QVBoxLayout>

namespace {
const QString kSizeKey = QStringLiteral("OptionsSheet/Size");
}

COptionsSheet::COptionsSheet(const AllSettings &settings, QWidget *parent)
    : COptionsSheet(settings, Lists::fromSystem(), parent)
{
}

COptionsSheet::Lists COptionsSheet::Lists::fromSystem()
{
    return {COptionsDlg::printerEntries(), printFontEntries()};
}

COptionsSheet::COptionsSheet(const AllSettings &settings, const Lists &lists, QWidget *parent)
    : QDialog(parent),
      m_result(settings),
      m_tabs(new QTabWidget(this)),
      m_general(new COptionsDlg(m_tabs)),
      m_ordinary(new CStdOptionsPage(m_tabs)),
      m_zus(new CZUSOptionsPage(m_tabs)),
      m_tax(new CTaxOptionsPage(m_tabs)),
      m_register(new CRegisterPage(m_tabs)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help,
                                     this))
{
    setObjectName(QStringLiteral("COptionsSheet"));
    setWindowTitle(QStringLiteral("Opcje"));
    m_tabs->setObjectName(QStringLiteral("pages"));
    m_tabs->addTab(m_general, QStringLiteral("Ogólne"));
    m_tabs->addTab(m_ordinary, QStringLiteral("Przelew"));
    m_tabs->addTab(m_zus, QStringLiteral("Przelew ZUS"));
    m_tabs->addTab(m_tax, QStringLiteral("Przelew US"));
    m_tabs->addTab(m_register, QStringLiteral("Rejestr"));
    m_buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    m_buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Anuluj"));
    m_buttons->button(QDialogButtonBox::Help)->setText(QStringLiteral("Pomoc"));

    auto *top = new QVBoxLayout(this);
    top->addWidget(m_tabs, 1);
    top->addWidget(m_buttons);
    setSizeGripEnabled(true);

    m_general->load(settings.general, lists.printers, lists.fonts);
    m_ordinary->load(settings.ordinary);
    m_zus->load(settings.zus);
    m_tax->load(settings.tax);
    m_register->load(settings.registerPlace, QString());
    onPageChanged();

    connect(m_buttons, &QDialogButtonBox::accepted, this, &COptionsSheet::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &COptionsSheet::reject);
    connect(m_buttons, &QDialogButtonBox::helpRequested, this, [] { requestHelp(HelpTopic::Options); });
    auto *f1 = new QShortcut(QKeySequence::HelpContents, this);
    connect(f1, &QShortcut::activated, this, [] { requestHelp(HelpTopic::Options); });
    connect(m_tabs, &QTabWidget::currentChanged, this, &COptionsSheet::onPageChanged);

    // Never smaller than its contents need, whatever size was stored.
    const QSize stored = openSettingsStore()->value(kSizeKey).toSize();
    if (stored.isValid())
        resize(stored.expandedTo(sizeHint()));
}

void COptionsSheet::done(int result)
{
    openSettingsStore()->setValue(kSizeKey, size());
    QDialog::done(result);
}

CFormOptionsPage *COptionsSheet::formPage(FormKind kind) const
{
    switch (kind) {
    case FormKind::Zus: return m_zus;
    case FormKind::Tax: return m_tax;
    default: return m_ordinary;
    }
}

void COptionsSheet::setRegisterActions(const QString &filePath, CRegisterPage::Action check,
                                       CRegisterPage::Action copyToServer)
{
    m_register->load(m_result.registerPlace, filePath);
    m_register->setActions(std::move(check), std::move(copyToServer));
}

void COptionsSheet::onPageChanged()
{
    // The previews print in the font and with the delimiter the first page now shows.
    GeneralSettings general = m_result.general;
    m_general->save(general);
    for (CFormOptionsPage *page : {static_cast<CFormOptionsPage *>(m_ordinary), static_cast<CFormOptionsPage *>(m_zus),
                                   static_cast<CFormOptionsPage *>(m_tax)})
        page->setPreviewGeneral(general);
}

void COptionsSheet::accept()
{
    AllSettings edited = m_result;
    std::optional<PageError> error = m_general->save(edited.general);
    QWidget *page = m_general;
    for (FormKind kind : {FormKind::Ordinary, FormKind::Zus, FormKind::Tax}) {
        if (error)
            break;
        page = formPage(kind);
        error = formPage(kind)->save(edited.forKind(kind));
    }
    if (!error) {
        page = m_register;
        error = m_register->save(edited.registerPlace);
    }
    if (error) {
        m_tabs->setCurrentWidget(page);
        showWarning(this, error->message);
        if (error->field) {
            error->field->setFocus(Qt::OtherFocusReason);
            if (auto *spin = qobject_cast<CSpinEdit *>(error->field))
                spin->selectAll();
            else if (auto *combo = qobject_cast<QComboBox *>(error->field); combo && combo->lineEdit())
                combo->lineEdit()->selectAll();
        }
        return;
    }
    m_result = edited;
    QDialog::accept();
}
