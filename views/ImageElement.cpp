#include "views/ImageElement.h"

#include <QImage>
#include <QPainter>

CImageElement::CImageElement(const QImage* image, int hitCode)
    : m_image(image && !image->isNull() ? image : nullptr)
    , m_hitCode(hitCode)
{
}

int CImageElement::GetWidth() const
{
    return m_image ? m_image->width() : 0;
}

int CImageElement::GetHeight() const
{
    return m_image ? m_image->height() : 0;
}

void CImageElement::Draw(QPainter& painter) const
{
    if (m_image)
        painter.drawImage(QRect(X(), Y(), m_image->width(), m_image->height()), *m_image);
}

int CImageElement::HitTest(int x, int y) const
{
    if (!m_image)
        return 0;
    const int px = x - X();
    const int py = y - Y();
    if (px < 0 || py < 0 || px >= m_image->width() || py >= m_image->height())
        return 0;
    return qAlpha(m_image->pixel(px, py)) != 0 ? m_hitCode : 0;
}
