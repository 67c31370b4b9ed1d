#pragma once
// A value a page refused on saving: the message and the control that gets
// the focus, its text selected.

#include <QString>

class QWidget;

struct PageError
{
    QString message;
    QWidget *field = nullptr;
};
