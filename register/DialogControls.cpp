#include "register/DialogControls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

void createControls(QWidget *parent, const ControlSpec *specs, int count)
{
    for (int i = 0; i < count; ++i) {
        const ControlSpec &s = specs[i];
        const QString text = QString::fromUtf8(s.text);
        QWidget *w = nullptr;
        switch (s.kind) {
        case ControlSpec::Label: w = new QLabel(text, parent); break;
        case ControlSpec::Edit: w = new QLineEdit(parent); break;
        case ControlSpec::Button: w = new QPushButton(text, parent); break;
        case ControlSpec::Check: w = new QCheckBox(text, parent); break;
        case ControlSpec::Radio: w = new QRadioButton(text, parent); break;
        case ControlSpec::Group: w = new QGroupBox(text, parent); break;
        case ControlSpec::Table: w = new QTableView(parent); break;
        }
        w->setObjectName(QLatin1String(s.name));
        w->setGeometry(s.rect);
        // Group boxes frame the controls that follow them without owning them.
        if (s.kind == ControlSpec::Group)
            w->lower();
    }
}

void setBuddies(QWidget *parent, const BuddySpec *specs, int count)
{
    for (int i = 0; i < count; ++i)
        control<QLabel>(parent, specs[i].label)->setBuddy(control<QWidget>(parent, specs[i].buddy));
}
