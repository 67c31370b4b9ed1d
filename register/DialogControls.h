#pragma once
// Dialogs of the register are built from tables of controls with fixed
// places (pixels), so the flexible layout can move them as the window grows.

#include <QRect>
#include <QString>

class QWidget;

struct ControlSpec
{
    enum Kind { Label, Edit, Button, Check, Radio, Group, Table };
    const char *name;     // object name, used by the layout and the tests
    Kind kind;
    const char *text;     // UTF-8 label with "&" accelerators
    QRect rect;
};

// Creates every control of the table as a child of `parent`, in order.
void createControls(QWidget *parent, const ControlSpec *specs, int count);

struct BuddySpec { const char *label; const char *buddy; };
// Gives each label's accelerator to the control it names.
void setBuddies(QWidget *parent, const BuddySpec *specs, int count);

// The child named `name`, which the table created.
template <typename T>
T *control(QWidget *parent, const char *name);

#include <QWidget>
template <typename T>
T *control(QWidget *parent, const char *name)
{
    return parent->findChild<T *>(QLatin1String(name), Qt::FindDirectChildrenOnly);
}
