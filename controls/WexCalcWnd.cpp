#include "controls/WexCalcWnd.h"

#include "controls/WexCalcEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyleOptionButton>
#include <QWindow>

const std::array<CWexCalcWnd::Button, CWexCalcWnd::kButtonCount> CWexCalcWnd::kButtons = {{
    {u"<-", u'\b', 0, 0, 16, 11},
    {u"CE", u't', 16, 0, 16, 11},
    {u"C", u'u', 32, 0, 28, 11},
    {u"%", u'%', 0, 11, 16, 11},
    {u"\u00f7", u'/', 16, 11, 16, 11},
    {u"\u00d7", u'*', 32, 11, 16, 11},
    {u"\u2014", u'-', 48, 11, 12, 11},
    {u"7", u'7', 0, 22, 16, 11},
    {u"8", u'8', 16, 22, 16, 11},
    {u"9", u'9', 32, 22, 16, 11},
    {u"+", u'+', 48, 22, 12, 22},
    {u"4", u'4', 0, 33, 16, 11},
    {u"5", u'5', 16, 33, 16, 11},
    {u"6", u'6', 32, 33, 16, 11},
    {u"1", u'1', 0, 44, 16, 11},
    {u"2", u'2', 16, 44, 16, 11},
    {u"3", u'3', 32, 44, 16, 11},
    {u"=", u'=', 48, 44, 12, 22},
    {u"0", u'0', 0, 55, 32, 11},
    {u".", u',', 32, 55, 16, 11},
}};

namespace {

QPointer<CWexCalcWnd> &theKeypad()
{
    static QPointer<CWexCalcWnd> keypad;
    return keypad;
}

int keyForCharacter(char16_t c)
{
    switch (c) {
    case u'\b': return Qt::Key_Backspace;
    case u',': return Qt::Key_Comma;
    case u'%': return Qt::Key_Percent;
    case u'/': return Qt::Key_Slash;
    case u'*': return Qt::Key_Asterisk;
    case u'-': return Qt::Key_Minus;
    case u'+': return Qt::Key_Plus;
    case u'=': return Qt::Key_Equal;
    case u't': return Qt::Key_T;
    case u'u': return Qt::Key_U;
    default: return Qt::Key_0 + (c - u'0'); // the digits
    }
}

bool isMouseEvent(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::NonClientAreaMouseMove:
    case QEvent::Wheel:
        return true;
    default:
        return false;
    }
}

bool isPress(QEvent::Type type)
{
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick
        || type == QEvent::NonClientAreaMouseButtonPress
        || type == QEvent::NonClientAreaMouseButtonDblClick;
}

} // namespace

CWexCalcWnd *CWexCalcWnd::instance()
{
    if (!theKeypad())
        theKeypad() = new CWexCalcWnd;
    return theKeypad();
}

CWexCalcWnd *CWexCalcWnd::existingInstance()
{
    return theKeypad();
}

void CWexCalcWnd::releaseOwner(const CWexCalcEdit *edit)
{
    if (theKeypad() && theKeypad()->m_owner == edit)
        delete theKeypad().data();
}

