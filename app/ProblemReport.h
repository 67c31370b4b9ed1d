#pragma once
// Problems the user must hear of: in a message box, or on standard error
// when the program runs without a display (batch printing started by
// another program, the offscreen platform).

#include <QString>

class QWidget;

bool runsHeadless();
void reportProblem(const QString &text, QWidget *parent = nullptr);
