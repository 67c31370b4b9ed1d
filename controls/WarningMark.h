#pragma once
// A quiet warning beside a field: a small warning icon whose tooltip says
// what looks wrong. It never blocks anything; with no warning it is blank
// but keeps its place, so the layout does not jump while the user types.

#include <QLabel>

class CWarningMark : public QLabel
{
    Q_OBJECT
public:
    explicit CWarningMark(QWidget *parent = nullptr);

    // Shows the mark with this text as its tooltip; an empty text hides it.
    void setWarning(const QString &text);
    QString warning() const { return toolTip(); }
    bool isShown() const { return !warning().isEmpty(); }
};
