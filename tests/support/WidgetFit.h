#pragma once
// Checks that a shown window gives every label, button and box the room its
// text needs at a larger font, reads what names a control and a list's
// entries, and saves a picture of a window when KANTOMIX_SHOTS names a folder.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
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

// What names `control` in `window`: the text of the label it is the buddy
// of, else its own text if it is a button.
inline QString labelText(const QWidget &window, const QWidget *control)
{
    for (QLabel *l : window.findChildren<QLabel *>())
        if (l->buddy() == control)
            return l->text();
    auto *button = qobject_cast<const QAbstractButton *>(control);
    return button ? button->text() : QString();
}

inline QStringList itemTexts(const QComboBox *combo)
{
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}

inline void saveShot(QWidget &window, const QString &name)
{
    const QString dir = qEnvironmentVariable("KANTOMIX_SHOTS");
    if (!dir.isEmpty() && QDir().mkpath(dir))
        window.grab().save(dir + u'/' + name + QStringLiteral(".png"));
}

// The application's font at `points` while it lives.
class AppFontSize
{
public:
    explicit AppFontSize(int points) : m_before(QApplication::font())
    {
        QFont font = m_before;
        font.setPointSize(points);
        QApplication::setFont(font);
    }
    ~AppFontSize() { QApplication::setFont(m_before); }
    AppFontSize(const AppFontSize &) = delete;
    AppFontSize &operator=(const AppFontSize &) = delete;

private:
    QFont m_before;
};
