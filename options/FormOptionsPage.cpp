#include "options/FormOptionsPage.h"

#include "options/OptionsRules.h"
#include "options/SpinEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QVBoxLayout>
#include <cmath>

namespace {

constexpr int kPreviewBox = 340;
constexpr double kA4LongSideMm = 297.0;

QCheckBox *makeBox(const QString &text, const char *objectName, QWidget *parent)
{
    auto *box = new QCheckBox(text, parent);
    box->setObjectName(QLatin1String(objectName));
    return box;
}

CSpinEdit *makeSpin(int low, int high, const char *objectName, QWidget *parent)
{
    auto *spin = new CSpinEdit(low, high, parent);
    spin->setObjectName(QLatin1String(objectName));
    return spin;
}

// A labelled edit with its unit after it, as one form row.
void addNumberRow(QFormLayout *form, const QString &label, CSpinEdit *spin, const QString &unit)
{
    auto *row = new QHBoxLayout;
    row->addWidget(spin);
    row->addWidget(new QLabel(unit));
    row->addStretch();
    auto *text = new QLabel(label);
    text->setBuddy(spin);
    form->addRow(text, row);
}

int checked(const QCheckBox *box)
{
    return box && box->isChecked() ? 1 : 0;
}

} // namespace

CFormOptionsPage::CFormOptionsPage(FormKind kind, QWidget *parent)
    : QWidget(parent),
      m_kind(kind),
      m_renderer(kind),
      m_formList(new QComboBox(this)),
      m_preview(new QLabel(this)),
      m_original(makeBox(QStringLiteral("Druk na &oryginalnym formularzu"), "originalForm", this)),
      m_symbol(makeBox(QStringLiteral("Drukowanie &symbolu przelewu"), "printSymbol", this)),
      m_fitInBox(makeBox(QStringLiteral("Drukowanie w &kratkach"), "fitInBox", this)),
      m_shiftX(makeSpin(-kShiftSpinLimit, kShiftSpinLimit, "offsetX", this)),
      m_shiftY(makeSpin(-kShiftSpinLimit, kShiftSpinLimit, "offsetY", this)),
      m_scaleX(makeSpin(kScaleMin, kScaleMax, "scaleX", this)),
      m_scaleY(makeSpin(kScaleMin, kScaleMax, "scaleY", this))
{
    static const char *const names[] = {"CStdOptionsPage", "CZUSOptionsPage", "CTaxOptionsPage"};
    setObjectName(QLatin1String(names[int(kind)]));
    m_formList->setObjectName(QStringLiteral("formType"));
    m_formList->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_preview->setObjectName(QStringLiteral("preview"));
    // At least a box an A4 sheet fits in; larger as the sheet is made larger.
    m_preview->setMinimumSize(kPreviewBox, kPreviewBox);
    m_preview->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->installEventFilter(this);

    auto *listForm = new QFormLayout;
    auto *listLabel = new QLabel(QStringLiteral("Rodzaj &formularza:"));
    listLabel->setBuddy(m_formList);
    listForm->addRow(listLabel, m_formList);

    auto *marks = new QVBoxLayout;
    marks->addWidget(m_original);
    marks->addWidget(m_symbol);
    marks->addWidget(m_fitInBox);
    if (kind == FormKind::Zus) {
        m_noZusAccount = makeBox(QStringLiteral("&Nie drukuj numeru rachunku bankowego ZUS"), "noZusAccount", this);
        m_threeBoxes = makeBox(QStringLiteral("&Drukuj tylko 1, 2 i 21 kratkę rachunku bankowego ZUS"),
                               "threeZusBoxes", this);
        marks->addWidget(m_noZusAccount);
        marks->addWidget(m_threeBoxes);
    } else if (kind == FormKind::Tax) {
        m_opType = makeBox(QStringLiteral("Drukuj oznaczenie &rodzaju operacji finansowej"), "opType", this);
        marks->addWidget(m_opType);
    }
    // The ZUS form's accounts were closed in 2018: a code would send money nowhere.
    if (kind != FormKind::Zus) {
        m_paymentQr = makeBox(QStringLiteral("Kod &QR do płatności"), "paymentQr", this);
        m_paymentQr->setToolTip(QStringLiteral("Obok formularza drukuje się kod, który aplikacja banku odczyta, "
                                               "by zapłacić przelew telefonem."));
        marks->addWidget(m_paymentQr);
    }

    auto *shift = new QGroupBox(QStringLiteral("Przesunięcie tekstu"), this);
    shift->setObjectName(QStringLiteral("shiftGroup"));
    auto *shiftForm = new QFormLayout(shift);
    addNumberRow(shiftForm, QStringLiteral("&X:"), m_shiftX, QStringLiteral("mm"));
    addNumberRow(shiftForm, QStringLiteral("&Y:"), m_shiftY, QStringLiteral("mm"));
    auto *scale = new QGroupBox(QStringLiteral("Skalowanie"), this);
    scale->setObjectName(QStringLiteral("scaleGroup"));
    auto *scaleForm = new QFormLayout(scale);
    addNumberRow(scaleForm, QStringLiteral("W &poziomie:"), m_scaleX, QStringLiteral("%"));
    addNumberRow(scaleForm, QStringLiteral("W p&ionie:"), m_scaleY, QStringLiteral("%"));
    auto *groups = new QHBoxLayout;
    groups->addWidget(shift);
    groups->addWidget(scale);

    auto *left = new QVBoxLayout;
    left->addLayout(listForm);
    left->addSpacing(6);
    left->addLayout(marks);
    left->addSpacing(6);
    left->addLayout(groups);
    left->addStretch();

    auto *top = new QHBoxLayout(this);
    top->addLayout(left);
    top->addSpacing(8);
    top->addWidget(m_preview, 1);

    // Typing quickly draws once, when the typing pauses for an event loop turn.
    m_previewTimer.setSingleShot(true);
    m_previewTimer.setInterval(0);
    connect(&m_previewTimer, &QTimer::timeout, this, &CFormOptionsPage::updatePreview);

    connect(m_original, &QCheckBox::toggled, this, &CFormOptionsPage::onOriginalToggled);
    if (m_noZusAccount)
        connect(m_noZusAccount, &QCheckBox::toggled, this, &CFormOptionsPage::applyZusAccountRule);
    for (QCheckBox *box : {m_symbol, m_fitInBox, m_noZusAccount, m_threeBoxes, m_opType, m_paymentQr})
        if (box)
            connect(box, &QCheckBox::toggled, this, &CFormOptionsPage::previewChanged);
    for (CSpinEdit *spin : {m_shiftX, m_shiftY, m_scaleX, m_scaleY})
        connect(spin, &CSpinEdit::textChanged, this, &CFormOptionsPage::previewChanged);
    connect(m_formList, &QComboBox::currentIndexChanged, this, &CFormOptionsPage::previewChanged);
}

