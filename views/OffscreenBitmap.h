#pragma once

#include <QImage>

// A window's back buffer. It only grows: a window that shrinks keeps the larger
// buffer, so dragging and resizing cause at most one allocation per enlargement.
class COffscreenBitmap
{
public:
    COffscreenBitmap();
    virtual ~COffscreenBitmap() = default;

    // Makes the buffer at least width x height. When it is already large enough
    // in both directions nothing happens; otherwise it is replaced by a cleared
    // buffer of exactly that size (the old content is dropped).
    void EnsureSize(int width, int height);

    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    QImage& Image() { return m_image; }
    const QImage& Image() const { return m_image; }

private:
    QImage m_image;
};
