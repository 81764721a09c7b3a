#pragma once

#include "boardsoft/ink/InkEraser.h"
#include "platform/WinTypes.h"

#include <QPointF>
#include <QRect>
#include <QRectF>
#include <vector>

class QPainter;

// The geometry of one pen stroke, without any component machinery: a
// polyline of points in window pixels with the pen's colour and width. An
// eraser cuts the line, so a stroke may consist of several pieces; a stroke
// that is written and never erased has one.
//
// Drawing: antialiased, round caps and joins, the line smoothed by quadratic
// curves through the midpoints of its segments. begin/addPoint/end each draw
// just the new piece at once, and the pieces drawn while writing are exactly
// the ones draw() paints later.
class CInkStrokeModel
{
public:
    using Piece = std::vector<QPointF>;

    enum EraseResult
    {
        Untouched = 0,
        Changed = 1, // what changed lies a pixel inside the eraser's own bounding box
        ChangedRepaintBounds = 2, // the repaint has to reach outside it: use repaintRect()
    };

    COLORREF colour() const { return m_colour; }
    void setColour(COLORREF colour);
    double width() const { return m_width; }
    void setWidth(double width);

    // Writing. painter may be null (nothing is drawn).
    void begin(QPointF p, QPainter* painter);
    void addPoint(QPointF p, QPainter* painter);
    void end(QPointF p, QPainter* painter);

    const std::vector<Piece>& pieces() const { return m_pieces; }
    void setPieces(std::vector<Piece> pieces);
    bool isEmpty() const { return m_pieces.empty(); }
    std::size_t pointCount() const;

    // Bounds of the ink with the pen width; an empty rectangle when no ink is left.
    QRectF bounds() const;
    // The whole pixels to repaint for this stroke: its bounds, and what the
    // last erase removed, grown to whole pixels plus one for antialiasing.
    QRect repaintRect() const;
    // What the last erase removed (with the pen width); empty when none.
    QRectF erasedBounds() const { return m_erased; }

    // Cuts away the ink the eraser covers. Pieces left shorter than a hundredth
    // of a pixel are dropped, and so are lone dots under the eraser.
    EraseResult erase(const CInkEraser& eraser);

    // Every point, piece after piece, as x, y pairs in thousandths of a pixel.
    std::vector<LONG> pointsInThousandths() const;

    // Paints every piece, each point mapped to p * scale + offset.
    void draw(QPainter& painter, QPointF offset = {}, double scale = 1.0) const;

private:
    void drawSpan(QPainter* painter, const Piece& piece, std::size_t lastIndex, bool finish) const;
    void setUpPen(QPainter& painter, double scale) const;
    void forgetErased() { m_erased = QRectF(); }

    COLORREF m_colour = 0; // black
    double m_width = 1.0;
    std::vector<Piece> m_pieces;
    bool m_writing = false;
    QRectF m_erased;
};