int CFormOptionsPage::previewBox()
{
    return kPreviewBox;
}

void CFormOptionsPage::load(const PrintSettings &settings)
{
    m_settings = settings;
    m_shown = settings;
    m_shiftX->setRange(-kShiftSpinLimit, kShiftSpinLimit);
    m_shiftY->setRange(-kShiftSpinLimit, kShiftSpinLimit);
    m_scaleX->setRange(kScaleMin, kScaleMax);
    m_scaleY->setRange(kScaleMin, kScaleMax);
    {
        const QSignalBlocker quiet(m_original);
        m_original->setChecked(settings.originalForm != 0);
    }
    m_symbol->setChecked(settings.printSymbol != 0);
    m_fitInBox->setChecked(settings.fitInBox != 0);
    if (m_noZusAccount) {
        m_noZusAccount->setChecked(settings.doNotPrintZusBankNo != 0);
        // The rule runs before the second box gets its value: a stored pair of
        // both ticked shows it ticked but disabled.
        applyZusAccountRule();
        m_threeBoxes->setChecked(settings.print3Kratki != 0);
    }
    if (m_opType)
        m_opType->setChecked(settings.opType != 0);
    if (m_paymentQr)
        m_paymentQr->setChecked(settings.paymentQr != 0);
    m_shiftX->setText(QString::number(settings.offsetX));
    m_shiftY->setText(QString::number(settings.offsetY));
    m_scaleX->setText(QString::number(settings.scaleX));
    m_scaleY->setText(QString::number(settings.scaleY));
    fillFormList(settings.originalForm != 0);
    previewChanged();
}

void CFormOptionsPage::fillFormList(bool original)
{
    int &stored = original ? m_settings.formTypeOrig : m_settings.formType;
    stored = formListPosition(m_kind, original, stored);
    const QSignalBlocker quiet(m_formList);
    m_formList->clear();
    m_formList->addItems(formListTexts(m_kind, original));
    m_formList->setCurrentIndex(stored);
    m_listOriginal = original;
    previewChanged();
}

void CFormOptionsPage::onOriginalToggled(bool original)
{
    if (m_formList->currentIndex() >= 0)
        (m_listOriginal ? m_settings.formTypeOrig : m_settings.formType) = m_formList->currentIndex();
    fillFormList(original);
}

