#pragma once

#include <QRect>

class QPainter;

// A drawable element of the manipulatives scene with a pixel-exact hit test.
// Positions are top-left corners in the parent's coordinates.
class CSceneElement
{
public:
    virtual ~CSceneElement() = default;
    virtual int GetWidth() const = 0;
    virtual int GetHeight() const = 0;
    virtual void Draw(QPainter& painter) const = 0;
    // Hit code of the element under (x, y), 0 for a miss.
    virtual int HitTest(int x, int y) const = 0;

    int X() const { return m_x; }
    int Y() const { return m_y; }
    void SetPosition(int x, int y)
    {
        m_x = x;
        m_y = y;
    }
    void MoveBy(int dx, int dy)
    {
        m_x += dx;
        m_y += dy;
    }
    QRect Rect() const { return QRect(m_x, m_y, GetWidth(), GetHeight()); }

private:
    int m_x = 0;
    int m_y = 0;
};
