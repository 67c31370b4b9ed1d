#include "controls/WexFlexPlugin.h"

#include "base/Settings.h"

#include <QEvent>
#include <QGuiApplication>
#include <QResizeEvent>
#include <QScreen>
#include <QSettings>
#include <QSizeGrip>
#include <QWidget>

namespace {

// Placement values in the order they are read; a missing one ends the restore.
constexpr const char *PlacementKeys[] = {"Top", "Left", "Height", "Width", "Maximized"};
constexpr int Missing = -10000;

QList<QRect> screenRects()
{
    QList<QRect> out;
    for (const QScreen *s : QGuiApplication::screens())
        out << s->availableGeometry();
    return out;
}

} // namespace

namespace WexFlex {
const CWexFlexHorizontalConstraint &left() { static const CWexFlexHorizontalConstraint c(0.0f, 0.0f); return c; }
const CWexFlexHorizontalConstraint &right() { static const CWexFlexHorizontalConstraint c(1.0f, 1.0f); return c; }
const CWexFlexHorizontalConstraint &stretchHorizontally() { static const CWexFlexHorizontalConstraint c(0.0f, 1.0f); return c; }
const CWexFlexVerticalConstraint &top() { static const CWexFlexVerticalConstraint c(0.0f, 0.0f); return c; }
const CWexFlexVerticalConstraint &bottom() { static const CWexFlexVerticalConstraint c(1.0f, 1.0f); return c; }
const CWexFlexVerticalConstraint &stretchVertically() { static const CWexFlexVerticalConstraint c(0.0f, 1.0f); return c; }
} // namespace WexFlex

void CWexFlexConstraintList::add(const QString &control, const CWexFlexHorizontalConstraint &h,
                                 const CWexFlexVerticalConstraint &v)
{
    m_entries.push_back({control, QRect(), std::unique_ptr<CWexFlexHorizontalConstraint>(h.clone()),
                         std::unique_ptr<CWexFlexVerticalConstraint>(v.clone())});
}

void CWexFlexConstraintList::setWindow(QWidget *window, QSize initialClient)
{
    m_window = window;
    m_initial = initialClient;
}

bool CWexFlexConstraintList::capture()
{
    if (m_captured)
        return true;
    if (!m_window)
        return false;
    for (Entry &e : m_entries) {
        auto *w = m_window->findChild<QWidget *>(e.control);
        if (!w)
            return false;
        e.rect = w->geometry();
        e.horizontal->prepare(m_window, m_initial.width());
        e.vertical->prepare(m_window, m_initial.height());
    }
    m_captured = true;
    return true;
}

void CWexFlexConstraintList::layout(QSize client)
{
    if (m_entries.empty() || !capture())
        return;
    const int dx = std::max(0, client.width() - m_initial.width());
    const int dy = std::max(0, client.height() - m_initial.height());
    for (const Entry &e : m_entries) {
        auto *w = m_window->findChild<QWidget *>(e.control);
        if (!w)
            continue;
        const int x = int(float(dx) * e.horizontal->first()) + e.rect.left();
        const int y = int(float(dy) * e.vertical->first()) + e.rect.top();
        const int width = int(float(dx) * e.horizontal->second()) + e.rect.left() + e.rect.width() - x;
        const int height = int(float(dy) * e.vertical->second()) + e.rect.top() + e.rect.height() - y;
        w->setGeometry(x, y, width, height);
    }
}

CWexFlexPlugin::CWexFlexPlugin() = default;

CWexFlexPlugin::~CWexFlexPlugin()
{
    Detach();
}

void CWexFlexPlugin::AddConstraint(const QString &control, const CWexFlexHorizontalConstraint &h,
                                   const CWexFlexVerticalConstraint &v)
{
    m_list.add(control, h, v);
}

void CWexFlexPlugin::Attach(QWidget *window, bool sizeGrip)
{
    Detach();
    m_window = window;
    window->installEventFilter(this);
    if (sizeGrip) {
        m_grip = new QSizeGrip(window);
        m_grip->setObjectName(QStringLiteral("sizeGrip"));
        m_grip->resize(m_grip->sizeHint());
        placeGrip();
        m_grip->show();
    }
    m_minTrack = window->size();
    window->setMinimumSize(m_minTrack);
    m_list.setWindow(window, window->size());
    if (!m_section.isEmpty())
        restorePlacement();
}

void CWexFlexPlugin::Detach()
{
    if (m_window)
        m_window->removeEventFilter(this);
    m_window = nullptr;
    delete m_grip;
    m_grip = nullptr;
}

void CWexFlexPlugin::placeGrip()
{
    if (m_grip && m_window)
        m_grip->move(m_window->width() - m_grip->width(), m_window->height() - m_grip->height());
}

bool CWexFlexPlugin::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window) {
        switch (event->type()) {
        case QEvent::Resize:
            if (!m_window->isMinimized())
                m_list.layout(static_cast<QResizeEvent *>(event)->size());
            placeGrip();
            break;
        case QEvent::Hide:
            // Closing the dialog hides it; minimising is spontaneous and keeps nothing.
            if (!event->spontaneous())
                storePlacement();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

bool CWexFlexPlugin::placementAcceptable(const QRect &rect, QSize minimum, const QList<QRect> &screens)
{
    QRect desktop;
    bool onScreen = false;
    for (const QRect &s : screens) {
        desktop |= s;
        onScreen = onScreen || s.intersects(rect);
    }
    return onScreen && rect.width() >= minimum.width() && rect.height() >= minimum.height()
        && rect.width() <= desktop.width() && rect.height() <= desktop.height()
        && rect.right() >= 0 && rect.bottom() >= 0;
}

void CWexFlexPlugin::restorePlacement()
{
    const auto store = openSettingsStore();
    store->beginGroup(m_section);
    int v[5];
    for (int i = 0; i < 5; ++i) {
        bool ok = false;
        v[i] = store->value(QLatin1String(PlacementKeys[i]), Missing).toInt(&ok);
        if (!ok || v[i] == Missing)
            return;
    }
    const QRect rect(v[1], v[0], v[3], v[2]);
    if (!placementAcceptable(rect, m_minTrack, screenRects()))
        return;
    m_window->setGeometry(rect);
    if (v[4] > 0)
        m_window->setWindowState(m_window->windowState() | Qt::WindowMaximized);
}

void CWexFlexPlugin::storePlacement()
{
    if (m_section.isEmpty() || !m_window)
        return;
    const bool maximized = m_window->isMaximized();
    const QRect r = maximized && m_window->normalGeometry().isValid() ? m_window->normalGeometry()
                                                                        : m_window->geometry();
    const auto store = openSettingsStore();
    store->beginGroup(m_section);
    store->setValue(QStringLiteral("Maximized"), maximized ? 1 : 0);
    store->setValue(QStringLiteral("Width"), r.width());
    store->setValue(QStringLiteral("Height"), r.height());
    store->setValue(QStringLiteral("Left"), r.left());
    store->setValue(QStringLiteral("Top"), r.top());
    store->endGroup();
    store->sync();
}
