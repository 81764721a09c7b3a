#include "views/OffscreenBitmap.h"

#include <algorithm>

COffscreenBitmap::COffscreenBitmap()
    : m_image(1, 1, QImage::Format_ARGB32_Premultiplied)
{
    m_image.fill(Qt::transparent);
}

void COffscreenBitmap::EnsureSize(int width, int height)
{
    if (m_image.width() >= width && m_image.height() >= height)
        return;
    // Never below 1 x 1: painting on a null image fails.
    m_image = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_ARGB32_Premultiplied);
    m_image.fill(Qt::transparent);
}
