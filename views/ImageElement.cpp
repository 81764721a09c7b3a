#include "views/ImageElement.h"

#include <QImage>
#include <QPainter>

CImageElement::CImageElement(const QImage* image, int hitCode)
    : m_image(image && !image->isNull() ? image : nullptr)
    , m_hitCode(hitCode)
{
}

// Sizes are logical pixels: an image made for a high-density screen carries
// its device pixel ratio and covers fewer logical pixels than it has.
int CImageElement::GetWidth() const
{
    return m_image ? qRound(m_image->width() / m_image->devicePixelRatio()) : 0;
}

int CImageElement::GetHeight() const
{
    return m_image ? qRound(m_image->height() / m_image->devicePixelRatio()) : 0;
}

void CImageElement::Draw(QPainter& painter) const
{
    if (m_image)
        painter.drawImage(QRect(X(), Y(), GetWidth(), GetHeight()), *m_image);
}

int CImageElement::HitTest(int x, int y) const
{
    if (!m_image)
        return 0;
    const int px = x - X();
    const int py = y - Y();
    if (px < 0 || py < 0 || px >= GetWidth() || py >= GetHeight())
        return 0;
    const qreal ratio = m_image->devicePixelRatio();
    const int ix = qMin(m_image->width() - 1, static_cast<int>(px * ratio));
    const int iy = qMin(m_image->height() - 1, static_cast<int>(py * ratio));
    return qAlpha(m_image->pixel(ix, iy)) != 0 ? m_hitCode : 0;
}
