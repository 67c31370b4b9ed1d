#include "edit/PageGrid.h"

#include "edit/PageCommon.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

CPageGrid::CPageGrid(QWidget *page, int fieldColumns, bool widenFree)
    : m_page(page), m_grid(new QGridLayout(page)), m_fieldColumns(fieldColumns), m_widenFree(widenFree)
{
    m_grid->setContentsMargins(0, 0, 0, 0);
    m_grid->setColumnStretch(1, 1);
}

void CPageGrid::addRow(const char *label, QWidget *field, QWidget *after)
{
    m_grid->addWidget(makeFieldLabel(label, field, m_page), m_row, 0);
    m_grid->addWidget(field, m_row, 1, 1, after || !m_widenFree ? m_fieldColumns - 1 : m_fieldColumns);
    if (after)
        m_grid->addWidget(after, m_row, m_fieldColumns);
    ++m_row;
}

void CPageGrid::addLine(QLayout *line, int column)
{
    m_grid->addLayout(line, m_row++, column, 1, m_fieldColumns + 1 - column);
}

void CPageGrid::addFields(const char *label, std::initializer_list<QWidget *> fields)
{
    auto *line = new QHBoxLayout;
    for (QWidget *w : fields)
        line->addWidget(w);
    line->addStretch(1);
    m_grid->addWidget(makeFieldLabel(label, *fields.begin(), m_page), m_row, 0);
    m_grid->addLayout(line, m_row++, 1, 1, m_fieldColumns);
}

void CPageGrid::finish()
{
    m_grid->setRowStretch(m_row, 1);
}
