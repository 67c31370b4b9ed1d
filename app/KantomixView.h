#pragma once
// The list of the document's orders: seven columns, several rows selectable,
// sorted by a click on a column header (a second click turns the order).
// It shows the order editor's rows and selection; what a command, a double
// click or a click while the details dialog is open does, the editor decides.

#include <QTableView>

class COrderEditor;
struct ListSort;

class CKantomixView : public QTableView
{
    Q_OBJECT
public:
    CKantomixView(COrderEditor &editor, QWidget *parent = nullptr);

    // What the empty list shows: how to add an order, open a file or print a form.
    static QString emptyListHint();

Q_SIGNALS:
    void contextMenuWanted(const QPoint &globalPos);

protected:
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QPoint keyboardMenuPosition() const;
    void showSort(ListSort sort);

    COrderEditor &m_editor;
};
