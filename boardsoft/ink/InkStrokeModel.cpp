#include "boardsoft/ink/InkStrokeModel.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {

// Points closer than this to the previous one add nothing to the line.
constexpr double kMinStep = 0.01;
// A piece shorter than this after a cut has vanished.
constexpr double kMinPieceLength = 0.01;
// Sampling step along a segment when looking for the eraser's edge; the edge
// is then found to within a thousandth of a pixel by bisection.
constexpr double kSampleStep = 0.5;
constexpr double kMaxWidth = 1000.0;

QPointF mid(QPointF a, QPointF b)
{
    return (a + b) / 2.0;
}

double length(QPointF a, QPointF b)
{
    return std::hypot(b.x() - a.x(), b.y() - a.y());
}

double pieceLength(const CInkStrokeModel::Piece& piece)
{
    double total = 0;
    for (std::size_t i = 1; i < piece.size(); ++i)
        total += length(piece[i - 1], piece[i]);
    return total;
}

QRectF pointsBounds(const std::vector<QPointF>& points, double grow)
{
    if (points.empty())
        return {};
    double left = points[0].x(), right = left, top = points[0].y(), bottom = top;
    for (const QPointF& p : points) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    return QRectF(QPointF(left - grow, top - grow), QPointF(right + grow, bottom + grow));
}

// QRectF::intersects treats a rectangle of zero width or height as empty; a
// straight horizontal or vertical line has such bounds and still counts here.
bool overlaps(const QRectF& a, const QRectF& b)
{
    return a.left() <= b.right() && b.left() <= a.right() && a.top() <= b.bottom() && b.top() <= a.bottom();
}

QRectF unite(const QRectF& a, const QRectF& b)
{
    if (a.isNull())
        return b;
    if (b.isNull())
        return a;
    return a.united(b);
}

} // namespace

void CInkStrokeModel::setColour(COLORREF colour)
{
    m_colour = colour & 0x00FFFFFF;
    forgetErased();
}

void CInkStrokeModel::setWidth(double width)
{
    m_width = std::clamp(width, 0.0, kMaxWidth);
    forgetErased();
}

std::size_t CInkStrokeModel::pointCount() const
{
    std::size_t n = 0;
    for (const Piece& piece : m_pieces)
        n += piece.size();
    return n;
}

void CInkStrokeModel::setPieces(std::vector<Piece> pieces)
{
    m_pieces = std::move(pieces);
    m_pieces.erase(std::remove_if(m_pieces.begin(), m_pieces.end(), [](const Piece& p) { return p.empty(); }),
        m_pieces.end());
    m_writing = false;
}

void CInkStrokeModel::setUpPen(QPainter& painter, double scale) const
{
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(QColor(GetRValue(m_colour), GetGValue(m_colour), GetBValue(m_colour)));
    pen.setWidthF(std::max(m_width * scale, 0.0));
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
}

// Draws the part of a piece that became final when point lastIndex arrived:
// from the midpoint before the previous point, around it, to the midpoint of
// the newest segment (or, with finish, on to the last point itself).
void CInkStrokeModel::drawSpan(
    QPainter* painter, const Piece& piece, std::size_t lastIndex, bool finish) const
{
    if (!painter || piece.empty())
        return;
    painter->save();
    setUpPen(*painter, 1.0);
    if (piece.size() == 1) {
        painter->drawPoint(piece[0]);
    } else if (lastIndex >= 1) {
        QPainterPath path;
        const QPointF& prev = piece[lastIndex - 1];
        const QPointF& last = piece[lastIndex];
        if (lastIndex == 1)
            path.moveTo(prev);
        else
            path.moveTo(mid(piece[lastIndex - 2], prev));
        if (lastIndex == 1)
            path.lineTo(mid(prev, last));
        else
            path.quadTo(prev, mid(prev, last));
        if (finish)
            path.lineTo(last);
        painter->drawPath(path);
    }
    painter->restore();
}

void CInkStrokeModel::begin(QPointF p, QPainter* painter)
{
    // Beginning again starts a new stroke: what was written before is dropped.
    forgetErased();
    m_pieces.assign(1, Piece { p });
    m_writing = true;
    drawSpan(painter, m_pieces.back(), 0, false);
}

void CInkStrokeModel::addPoint(QPointF p, QPainter* painter)
{
    if (!m_writing || m_pieces.empty()) {
        begin(p, painter);
        return;
    }
    forgetErased();
    Piece& piece = m_pieces.back();
    if (length(piece.back(), p) < kMinStep)
        return;
    piece.push_back(p);
    drawSpan(painter, piece, piece.size() - 1, false);
}

void CInkStrokeModel::end(QPointF p, QPainter* painter)
{
    bool added = false;
    if (!m_writing || m_pieces.empty()) {
        begin(p, painter);
    } else {
        Piece& piece = m_pieces.back();
        if (length(piece.back(), p) >= kMinStep) {
            piece.push_back(p);
            added = true;
        }
    }
    forgetErased();
    m_writing = false;
    const Piece& piece = m_pieces.back();
    const std::size_t n = piece.size();
    if (n == 1) {
        drawSpan(painter, piece, 0, false); // a dot, now in the final pen
    } else if (added) {
        drawSpan(painter, piece, n - 1, true); // around the last corner and on to the end
    } else if (painter) {
        // Only the stretch from the last midpoint to the end point is still missing.
        painter->save();
        setUpPen(*painter, 1.0);
        painter->drawLine(mid(piece[n - 2], piece[n - 1]), piece[n - 1]);
        painter->restore();
    }
}

