#include "edit/DateField.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>

CDateField::CDateField(QWidget *parent)
    : QWidget(parent), m_tick(new QCheckBox(this)), m_edit(new QDateEdit(this))
{
    m_tick->setObjectName(QStringLiteral("dateTick"));
    m_tick->setToolTip(QStringLiteral("Bez zaznaczenia przelew nie ma daty"));
    m_edit->setObjectName(QStringLiteral("date"));
    m_edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    m_edit->setCalendarPopup(true);
    m_edit->setMinimumDate(QDate(1900, 1, 1));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(m_tick);
    row->addWidget(m_edit, 1);
    setFocusProxy(m_tick);
    connect(m_tick, &QCheckBox::toggled, m_edit, &QWidget::setEnabled);
    connect(m_tick, &QCheckBox::clicked, this, &CDateField::edited);
    connect(m_edit, &QDateEdit::userDateChanged, this, [this] {
        if (m_edit->hasFocus())
            Q_EMIT edited();
    });
}

void CDateField::setOrderDate(const COrderDate &date)
{
    m_loaded = date;
    m_tick->setChecked(date.isValid());
    m_edit->setEnabled(date.isValid());
    m_edit->setDate(date.isValid() ? date.date() : QDate::currentDate());
}

COrderDate CDateField::orderDate() const
{
    if (!m_tick->isChecked())
        return m_loaded.isValid() ? COrderDate::null() : m_loaded;
    if (m_loaded.isValid() && m_loaded.date() == m_edit->date())
        return m_loaded;   // keeps the time of day a new order was made at
    return COrderDate::fromDate(m_edit->date());
}
