#pragma once
// Checks that a shown window gives every label, button and box the room its
// text needs, and saves a picture of it when KANTOMIX_SHOTS names a folder.

#include <QAbstractButton>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

// The texts of the visible controls narrower or lower than their text needs.
inline QStringList cutTexts(const QWidget &window)
{
    QStringList cut;
    for (QWidget *w : window.findChildren<QWidget *>()) {
        if (!w->isVisibleTo(&window))
            continue;
        QString text;
        if (auto *label = qobject_cast<QLabel *>(w))
            text = label->text();
        else if (auto *button = qobject_cast<QAbstractButton *>(w))
            text = button->text();
        else if (auto *group = qobject_cast<QGroupBox *>(w))
            text = group->title();
        if (text.isEmpty())
            continue;
        const QSize need = w->minimumSizeHint();
        if (w->width() < need.width() || w->height() < need.height())
            cut << QStringLiteral("%1 (%2x%3 < %4x%5)")
                       .arg(text)
                       .arg(w->width())
                       .arg(w->height())
                       .arg(need.width())
                       .arg(need.height());
    }
    return cut;
}

inline void saveShot(QWidget &window, const QString &name)
{
    const QString dir = qEnvironmentVariable("KANTOMIX_SHOTS");
    if (!dir.isEmpty() && QDir().mkpath(dir))
        window.grab().save(dir + u'/' + name + QStringLiteral(".png"));
}
