#include "views/OffscreenBitmap.h"

#include <QtMath>
#include <algorithm>

COffscreenBitmap::COffscreenBitmap()
    : m_image(1, 1, QImage::Format_ARGB32_Premultiplied)
{
    m_image.fill(Qt::transparent);
}

void COffscreenBitmap::EnsureSize(int width, int height, qreal ratio)
{
    if (ratio <= 0.0)
        ratio = 1.0;
    if (m_image.devicePixelRatio() == ratio && Width() >= width && Height() >= height)
        return;
    // Never below 1 x 1: painting on a null image fails.
    const int w = std::max(width, 1);
    const int h = std::max(height, 1);
    m_image = QImage(qCeil(w * ratio), qCeil(h * ratio), QImage::Format_ARGB32_Premultiplied);
    m_image.setDevicePixelRatio(ratio);
    m_image.fill(Qt::transparent);
}

int COffscreenBitmap::Width() const
{
    return qFloor(m_image.width() / m_image.devicePixelRatio());
}

int COffscreenBitmap::Height() const
{
    return qFloor(m_image.height() / m_image.devicePixelRatio());
}

QRectF COffscreenBitmap::PixelRect(const QRect& logical) const
{
    const qreal r = m_image.devicePixelRatio();
    return QRectF(logical.x() * r, logical.y() * r, logical.width() * r, logical.height() * r);
}
