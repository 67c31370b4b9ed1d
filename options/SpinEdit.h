#pragma once
// An edit with spin arrows whose text is free: the arrows move a whole
// number within their range, but any text may be typed and is checked only
// when the page is saved (a shift of 80 passes although the arrows stop at 50).

#include <QAbstractSpinBox>

class CSpinEdit : public QAbstractSpinBox
{
    Q_OBJECT

public:
    CSpinEdit(int low, int high, QWidget *parent = nullptr);

    void setRange(int low, int high);
    int minimum() const { return m_low; }
    int maximum() const { return m_high; }
    QString text() const;
    void setText(const QString &text);
    void selectAll() { QAbstractSpinBox::selectAll(); }

    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &) const override {}
    void stepBy(int steps) override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void textChanged(const QString &text);

protected:
    StepEnabled stepEnabled() const override;

private:
    int m_low, m_high;
};
