#include "controls/DialogPlacement.h"

#include "base/Settings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
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

bool placementAcceptable(const QRect &rect, QSize minimum, const QList<QRect> &screens)
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

void restorePlacement(QWidget *window, const QString &section)
{
    if (section.isEmpty())
        return;
    const auto store = openSettingsStore();
    store->beginGroup(section);
    int v[5];
    for (int i = 0; i < 5; ++i) {
        bool ok = false;
        v[i] = store->value(QLatin1String(PlacementKeys[i]), Missing).toInt(&ok);
        if (!ok || v[i] == Missing)
            return;
    }
    const QRect rect(v[1], v[0], v[3], v[2]);
    if (!placementAcceptable(rect, window->minimumSize(), screenRects()))
        return;
    window->setGeometry(rect);
    if (v[4] > 0)
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
}

void storePlacement(const QWidget *window, const QString &section)
{
    if (section.isEmpty())
        return;
    const bool maximized = window->isMaximized();
    const QRect r = maximized && window->normalGeometry().isValid() ? window->normalGeometry() : window->geometry();
    const auto store = openSettingsStore();
    store->beginGroup(section);
    store->setValue(QStringLiteral("Maximized"), maximized ? 1 : 0);
    store->setValue(QStringLiteral("Width"), r.width());
    store->setValue(QStringLiteral("Height"), r.height());
    store->setValue(QStringLiteral("Left"), r.left());
    store->setValue(QStringLiteral("Top"), r.top());
    store->endGroup();
    store->sync();
}
