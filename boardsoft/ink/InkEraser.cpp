#include "boardsoft/ink/InkEraser.h"

#include <algorithm>
#include <cmath>

namespace {

double distanceToSegment(QPointF p, QPointF a, QPointF b)
{
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double lengthSquared = dx * dx + dy * dy;
    double t = 0;
    if (lengthSquared > 0)
        t = std::clamp(((p.x() - a.x()) * dx + (p.y() - a.y()) * dy) / lengthSquared, 0.0, 1.0);
    return std::hypot(p.x() - (a.x() + t * dx), p.y() - (a.y() + t * dy));
}

} // namespace

CInkEraser CInkEraser::circle(QPointF centre, double radius)
{
    CInkEraser e;
    e.m_isCircle = true;
    e.m_centre = centre;
    e.m_radius = std::max(0.0, radius);
    e.m_bounds = QRectF(centre.x() - e.m_radius, centre.y() - e.m_radius, 2 * e.m_radius, 2 * e.m_radius);
    return e;
}

CInkEraser CInkEraser::quadrilateral(const std::array<QPointF, 4>& corners)
{
    CInkEraser e;
    e.m_isCircle = false;
    e.m_corners = corners;
    double left = corners[0].x(), right = left, top = corners[0].y(), bottom = top;
    for (const QPointF& c : corners) {
        left = std::min(left, c.x());
        right = std::max(right, c.x());
        top = std::min(top, c.y());
        bottom = std::max(bottom, c.y());
    }
    e.m_bounds = QRectF(QPointF(left, top), QPointF(right, bottom));
    return e;
}

bool CInkEraser::covers(QPointF p, double margin) const
{
    if (m_isCircle)
        return std::hypot(p.x() - m_centre.x(), p.y() - m_centre.y()) <= m_radius + margin;

    // Inside by the even-odd rule, or near enough to an edge.
    bool inside = false;
    for (std::size_t i = 0, j = 3; i < 4; j = i++) {
        const QPointF& a = m_corners[i];
        const QPointF& b = m_corners[j];
        if ((a.y() > p.y()) != (b.y() > p.y())) {
            const double x = a.x() + (p.y() - a.y()) * (b.x() - a.x()) / (b.y() - a.y());
            if (p.x() < x)
                inside = !inside;
        }
    }
    if (inside)
        return true;
    for (std::size_t i = 0, j = 3; i < 4; j = i++) {
        if (distanceToSegment(p, m_corners[j], m_corners[i]) <= margin)
            return true;
    }
    return false;
}
