#pragma once
// One page of the details dialog: moves the order between its controls and
// the record in both directions. Towards the record the first failing step
// stops the exchange, shows its message and leaves the focus on its control.

#include <QWidget>

class CDetailsPage : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Loads every control from the record.
    virtual void loadFromRecord() = 0;
    // Stores the controls into the record step by step; false at the first failure.
    virtual bool saveToRecord() = 0;
    // The dialog's title while this page is shown.
    virtual QString pageTitle() const = 0;
    // Where the focus goes when the page is shown.
    virtual void focusFirstField() = 0;

Q_SIGNALS:
    // The user changed something since the page was last loaded.
    void edited();
};