void CFormOptionsPage::applyZusAccountRule()
{
    if (!m_noZusAccount)
        return;
    if (m_noZusAccount->isChecked())
        m_threeBoxes->setChecked(false);
    m_threeBoxes->setEnabled(!m_noZusAccount->isChecked());
}

std::optional<PageError> CFormOptionsPage::save(PrintSettings &settings)
{
    PrintSettings out = m_settings;
    out.originalForm = checked(m_original);
    out.printSymbol = checked(m_symbol);
    out.fitInBox = checked(m_fitInBox);
    if (m_noZusAccount) {
        out.doNotPrintZusBankNo = checked(m_noZusAccount);
        out.print3Kratki = checked(m_threeBoxes);
    }
    if (m_opType)
        out.opType = checked(m_opType);
    if (m_paymentQr)
        out.paymentQr = checked(m_paymentQr);

    struct NumberField
    {
        CSpinEdit *edit;
        int PrintSettings::*field;
        int low, high;
    };
    const NumberField numbers[] = {
        {m_shiftX, &PrintSettings::offsetX, -kShiftLimit, kShiftLimit},
        {m_shiftY, &PrintSettings::offsetY, -kShiftLimit, kShiftLimit},
        {m_scaleX, &PrintSettings::scaleX, kScaleMin, kScaleMax},
        {m_scaleY, &PrintSettings::scaleY, kScaleMin, kScaleMax},
    };
    for (const NumberField &n : numbers) {
        const NumberCheck check = checkWholeNumber(n.edit->text(), n.low, n.high);
        if (!check.ok())
            return PageError {check.error, n.edit};
        out.*n.field = check.value;
    }
    if (m_formList->currentIndex() >= 0)
        (m_listOriginal ? out.formTypeOrig : out.formType) = m_formList->currentIndex();
    m_settings = out;
    settings = out;
    return std::nullopt;
}

PrintSettings CFormOptionsPage::shownSettings() const
{
    PrintSettings s = m_settings;
    s.originalForm = checked(m_original);
    s.printSymbol = checked(m_symbol);
    s.fitInBox = checked(m_fitInBox);
    s.doNotPrintZusBankNo = checked(m_noZusAccount);
    s.print3Kratki = checked(m_threeBoxes);
    s.opType = checked(m_opType);
    s.paymentQr = checked(m_paymentQr);
    auto number = [](const CSpinEdit *edit, int low, int high, int fallback) {
        const NumberCheck check = checkWholeNumber(edit->text(), low, high);
        return check.ok() ? check.value : fallback;
    };
    s.offsetX = number(m_shiftX, -kShiftLimit, kShiftLimit, m_shown.offsetX);
    s.offsetY = number(m_shiftY, -kShiftLimit, kShiftLimit, m_shown.offsetY);
    s.scaleX = number(m_scaleX, kScaleMin, kScaleMax, m_shown.scaleX);
    s.scaleY = number(m_scaleY, kScaleMin, kScaleMax, m_shown.scaleY);
    if (m_formList->currentIndex() >= 0)
        (m_listOriginal ? s.formTypeOrig : s.formType) = m_formList->currentIndex();
    return s;
}

void CFormOptionsPage::setPreviewGeneral(const GeneralSettings &general)
{
    if (general == m_general)
        return;
    m_general = general;
    previewChanged();
}

void CFormOptionsPage::previewChanged()
{
    m_stale = true;
    // A hidden page draws when it is shown; opening the sheet draws only what is seen.
    if (isVisible())
        m_previewTimer.start();
}

bool CFormOptionsPage::eventFilter(QObject *watched, QEvent *event)
{
    // A larger picture is drawn for a larger box, not stretched.
    if (watched == m_preview && event->type() == QEvent::Resize)
        previewChanged();
    return QWidget::eventFilter(watched, event);
}

int CFormOptionsPage::previewSide() const
{
    return m_preview->isVisible() ? std::max(kPreviewBox, std::min(m_preview->width(), m_preview->height()))
                                  : kPreviewBox;
}

void CFormOptionsPage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_stale)
        updatePreview();
}

const QImage &CFormOptionsPage::previewImage()
{
    if (m_stale)
        updatePreview();
    return m_image;
}

void CFormOptionsPage::updatePreview()
{
    m_previewTimer.stop();
    const qreal ratio = devicePixelRatioF();
    const int dpi = std::max(1, int(std::floor(previewSide() * ratio * 25.4 / kA4LongSideMm)));
    m_shown = shownSettings();
    m_image = m_renderer.render(m_shown, m_general, dpi);
    m_stale = false;
    QPixmap picture = QPixmap::fromImage(m_image);
    picture.setDevicePixelRatio(ratio);
    m_preview->setPixmap(picture);
}
