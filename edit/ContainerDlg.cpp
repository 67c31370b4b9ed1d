#include "edit/ContainerDlg.h"

#include "base/HelpHook.h"
#include "base/UserDialogs.h"
#include "edit/DetailsDlg.h"
#include "edit/PaymentQrView.h"
#include "edit/TaxDetailsDlg.h"
#include "edit/ZUSDetailsDlg.h"
#include "model/PrzelewDane.h"

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QSvgRenderer>
#include <QVBoxLayout>

namespace {

// The picture strip: drawn as wide as the strip, the rest in its own blue.
class CPictureStrip : public QWidget
{
public:
    explicit CPictureStrip(QWidget *parent) : QWidget(parent), m_svg(QStringLiteral(":/edit/strip.svg"))
    {
        setObjectName(QStringLiteral("pictureStrip"));
        setFixedWidth(fontMetrics().averageCharWidth() * 12);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(0x2f, 0x7f, 0xc4));
        const QSizeF design = m_svg.defaultSize();
        if (design.isEmpty())
            return;
        const double h = width() * design.height() / design.width();
        m_svg.render(&p, QRectF(0, 0, width(), h));
    }

private:
    QSvgRenderer m_svg;
};

QPushButton *makeButton(const char *text, const char *objectName, QWidget *parent)
{
    auto *button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QLatin1String(objectName));
    // Enter belongs to the dialog (save and close), whatever button has the focus.
    button->setAutoDefault(false);
    return button;
}

} // namespace

CContainerDlg::CContainerDlg(CPrzelewDane &record, const AllSettings &settings, const RegisterLocation &where,
                             QWidget *parent, Use use)
    : QDialog(parent),
      m_context {&record, &settings, where},
      m_use(use),
      m_stack(new QStackedWidget(this)),
      m_print(makeButton("Dr&ukuj", "printButton", this)),
      m_save(makeButton("Z&apisz", "saveButton", this)),
      m_cancel(makeButton("Anuluj", "cancelButton", this)),
      m_help(makeButton("Pomoc", "helpButton", this)),
      m_qr(new CPaymentQrView(this))
{
    setObjectName(QStringLiteral("CContainerDlg"));
    setWindowTitle(QStringLiteral("Szczegóły przelewu"));

    m_pages[0] = new CDetailsDlg(m_context, m_stack);
    m_pages[1] = new CZUSDetailsDlg(m_context, m_stack);
    m_pages[2] = new CTaxDetailsDlg(m_context, m_stack);
    for (CDetailsPage *page : m_pages) {
        if (!page)
            continue;
        m_stack->addWidget(page);
        connect(page, &CDetailsPage::edited, this, [this] { m_edited = true; });
        watchForCode(page);
    }
    m_codeTimer.setSingleShot(true);
    m_codeTimer.setInterval(0);
    connect(&m_codeTimer, &QTimer::timeout, this, &CContainerDlg::refreshCode);

    // The order became an ordinary transfer: its page shows it, unsaved.
    connect(zusPage(), &CZUSDetailsDlg::turnedIntoOrdinary, this, [this] {
        ShowPage(1);
        m_edited = true;
    });

    auto *separator = new QFrame(this);
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton *b : {m_print, m_save, m_cancel, m_help})
        buttons->addWidget(b);

    auto *right = new QVBoxLayout;
    right->setContentsMargins(12, 12, 12, 12);
    auto *pageAndCode = new QHBoxLayout;
    pageAndCode->addWidget(m_stack, 1);
    pageAndCode->addSpacing(12);
    pageAndCode->addWidget(m_qr, 0, Qt::AlignTop);
    right->addLayout(pageAndCode, 1);
    right->addSpacing(6);
    right->addWidget(separator);
    right->addLayout(buttons);

    auto *top = new QHBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);
    top->addWidget(new CPictureStrip(this));
    top->addLayout(right, 1);

    connect(m_print, &QPushButton::clicked, this, &CContainerDlg::onPrint);
    connect(m_save, &QPushButton::clicked, this, &CContainerDlg::onSave);
    connect(m_cancel, &QPushButton::clicked, this, &CContainerDlg::reject);
    connect(m_help, &QPushButton::clicked, this, [] { requestHelp(HelpTopic::Entering); });
}

