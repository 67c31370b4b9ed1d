#pragma once
// The order date: a tick box beside a date edit (dd.MM.yyyy); unticked means
// the order carries no date. A date left as loaded is stored back unchanged.

#include "model/PrzelewDane.h"

#include <QWidget>

class QCheckBox;
class QDateEdit;

class CDateField : public QWidget
{
    Q_OBJECT
public:
    explicit CDateField(QWidget *parent = nullptr);

    void setOrderDate(const COrderDate &date);
    COrderDate orderDate() const;

    QCheckBox *tick() const { return m_tick; }
    QDateEdit *edit() const { return m_edit; }

Q_SIGNALS:
    void edited();

private:
    QCheckBox *m_tick;
    QDateEdit *m_edit;
    COrderDate m_loaded;
};
