#pragma once

#include <QPointF>
#include <QRectF>
#include <array>

// The area an eraser covers: a circle (a touch of the eraser) or a
// quadrilateral (the band the eraser swept between two samples). Ink counts
// as covered where its centre line comes within half the pen width of the
// area, so no part of an erased line is left showing inside it.
class CInkEraser
{
public:
    static CInkEraser circle(QPointF centre, double radius);
    // The corners in order around the band; a crossed (bow-tie) order is read
    // with the even-odd rule.
    static CInkEraser quadrilateral(const std::array<QPointF, 4>& corners);

    // True when p lies in the area grown by margin.
    bool covers(QPointF p, double margin) const;
    // The area's bounding box (without margin).
    QRectF bounds() const { return m_bounds; }

private:
    CInkEraser() = default;

    bool m_isCircle = true;
    QPointF m_centre;
    double m_radius = 0;
    std::array<QPointF, 4> m_corners {};
    QRectF m_bounds;
};
