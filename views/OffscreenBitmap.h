#pragma once

#include <QImage>

// A window's back buffer. It only grows: a window that shrinks keeps the larger
// buffer, so dragging and resizing cause at most one allocation per enlargement.
class COffscreenBitmap
{
public:
    COffscreenBitmap();
    virtual ~COffscreenBitmap() = default;

    // Makes the buffer at least width x height logical pixels, with ratio
    // device pixels to each (the screen's device pixel ratio, so it is drawn
    // at the screen's own resolution). When it is already large enough in both
    // directions at that ratio nothing happens; otherwise it is replaced by a
    // cleared buffer of exactly that size (the old content is dropped).
    void EnsureSize(int width, int height, qreal ratio = 1.0);

    // The size in logical pixels; painters on the image work in these.
    int Width() const;
    int Height() const;
    // The part of the image under a logical rectangle, in the image's pixels.
    QRectF PixelRect(const QRect& logical) const;
    QImage& Image() { return m_image; }
    const QImage& Image() const { return m_image; }

private:
    QImage m_image;
};
