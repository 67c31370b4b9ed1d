#include "controls/SubclassWnd.h"

#include <QHash>
#include <QWidget>

namespace {

struct Chain
{
    CSubclassWnd *first = nullptr;
    QMetaObject::Connection onDestroyed;
};

// One map for the program: widget -> its chain. UI thread only, so unlocked.
QHash<const QWidget *, Chain> &chains()
{
    static QHash<const QWidget *, Chain> map;
    return map;
}

} // namespace

struct CSubclassWnd::Call
{
    QEvent *event;
    bool delivered = false; // callDefault already handed the event on
    bool result = false;
};

CSubclassWnd::CSubclassWnd(QObject *parent)
    : QObject(parent)
{
}

CSubclassWnd::~CSubclassWnd()
{
    unhook();
}

CSubclassWnd *CSubclassWnd::firstHook(const QWidget *widget)
{
    const auto it = chains().constFind(widget);
    return it == chains().constEnd() ? nullptr : it->first;
}

void CSubclassWnd::hook(QWidget *widget)
{
    if (m_wnd) {
        QWidget *old = m_wnd;
        old->removeEventFilter(this);
        auto it = chains().find(old);
        if (it != chains().end()) {
            if (it->first == this) {
                it->first = m_next;
            } else {
                for (CSubclassWnd *h = it->first; h; h = h->m_next) {
                    if (h->m_next == this) {
                        h->m_next = m_next;
                        break;
                    }
                }
            }
            if (!it->first) {
                QObject::disconnect(it->onDestroyed);
                chains().erase(it);
            }
        }
        m_wnd = nullptr;
        m_next = nullptr;
    }
    if (!widget)
        return;

    auto it = chains().find(widget);
    if (it == chains().end()) {
        it = chains().insert(widget, Chain{});
        it->onDestroyed = QObject::connect(widget, &QObject::destroyed,
                                           [widget] { removeAllHooks(widget); });
    }
    m_wnd = widget;
    m_next = it->first;
    it->first = this;
    // Qt calls the most recently installed filter first: the chain's order.
    widget->installEventFilter(this);
}

void CSubclassWnd::removeAllHooks(const QWidget *widget)
{
    const auto it = chains().find(widget);
    if (it == chains().end())
        return;
    for (CSubclassWnd *h = it->first; h;) {
        CSubclassWnd *next = h->m_next;
        h->m_wnd = nullptr;
        h->m_next = nullptr;
        h = next;
    }
    chains().erase(it);
}

bool CSubclassWnd::windowProc(QEvent *)
{
    return false;
}

bool CSubclassWnd::callDefault(QEvent *event)
{
    Q_ASSERT(m_call && m_call->event == event);
    if (!m_wnd)
        return false;
    bool result;
    if (m_next) {
        result = m_next->deliver(event);
    } else {
        // QObject::event is public; it dispatches to the widget's own handler.
        result = static_cast<QObject *>(m_wnd)->event(event);
    }
    if (m_call) {
        m_call->delivered = true;
        m_call->result = result;
    }
    return result;
}

bool CSubclassWnd::deliver(QEvent *event)
{
    Call call{event};
    Call *outer = m_call;
    m_call = &call;
    const bool consumed = windowProc(event);
    m_call = outer;
    if (consumed)
        return true;
    if (call.delivered)
        return call.result;
    if (!m_wnd)
        return false;
    if (m_next)
        return m_next->deliver(event);
    return static_cast<QObject *>(m_wnd)->event(event);
}

bool CSubclassWnd::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_wnd)
        return false;
    Call call{event};
    Call *outer = m_call;
    m_call = &call;
    const bool consumed = windowProc(event);
    m_call = outer;
    // After callDefault the widget has seen the event: stop Qt's own pass.
    return consumed || call.delivered;
}
