#include "app/KeyboardIndicators.h"

#include <QGuiApplication>
#include <QLabel>
#include <QTimer>

#if __has_include(<X11/XKBlib.h>) && defined(KANTOMIX_HAVE_X11)
#include <X11/XKBlib.h>
#define KANTOMIX_X11_LOCKS 1
#endif

namespace {

struct Indicator
{
    const char *text;
    const char *objectName;
    unsigned x11Mask;   // bit of the XKB indicator state
};

constexpr Indicator kIndicators[] = {
    {"CAP", "indicatorCaps", 0x1},
    {"NUM", "indicatorNum", 0x2},
    {"SCRL", "indicatorScroll", 0x4},
};

// The XKB indicator bits, or -1 when they cannot be read.
long lockState()
{
#ifdef KANTOMIX_X11_LOCKS
    if (auto *x11 = qApp->nativeInterface<QNativeInterface::QX11Application>()) {
        unsigned state = 0;
        if (Display *display = x11->display(); display && XkbGetIndicatorState(display, XkbUseCoreKbd, &state) == 0)
            return long(state);
    }
#endif
    return -1;
}

} // namespace

CKeyboardIndicators::CKeyboardIndicators(QObject *parent) : QObject(parent)
{
    for (const Indicator &ind : kIndicators) {
        auto *label = new QLabel(QString::fromLatin1(ind.text));
        label->setObjectName(QLatin1String(ind.objectName));
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 10);
        label->setEnabled(false);
        m_panes << label;
    }
    if (lockState() >= 0) {
        // The lock keys may be pressed in any window: look at them often.
        auto *timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, &CKeyboardIndicators::refresh);
        timer->start(250);
    }
    refresh();
}

void CKeyboardIndicators::refresh()
{
    const long state = lockState();
    for (int i = 0; i < m_panes.size(); ++i)
        m_panes[i]->setEnabled(state >= 0 && (state & kIndicators[i].x11Mask));
}
