#include "controls/WarningMark.h"

#include <QStyle>

CWarningMark::CWarningMark(QWidget *parent) : QLabel(parent)
{
    const int side = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    setFixedSize(side, side);
    QSizePolicy policy = sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    setSizePolicy(policy);
    hide();
}

void CWarningMark::setWarning(const QString &text)
{
    setToolTip(text);
    setAccessibleDescription(text);
    if (text.isEmpty()) {
        clear();
        hide();
        return;
    }
    const int side = width();
    setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(side, side));
    show();
}
