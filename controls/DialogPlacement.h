#pragma once
// Where a resizable dialog was when it was last closed, kept in a settings
// section under "Top", "Left", "Height", "Width" and "Maximized" (the names
// older settings files have). An empty section keeps nothing.

#include <QList>
#include <QRect>
#include <QString>

class QWidget;

// Whether a remembered rectangle may be used: not below the minimum, not
// larger than the desktop, and on some screen.
bool placementAcceptable(const QRect &rect, QSize minimum, const QList<QRect> &screens);
// Puts the window where the section remembers it, when all five values are
// there and the rectangle is acceptable for the window's minimum size.
void restorePlacement(QWidget *window, const QString &section);
// Remembers the window's normal rectangle and whether it is maximised.
void storePlacement(const QWidget *window, const QString &section);
