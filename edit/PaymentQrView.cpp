#include "edit/PaymentQrView.h"

#include "edit/DetailsDlg.h"
#include "edit/PageRules.h"
#include "edit/TaxDetailsDlg.h"
#include "edit/ZUSDetailsDlg.h"
#include "controls/WexCalcEdit.h"
#include "model/PrzelewDane.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QStackedLayout>
#include <QVBoxLayout>

// The symbol drawn in whole pixels per module, black on white with its
// quiet zone, so a phone or a screenshot reads it as sharply as paper.
class CQrPicture : public QWidget
{
public:
    explicit CQrPicture(QWidget *parent) : QWidget(parent) { setObjectName(QStringLiteral("qrSymbol")); }

    void setSymbol(std::optional<QrSymbol> symbol)
    {
        m_symbol = std::move(symbol);
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (!m_symbol)
            return;
        const int side = std::min(width(), height());
        const int modules = m_symbol->size() + 2 * kQrQuietModules;
        const int pixels = std::max(1, side / modules);
        const int offset = (side - pixels * m_symbol->size()) / 2;
        QPainter p(this);
        p.fillRect(QRect(0, 0, side, side), Qt::white);
        for (int y = 0; y < m_symbol->size(); ++y)
            for (int x = 0; x < m_symbol->size(); ++x)
                if (m_symbol->dark(x, y))
                    p.fillRect(offset + x * pixels, offset + y * pixels, pixels, pixels, Qt::black);
    }

private:
    std::optional<QrSymbol> m_symbol;
};

namespace {

// The stored code of a list, or the stored one while the list shows none.
int listCode(const QComboBox *combo, int stored, int (*codeOf)(int))
{
    return combo->currentIndex() >= 0 ? codeOf(combo->currentIndex()) : stored;
}

CWexOleCurrency typedAmount(const CWexCalcEdit *edit)
{
    return PageRules::parseAmount(edit->amountText()).value_or(CWexOleCurrency::invalid());
}

} // namespace

CPaymentQrView::CPaymentQrView(QWidget *parent)
    : QWidget(parent),
      m_picture(new CQrPicture(this)),
      m_caption(new QLabel(QStringLiteral("Zeskanuj w aplikacji banku"), this)),
      m_reason(new QLabel(this)),
      m_stack(new QStackedLayout)
{
    setObjectName(QStringLiteral("paymentQr"));
    m_caption->setObjectName(QStringLiteral("qrCaption"));
    m_caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_caption->setWordWrap(true);
    m_reason->setObjectName(QStringLiteral("qrReason"));
    m_reason->setAlignment(Qt::AlignCenter);
    m_reason->setWordWrap(true);
    m_reason->setTextFormat(Qt::PlainText);

    // Room for the largest symbol the code needs at three pixels a module.
    const int side = fontMetrics().height() * 11;
    m_picture->setFixedSize(side, side);

    auto *withCode = new QWidget(this);
    auto *codeLayout = new QVBoxLayout(withCode);
    codeLayout->setContentsMargins(0, 0, 0, 0);
    codeLayout->addWidget(m_picture, 0, Qt::AlignHCenter);
    codeLayout->addWidget(m_caption);
    codeLayout->addStretch(1);
    m_stack->addWidget(withCode);
    m_stack->addWidget(m_reason);
    setLayout(m_stack);
    setFixedSize(side, side + fontMetrics().height() * 3);
}

QWidget *CPaymentQrView::symbolWidget() const
{
    return m_picture;
}

void CPaymentQrView::showOrder(const CPrzelewDane &order)
{
    PaymentQrText code = paymentQrText(order);
    std::optional<QrSymbol> symbol;
    if (code.ok()) {
        symbol = QrSymbol::encode(code.text.toUtf8());
        if (!symbol)
            code = PaymentQrText {QString(), PaymentQrRefusal::UnknownKind,
                                  QStringLiteral("Nie udało się utworzyć kodu QR do płatności.")};
    }
    m_code = code;
    m_picture->setSymbol(std::move(symbol));
    m_reason->setText(code.ok() ? QString() : QStringLiteral("Brak kodu QR do płatności.\n\n") + code.reason);
    m_stack->setCurrentIndex(code.ok() ? 0 : 1);
}

CPrzelewDane typedOrder(const CDetailsPage *page, const CPrzelewDane &stored)
{
    CPrzelewDane r = stored;
    // What every page has: the deposit switch, the currency and the amount.
    r.isTransfer = page->transferButton()->isChecked() ? 1 : 0;
    r.currency = page->currency()->text();
    r.amount = typedAmount(page->amount());
    // The recipient's name and account of the ordinary and tax pages.
    const auto recipient = [&r, page](QLineEdit *name) {
        r.recipient1 = name->text();
        r.checkDigits = page->checkDigits()->text();
        r.bankNumber = page->bankNumber()->text();
        r.accountRest = page->accountRest()->text();
    };
    if (const auto *p = qobject_cast<const CDetailsDlg *>(page)) {
        r.kind = KindOrdinary;
        recipient(p->recipient1());
        r.title1 = p->title1()->text();
        r.title2 = p->title2()->text();
    } else if (const auto *p = qobject_cast<const CTaxDetailsDlg *>(page)) {
        r.kind = KindTax;
        recipient(p->office1());
        r.payerId = p->payerId()->text();
        r.idType = listCode(p->idType(), stored.idType, PageRules::Tax::idTypeCode);
        r.taxPeriod = p->period()->text();
        r.taxFormSymbol = p->formSymbol()->currentText();
        r.obligationId = p->obligation()->text();
    } else if (const auto *p = qobject_cast<const CZUSDetailsDlg *>(page)) {
        r.kind = KindZus;
        r.zusAccountType = listCode(p->purpose(), stored.zusAccountType, [](int position) { return position + 1; });
    }
    return r;
}
