#pragma once
// CPageGrid: the grid the order pages lay their fields on, row by row: the
// labels in the first column, then the field columns, the last of which
// holds a row's pick button or mark.

#include <QWidget>
#include <initializer_list>

class QGridLayout;
class QLayout;

class CPageGrid
{
public:
    // `fieldColumns` columns right of the labels. With `widenFree` a row
    // without a button gives the button's column to its field.
    explicit CPageGrid(QWidget *page, int fieldColumns = 2, bool widenFree = true);

    QGridLayout *layout() const { return m_grid; }
    // The next row, taken.
    int takeRow() { return m_row++; }

    void addRow(const char *label, QWidget *field, QWidget *after = nullptr);
    // A line of its own from `column` to the last column.
    void addLine(QLayout *line, int column = 0);
    // Several fields after one label, left-aligned.
    void addFields(const char *label, std::initializer_list<QWidget *> fields);
    // The rows keep to the top of the page.
    void finish();

private:
    QWidget *m_page;
    QGridLayout *m_grid;
    int m_fieldColumns;
    bool m_widenFree;
    int m_row = 0;
};
