#pragma once
// The payment QR code of the order being typed, beside the details pages:
// the symbol with "Zeskanuj w aplikacji banku" under it, or, when the order
// cannot have a code, why not in its place. Its size never changes, so the
// pages' fields stay where they are.

#include "model/PaymentQr.h"
#include "print/QrSymbol.h"

#include <QWidget>
#include <optional>

class CDetailsPage;
class CPrzelewDane;
class CQrPicture;
class QLabel;
class QStackedLayout;

class CPaymentQrView : public QWidget
{
    Q_OBJECT
public:
    explicit CPaymentQrView(QWidget *parent = nullptr);

    void showOrder(const CPrzelewDane &order);

    // What the symbol shown holds; empty when none is shown.
    QString codeText() const { return m_code.ok() ? m_code.text : QString(); }
    QString reasonText() const { return m_code.reason; }
    QWidget *symbolWidget() const;
    QLabel *captionLabel() const { return m_caption; }
    QLabel *reasonLabel() const { return m_reason; }

private:
    PaymentQrText m_code;
    CQrPicture *m_picture;
    QLabel *m_caption;
    QLabel *m_reason;
    QStackedLayout *m_stack;
};

// The order as the page of its kind now shows it, over a copy of `stored`
// (fields the page does not show keep their stored values).
CPrzelewDane typedOrder(const CDetailsPage *page, const CPrzelewDane &stored);
