#include "options/SpinEdit.h"

#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <algorithm>

CSpinEdit::CSpinEdit(int low, int high, QWidget *parent) : QAbstractSpinBox(parent), m_low(low), m_high(high)
{
    setAlignment(Qt::AlignRight);
    setKeyboardTracking(true);
    connect(lineEdit(), &QLineEdit::textChanged, this, &CSpinEdit::textChanged);
}

void CSpinEdit::setRange(int low, int high)
{
    m_low = low;
    m_high = high;
    update();
}

QString CSpinEdit::text() const
{
    return lineEdit()->text();
}

void CSpinEdit::setText(const QString &text)
{
    lineEdit()->setText(text);
}

QValidator::State CSpinEdit::validate(QString &, int &) const
{
    return QValidator::Acceptable;
}

void CSpinEdit::stepBy(int steps)
{
    bool ok = false;
    const int now = text().trimmed().toInt(&ok);
    // The arrows start from the typed number, kept within their range.
    const int next = std::clamp((ok ? now : 0) + steps, m_low, m_high);
    lineEdit()->setText(QString::number(next));
    lineEdit()->selectAll();
}

QAbstractSpinBox::StepEnabled CSpinEdit::stepEnabled() const
{
    bool ok = false;
    const int now = text().trimmed().toInt(&ok);
    if (!ok)
        return StepUpEnabled | StepDownEnabled;
    StepEnabled e = StepNone;
    if (now < m_high)
        e |= StepUpEnabled;
    if (now > m_low)
        e |= StepDownEnabled;
    return e;
}

QSize CSpinEdit::sizeHint() const
{
    // Room for "-100" and the arrows.
    ensurePolished();
    const QFontMetrics fm(font());
    QStyleOptionSpinBox opt;
    initStyleOption(&opt);
    const QSize content(fm.horizontalAdvance(QStringLiteral("-0000")) + 4, lineEdit()->sizeHint().height());
    return style()->sizeFromContents(QStyle::CT_SpinBox, &opt, content, this);
}

QSize CSpinEdit::minimumSizeHint() const
{
    return sizeHint();
}