CContainerDlg::~CContainerDlg() = default;

int CContainerDlg::kindNumberOf(int recordKind)
{
    return recordKind == KindZus ? 2 : recordKind == KindTax ? 3 : 1;
}

CDetailsPage *CContainerDlg::currentPage() const
{
    return m_kindNumber > 0 ? m_pages[size_t(m_kindNumber - 1)] : nullptr;
}

CDetailsDlg *CContainerDlg::ordinaryPage() const
{
    return static_cast<CDetailsDlg *>(m_pages[0]);
}

CZUSDetailsDlg *CContainerDlg::zusPage() const
{
    return static_cast<CZUSDetailsDlg *>(m_pages[1]);
}

CTaxDetailsDlg *CContainerDlg::taxPage() const
{
    return static_cast<CTaxDetailsDlg *>(m_pages[2]);
}

bool CContainerDlg::ShowPage(int kindNumber)
{
    if (kindNumber < 1 || kindNumber > 3 || !m_pages[size_t(kindNumber - 1)])
        return false;
    if (kindNumber != m_kindNumber) {
        m_kindNumber = kindNumber;
        m_stack->setCurrentWidget(currentPage());
        setWindowTitle(currentPage()->pageTitle());
    }
    currentPage()->loadFromRecord();
    m_edited = false;
    refreshCode();
    return true;
}

void CContainerDlg::watchForCode(CDetailsPage *page)
{
    const auto later = [this, page] {
        if (page == currentPage())
            m_codeTimer.start();
    };
    for (QLineEdit *edit : page->findChildren<QLineEdit *>())
        connect(edit, &QLineEdit::textChanged, this, later);
    for (QAbstractButton *button : page->findChildren<QAbstractButton *>())
        connect(button, &QAbstractButton::toggled, this, later);
    for (QComboBox *combo : page->findChildren<QComboBox *>())
        connect(combo, &QComboBox::currentTextChanged, this, later);
}

void CContainerDlg::refreshCode()
{
    m_codeTimer.stop();
    if (currentPage())
        m_qr->showOrder(typedOrder(currentPage(), *m_context.record));
}

bool CContainerDlg::UpdateData(bool toRecord)
{
    CDetailsPage *page = currentPage();
    if (!page)
        return true;
    if (!toRecord) {
        page->loadFromRecord();
        return true;
    }
    return page->saveToRecord();
}

bool CContainerDlg::onSave()
{
    if (!UpdateData(true))
        return false;
    m_edited = false;
    if (m_use == Use::Confirm) {
        QDialog::accept();
        return true;
    }
    Q_EMIT saveRequested();
    if (isVisible())
        activateWindow();
    return true;
}

void CContainerDlg::onPrint()
{
    if (!UpdateData(true))
        return;
    if (m_use == Use::Confirm) {
        m_edited = false;
        QDialog::accept();
        return;
    }
    Q_EMIT printRequested();
}

void CContainerDlg::accept()
{
    if (onSave() && m_use == Use::Modeless)
        QDialog::accept();
}

void CContainerDlg::reject()
{
    m_edited = false;
    QDialog::reject();
}

bool CContainerDlg::settleUnsavedEdits()
{
    switch (askAboutUnsavedEdits()) {
    case EditsAnswer::None: return true;
    case EditsAnswer::Cancelled: return false;
    default: reject(); return true;
    }
}

CContainerDlg::EditsAnswer CContainerDlg::askAboutUnsavedEdits()
{
    if (!hasUnsavedEdits())
        return EditsAnswer::None;
    raise();
    activateWindow();
    const auto answer = askQuestion(
        this, QMessageBox::Question,
        QStringLiteral("Zmiany w oknie szczegółów przelewu nie zostały zapisane. Czy zapisać przelew?"),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Cancel)
        return EditsAnswer::Cancelled;
    if (answer == QMessageBox::Yes)
        return onSave() ? EditsAnswer::Saved : EditsAnswer::Cancelled;
    m_edited = false;
    return EditsAnswer::Dropped;
}

void CContainerDlg::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !(event->modifiers() & ~Qt::KeypadModifier)) {
        if (auto *button = qobject_cast<QPushButton *>(focusWidget()))
            button->click();
        else
            accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CContainerDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous() && currentPage())
        currentPage()->focusFirstField();
}
