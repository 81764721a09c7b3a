#include "views/BlankView.h"

#include "views/ViewStyle.h"

#include <QPainter>

CBlankView::CBlankView(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("CBlankView"));
    ApplyViewStyle(this);
}

void CBlankView::paintEvent(QPaintEvent*)
{
    // No back buffer: the window-colour background is already erased.
    QPainter painter(this);
    m_background.SetDevicePixelRatio(devicePixelRatioF());
    m_background.Paint(painter, width() + 1, height() + 1);
}