CWexCalcWnd::CWexCalcWnd()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                           | Qt::WindowDoesNotAcceptFocus)
{
    // A tool-tip window is never activated: the focus stays in the edit.
    setObjectName(QStringLiteral("WexPadCalcWnd"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
}

CWexCalcWnd::~CWexCalcWnd()
{
    if (m_watchingInput)
        qApp->removeEventFilter(this);
}

void CWexCalcWnd::popup(CWexCalcEdit *owner)
{
    m_owner = owner;
    setFont(owner->font());
    setPalette(owner->palette());
    // Dialog base units of the owner's font, as the platform computed them.
    const QFontMetrics fm(owner->font());
    const int letters = fm.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_baseX = std::max(1, (letters / 26 + 1) / 2);
    m_baseY = std::max(1, fm.height());
    const QSize size(kWidthDu * m_baseX / 4 + 2, kHeightDu * m_baseY / 8 + 2);

    // Right-aligned under the edit; kept on the screen, above the edit when
    // there is no room below.
    const QRect edit = QRect(owner->mapToGlobal(QPoint(0, 0)), owner->size()).adjusted(1, 1, -1, -1);
    const QRect screen = owner->screen() ? owner->screen()->geometry() : QRect(0, 0, 4096, 4096);
    int x = edit.right() + 1 - size.width();
    int y = edit.bottom() + 1;
    if (x + size.width() > screen.right() + 1)
        x = screen.right() + 1 - size.width();
    x = std::max(x, screen.left());
    if (y + size.height() > screen.bottom() + 1)
        y = edit.top() - size.height();
    setGeometry(QRect(QPoint(x, y), size));
    // Stacked with the field's window (and placed relative to it where the
    // window system insists on a parent for pop-ups).
    winId();
    if (QWindow *parentWindow = owner->window()->windowHandle())
        windowHandle()->setTransientParent(parentWindow);

    m_tracking = m_mousePressed = m_keyPressed = -1;
    if (!m_watchingInput) {
        qApp->installEventFilter(this);
        m_watchingInput = true;
    }
    show();
    raise();
    update();
}

void CWexCalcWnd::hideEvent(QHideEvent *event)
{
    if (m_watchingInput) {
        qApp->removeEventFilter(this);
        m_watchingInput = false;
    }
    m_tracking = m_mousePressed = m_keyPressed = -1;
    QWidget::hideEvent(event);
}

QRect CWexCalcWnd::buttonRect(int index) const
{
    const Button &b = kButtons[size_t(index)];
    auto px = [this](int du) { return 1 + du * m_baseX / 4; };
    auto py = [this](int du) { return 1 + du * m_baseY / 8; };
    return QRect(QPoint(px(b.x), py(b.y)), QPoint(px(b.x + b.width) - 1, py(b.y + b.height) - 1));
}

int CWexCalcWnd::buttonAt(const QPoint &pos) const
{
    for (int i = 0; i < kButtonCount; ++i) {
        if (buttonRect(i).contains(pos))
            return i;
    }
    return -1;
}

int CWexCalcWnd::buttonForKey(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        return 0;
    case Qt::Key_F5:
        return 1;
    case Qt::Key_F6:
        return 2;
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() != 1)
        return -1;
    char16_t c = text[0].unicode();
    if (c == u'.' && (event->modifiers() & Qt::KeypadModifier))
        c = u',';
    for (int i = 0; i < kButtonCount; ++i) {
        if (kButtons[size_t(i)].character == c)
            return i;
    }
    return -1;
}

void CWexCalcWnd::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    p.setPen(palette().color(QPalette::Shadow));
    p.drawRect(rect().adjusted(0, 0, -1, -1)); // the thin window border
    const int pressed = pressedButton();
    for (int i = 0; i < kButtonCount; ++i) {
        QStyleOptionButton opt;
        opt.initFrom(this);
        opt.rect = buttonRect(i);
        opt.text = QString::fromUtf16(kButtons[size_t(i)].label);
        opt.state |= (i == pressed) ? QStyle::State_Sunken : QStyle::State_Raised;
        opt.state &= ~(QStyle::State_HasFocus | QStyle::State_MouseOver);
        p.save();
        p.setClipRect(opt.rect);
        style()->drawControl(QStyle::CE_PushButton, &opt, &p, this);
        p.restore();
    }
}

void CWexCalcWnd::setMousePressed(int index)
{
    if (m_mousePressed != index) {
        m_mousePressed = index;
        update();
    }
}

void CWexCalcWnd::setKeyPressed(int index)
{
    if (m_keyPressed != index) {
        m_keyPressed = index;
        update();
    }
}

void CWexCalcWnd::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_tracking = buttonAt(event->position().toPoint());
    setMousePressed(m_tracking);
}

void CWexCalcWnd::mouseMoveEvent(QMouseEvent *event)
{
    if (m_tracking < 0)
        return;
    const bool over = buttonRect(m_tracking).contains(event->position().toPoint());
    setMousePressed(over ? m_tracking : -1);
}

void CWexCalcWnd::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_tracking < 0)
        return;
    const int index = m_tracking;
    m_tracking = -1;
    setMousePressed(-1);
    if (buttonRect(index).contains(event->position().toPoint()))
        sendCharacter(kButtons[size_t(index)].character);
}

void CWexCalcWnd::sendCharacter(char16_t c)
{
    if (!m_owner)
        return;
    QCoreApplication::postEvent(m_owner, new QKeyEvent(QEvent::KeyPress, keyForCharacter(c),
                                                       Qt::NoModifier, QString(QChar(c))));
}

bool CWexCalcWnd::isOwnTarget(const QObject *target) const
{
    if (target == this || target == windowHandle())
        return true;
    const QWidget *w = qobject_cast<const QWidget *>(target);
    return w && isAncestorOf(w);
}

bool CWexCalcWnd::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (isMouseEvent(type)) {
        if (isOwnTarget(watched))
            return false;
        // The mouse belongs to the keypad while it is shown: a press elsewhere
        // only hides it.
        if (isPress(type))
            dismiss();
        return true;
    }
    if (type == QEvent::KeyPress || type == QEvent::KeyRelease) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (type == QEvent::KeyPress && key->key() == Qt::Key_Escape) {
            dismiss();
            return true;
        }
        if (key->key() == Qt::Key_Shift) {
            update();
        } else if (key->spontaneous()) { // not the keypad's own posted keys
            const int index = buttonForKey(key);
            if (type == QEvent::KeyPress && index >= 0)
                setKeyPressed(index);
            else if (type == QEvent::KeyRelease && index == m_keyPressed)
                setKeyPressed(-1);
        }
    }
    return false;
}