QRectF CInkStrokeModel::bounds() const
{
    QRectF all;
    for (const Piece& piece : m_pieces)
        all = unite(all, pointsBounds(piece, m_width / 2));
    return all;
}

QRect CInkStrokeModel::repaintRect() const
{
    const QRectF area = unite(bounds(), m_erased);
    if (area.isNull())
        return {};
    const int left = static_cast<int>(std::floor(area.left())) - 1;
    const int top = static_cast<int>(std::floor(area.top())) - 1;
    const int right = static_cast<int>(std::ceil(area.right())) + 1;
    const int bottom = static_cast<int>(std::ceil(area.bottom())) + 1;
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

CInkStrokeModel::EraseResult CInkStrokeModel::erase(const CInkEraser& eraser)
{
    const double margin = m_width / 2;
    const QRectF reach = eraser.bounds().adjusted(-margin, -margin, margin, margin);
    std::vector<Piece> kept;
    std::vector<QPointF> removed; // centre-line points of the erased ink
    bool changed = false;

    for (const Piece& piece : m_pieces) {
        if (!overlaps(pointsBounds(piece, 0), reach)) {
            kept.push_back(piece);
            continue;
        }
        if (piece.size() == 1) {
            if (eraser.covers(piece[0], margin)) {
                removed.push_back(piece[0]);
                changed = true;
            } else {
                kept.push_back(piece);
            }
            continue;
        }

        // Walk the line, switching between kept and erased where it crosses
        // the eraser's edge.
        Piece current;
        bool inside = eraser.covers(piece[0], margin);
        changed = changed || inside;
        if (inside)
            removed.push_back(piece[0]);
        else
            current.push_back(piece[0]);
        auto closeCurrent = [&] {
            if (current.size() >= 2 && pieceLength(current) >= kMinPieceLength)
                kept.push_back(current);
            else if (!current.empty())
                removed.insert(removed.end(), current.begin(), current.end());
            current.clear();
        };
        for (std::size_t i = 1; i < piece.size(); ++i) {
            const QPointF a = piece[i - 1];
            const QPointF b = piece[i];
            const bool nearEraser = overlaps(QRectF(a, b).normalized(), reach);
            if (!nearEraser && !inside) {
                current.push_back(b);
                continue;
            }
            const int steps = std::max(1, static_cast<int>(std::ceil(length(a, b) / kSampleStep)));
            double previousT = 0;
            for (int k = 1; k <= steps; ++k) {
                const double t = static_cast<double>(k) / steps;
                const QPointF p = a + (b - a) * t;
                const bool covered = eraser.covers(p, margin);
                if (covered != inside) {
                    // Find the edge between previousT and t.
                    double lo = previousT, hi = t;
                    for (int iteration = 0; iteration < 24; ++iteration) {
                        const double m = (lo + hi) / 2;
                        if (eraser.covers(a + (b - a) * m, margin) == inside)
                            lo = m;
                        else
                            hi = m;
                    }
                    const QPointF edge = a + (b - a) * (inside ? hi : lo);
                    if (inside) {
                        removed.push_back(edge);
                        current.push_back(edge);
                    } else {
                        current.push_back(edge);
                        closeCurrent();
                        removed.push_back(edge);
                    }
                    inside = covered;
                    changed = true;
                }
                if (inside)
                    removed.push_back(p);
                previousT = t;
            }
            if (!inside)
                current.push_back(b);
            else
                changed = true;
        }
        closeCurrent();
    }

    if (!changed)
        return Untouched;
    m_pieces = std::move(kept);
    m_erased = pointsBounds(removed, margin);
    // Antialiasing reaches one pixel further than the ink itself, and a caller
    // may round the eraser's box inwards to whole pixels: only what stays a
    // pixel inside that box is sure to be repainted with it.
    const QRectF affected = m_erased.adjusted(-1, -1, 1, 1);
    return eraser.bounds().adjusted(1, 1, -1, -1).contains(affected) ? Changed : ChangedRepaintBounds;
}

std::vector<LONG> CInkStrokeModel::pointsInThousandths() const
{
    std::vector<LONG> out;
    out.reserve(pointCount() * 2);
    auto toUnits = [](double v) {
        const double scaled = std::round(v * 1000.0);
        return static_cast<LONG>(std::clamp(scaled, -2147483648.0, 2147483647.0));
    };
    for (const Piece& piece : m_pieces) {
        for (const QPointF& p : piece) {
            out.push_back(toUnits(p.x()));
            out.push_back(toUnits(p.y()));
        }
    }
    return out;
}

void CInkStrokeModel::draw(QPainter& painter, QPointF offset, double scale) const
{
    if (m_pieces.empty())
        return;
    painter.save();
    setUpPen(painter, scale);
    auto map = [&](QPointF p) { return p * scale + offset; };
    for (const Piece& piece : m_pieces) {
        if (piece.size() == 1) {
            painter.drawPoint(map(piece[0]));
            continue;
        }
        // The same curve the writing drew span by span.
        QPainterPath path(map(piece[0]));
        path.lineTo(map(mid(piece[0], piece[1])));
        for (std::size_t i = 1; i + 1 < piece.size(); ++i)
            path.quadTo(map(piece[i]), map(mid(piece[i], piece[i + 1])));
        path.lineTo(map(piece.back()));
        painter.drawPath(path);
    }
    painter.restore();
}
