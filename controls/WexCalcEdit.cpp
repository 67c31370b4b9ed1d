#include "controls/WexCalcEdit.h"

#include "controls/WexCalcWnd.h"

#include <QAction>
#include <QIcon>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>

namespace {

// A small calculator: body, display and a grid of keys.
QIcon calculatorIcon()
{
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pm(16 * scale, 16 * scale);
        pm.setDevicePixelRatio(scale);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1));
        p.setBrush(QColor(0xe8, 0xe8, 0xe8));
        p.drawRoundedRect(QRectF(2.5, 0.5, 11, 15), 1.5, 1.5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x3a, 0x6e, 0x3a));
        p.drawRect(QRectF(4, 2, 8, 3));
        p.setBrush(QColor(0x40, 0x40, 0x40));
        for (int row = 0; row < 3; ++row) {
            for (int col = 0; col < 3; ++col)
                p.drawRect(QRectF(4 + col * 3, 7 + row * 3, 2, 2));
        }
        icon.addPixmap(pm);
    }
    return icon;
}

} // namespace

CWexCalcEdit::CWexCalcEdit(QWidget *parent)
    : CWexCuEdit(parent)
{
    m_button = addAction(calculatorIcon(), QLineEdit::TrailingPosition);
    m_button->setText(tr("Kalkulator"));
    m_button->setToolTip(tr("Kalkulator (F4)"));
    connect(m_button, &QAction::triggered, this, &CWexCalcEdit::onButton);
}

CWexCalcEdit::~CWexCalcEdit()
{
    CWexCalcWnd::releaseOwner(this);
}

bool CWexCalcEdit::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (keyPress(static_cast<QKeyEvent *>(event)))
            return true;
        break;
    case QEvent::ShortcutOverride: {
        // Claim our keys before a shortcut of the window takes them.
        auto *key = static_cast<QKeyEvent *>(event);
        if (wantsKey(key)) {
            key->accept();
            return true;
        }
        break;
    }
    case QEvent::FocusOut:
        hidePopup();
        break;
    case QEvent::ReadOnlyChange:
    case QEvent::EnabledChange:
        if (isReadOnly() || !isEnabled())
            hidePopup();
        break;
    default:
        break;
    }
    return CWexCuEdit::event(event);
}

bool CWexCalcEdit::isPopupVisible() const
{
    const CWexCalcWnd *pad = CWexCalcWnd::existingInstance();
    return pad && pad->isShownFor(this);
}

void CWexCalcEdit::showPopup()
{
    if (isReadOnly() || !isEnabled())
        return;
    if (!hasFocus())
        setFocus(Qt::OtherFocusReason);
    CWexCalcWnd::instance()->popup(this);
}

void CWexCalcEdit::hidePopup()
{
    if (isPopupVisible())
        CWexCalcWnd::existingInstance()->dismiss();
}

void CWexCalcEdit::setShowButton(bool show)
{
    m_showButton = show;
    m_button->setVisible(show);
}

void CWexCalcEdit::onButton()
{
    setFocus(Qt::MouseFocusReason);
    selectAll();
    showPopup();
}

bool CWexCalcEdit::wantsKey(const QKeyEvent *e) const
{
    if (isReadOnly())
        return false;
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    switch (e->key()) {
    case Qt::Key_F4:
        return !(mods & Qt::AltModifier);
    case Qt::Key_F5:
    case Qt::Key_F6:
        return true;
    case Qt::Key_Down:
    case Qt::Key_Up:
        return mods & Qt::AltModifier;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Alt:
        return isPopupVisible();
    default:
        return false;
    }
}

bool CWexCalcEdit::keyPress(QKeyEvent *e)
{
    if (isReadOnly())
        return false;
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    const bool visible = isPopupVisible();
    switch (e->key()) {
    case Qt::Key_F4:
        if (mods & Qt::AltModifier)
            return false; // Alt+F4 closes the window
        visible ? hidePopup() : showPopup();
        return true;
    case Qt::Key_Down:
    case Qt::Key_Up:
        if (mods & Qt::AltModifier) {
            e->key() == Qt::Key_Down ? showPopup() : hidePopup();
            return true;
        }
        return false;
    case Qt::Key_Alt:
        return visible;
    case Qt::Key_F5:
        clearEntry();
        return true;
    case Qt::Key_F6:
        clearAll();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!visible)
            return false; // the dialog's default button
        equals();
        return true;
    case Qt::Key_Escape:
        if (!visible)
            return false;
        hidePopup();
        return true;
    default:
        break;
    }
    if (mods & ~Qt::ShiftModifier)
        return false;
    const QString text = e->text();
    return text.size() == 1 && typeCalculatorChar(text[0]);
}

bool CWexCalcEdit::typeCalculatorChar(QChar c)
{
    switch (c.unicode()) {
    case u'+':
    case u'*':
    case u'/':
        typeOperator(char(c.unicode()));
        return true;
    case u'-':
        if (!isPopupVisible())
            return false; // the sign of the amount
        typeOperator('-');
        return true;
    case u'=':
        equals();
        return true;
    case u'%':
        percent();
        return true;
    case u't':
        clearEntry();
        return true;
    case u'u':
        clearAll();
        return true;
    default:
        return false;
    }
}

bool CWexCalcEdit::showResult(const QString &text)
{
    return setAmountText(text); // "E" or an amount too long is refused, selected
}

void CWexCalcEdit::typeOperator(char op)
{
    m_automat.pushNumber(amountText());
    m_automat.pushOperator(op);
    setAmountText(QStringLiteral("0"));
}

void CWexCalcEdit::equals()
{
    m_automat.pushNumber(amountText());
    if (showResult(m_automat.evaluate(decimals())))
        notifyEdited();
}

void CWexCalcEdit::percent()
{
    m_automat.pushNumber(amountText());
    m_automat.pushOperator('%');
    showResult(m_automat.evaluate(decimals()));
    equals();
}

void CWexCalcEdit::clearEntry()
{
    showResult(m_automat.evaluate(decimals()));
}

void CWexCalcEdit::clearAll()
{
    m_automat.clear();
    setAmountText(QStringLiteral("0"));
    notifyEdited();
    const int point = model().rawDecimalPointPos();
    setRawSelection(point - 1, point); // the "0", so that typing replaces it
}
