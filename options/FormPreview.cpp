#include "options/FormPreview.h"

#include "model/PrzelewDane.h"
#include "options/OptionsRules.h"
#include "print/FormTemplates.h"
#include "print/TemplatePicture.h"

#include <QPainter>
#include <QPdfWriter>

namespace {
constexpr double kPaperFormOpacity = 0.3;
}

CFormPreview::CFormPreview(FormKind kind) : m_kind(kind), m_geometry(std::make_unique<QPdfWriter>(&m_nowhere))
{
    m_geometry->setPageSize(QPageSize(QPageSize::A4));
    m_geometry->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

CFormPreview::~CFormPreview() = default;

CPrzelewDane CFormPreview::sampleOrder(FormKind kind)
{
    CPrzelewDane r;
    r.SetKind(int(kind));
    r.currency = QStringLiteral("PLN");
    r.amount = CWexOleCurrency::fromUnits(1234, 5000);
    r.date = COrderDate::fromParts(2026, 12, 8);
    r.senderAccount = QStringLiteral("61109010140000071219812874");
    switch (kind) {
    case FormKind::Zus:
        r.zusAccountType = 2;
        r.checkDigits = QStringLiteral("78");
        r.bankNumber = QStringLiteral("10101023");
        r.accountRest = QStringLiteral("0000261395200000");
        r.sender1 = QStringLiteral("PŁATNIK SP. Z O.O.");
        r.sender2 = QStringLiteral("UL. ZUS 3");
        r.payerId = QStringLiteral("1234567890");
        r.idType = 0;
        r.supplementaryId = QStringLiteral("123456789");
        r.paymentType = 0;
        r.declarationNo = QStringLiteral("01");
        r.declaration = QStringLiteral("112026");
        r.title2 = QStringLiteral("DEC123");
        r.symbol = QStringLiteral("00");
        break;
    case FormKind::Tax:
        // VAT of a NIP paid to that NIP's tax micro-account.
        r.recipient1 = QStringLiteral("URZĄD SKARBOWY GDAŃSK");
        r.checkDigits = QStringLiteral("70");
        r.bankNumber = QStringLiteral("10100071");
        r.accountRest = QStringLiteral("2222526000124600");
        r.sender1 = QStringLiteral("ZLECENIODAWCA");
        r.sender2 = QStringLiteral("UL. KRÓTKA 2");
        r.payerId = QStringLiteral("5260001246");
        r.idType = CPrzelewDane::IdTypeFromLetter(u'N');
        r.taxPeriod = QStringLiteral("05M0300");
        r.taxFormSymbol = QStringLiteral("VAT-7");
        r.obligationId = QStringLiteral("DECYZJA 12");
        r.symbol = QStringLiteral("06");
        break;
    default:
        r.recipient1 = QStringLiteral("ODBIORCA SP. Z O.O.");
        r.recipient2 = QStringLiteral("UL. DŁUGA 1, GDAŃSK");
        r.checkDigits = QStringLiteral("51");
        r.bankNumber = QStringLiteral("10101023");
        r.accountRest = QStringLiteral("1234567890123456");
        r.sender1 = QStringLiteral("ZLECENIODAWCA");
        r.sender2 = QStringLiteral("UL. KRÓTKA 2");
        r.title1 = QStringLiteral("FAKTURA 1/2026");
        r.title2 = QStringLiteral("ZA GRUDZIEŃ");
        r.isTransfer = 1;
        r.symbol = QStringLiteral("06");
        break;
    }
    return r;
}

QImage CFormPreview::render(const PrintSettings &settings, const GeneralSettings &general, int dpi)
{
    m_settings.general = general;
    m_settings.forKind(m_kind) = settings;
    const CPrzelewDane order = sampleOrder(m_kind);

    m_geometry->setResolution(dpi);
    const std::optional<PagePlan> plan = m_printer.plan(order);
    // As a print job does: the sheet is turned, then the page starts.
    if (plan)
        PageTarget(*m_geometry).turn(plan->orientation);
    const QRect sheet = m_geometry->pageLayout().fullRectPixels(dpi);
    QImage image(sheet.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMetre = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);

    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    if (settings.originalForm)
        drawPaperForm(painter, settings, dpi);
    if (plan)
        m_printer.engine().Print(*plan, PageTarget(*m_geometry, &painter), order);
    // The sheet's edge, so white paper stands out from the page around it.
    painter.setPen(QPen(Qt::gray, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(image.rect()).adjusted(0.5, 0.5, -0.5, -0.5));
    painter.end();
    return image;
}

void CFormPreview::drawPaperForm(QPainter &painter, const PrintSettings &settings, int dpi)
{
    const int position = formListPosition(m_kind, true, settings.formTypeOrig);
    const int index = formList(m_kind, true)[position].templateIndex;
    auto found = m_paperForms.find(index);
    if (found == m_paperForms.end()) {
        auto picture = std::make_unique<CTemplatePicture>();
        if (!picture->load(formTemplatePath(QLatin1String(kFormTemplates[index].name))))
            picture.reset();
        found = m_paperForms.emplace(index, std::move(picture)).first;
    }
    if (!found->second)
        return;     // without the picture the texts alone are shown

    // The paper does not follow the shift or scale: its boxes stand where the
    // texts land with no shift at 100 %. In text-only printing the texts begin
    // at the sheet's corner, on the template they begin at the content shift.
    const FormTypeRow &row = formTypeRow(m_kind, true, settings.formTypeOrig);
    const QPoint shift = CPrintEngine::contentShift(int(m_kind), row.sectionLayout);
    const FormTemplate &form = kFormTemplates[index];
    const QRectF frame(-shift.x(), -shift.y() + 10 * row.extraYShiftMm, form.frameWidth / 10, form.frameHeight / 10);
    const QTransform toImage = QTransform::fromScale(dpi / 254.0, dpi / 254.0);

    painter.save();
    painter.setOpacity(kPaperFormOpacity);
    if (row.singleCopy) {
        // A single-copy form is the first section (and its stub) alone.
        const int width = (row.sectionLayout == CPrintEngine::StubLayout ? CPrintEngine::kStubWidth : 0)
            + CPrintEngine::kSectionWidth + 5;
        painter.setClipRect(toImage.mapRect(QRectF(frame.topLeft(), QSizeF(width, CPrintEngine::kSectionHeight + 5))));
    }
    found->second->render(&painter, toImage.mapRect(frame));
    painter.restore();
}
