#pragma once

#include "views/ImageElement.h"

#include <memory>

// Two images stacked and centred on each other: the apples heaped in the bowl
// (hit code 2) on top of the bowl's base (hit code 3).
class CStackElement : public CSceneElement
{
public:
    CStackElement(const QImage* top, const QImage* bottom);

    int GetWidth() const override { return m_width; }
    int GetHeight() const override { return m_height; }
    void Draw(QPainter& painter) const override;
    int HitTest(int x, int y) const override;

private:
    int m_width;
    int m_height;
    std::unique_ptr<CImageElement> m_top;
    std::unique_ptr<CImageElement> m_bottom;
};
