#pragma once

#include "views/FieldLayout.h"
#include "views/Worksheet.h"

#include <QFont>
#include <QRectF>
#include <QSizeF>
#include <array>
#include <vector>

class QPagedPaintDevice;
class QPainter;

// Draws a worksheet on pages (a PDF writer or a printer): the questions laid
// out as the game lays out its answer fields (rows, or columns with the rule
// under them), an empty box where the number to find goes, numbered, in two or
// three columns as they fit; then the answer key; the seed and page number in
// every footer. Works in points; the page geometry comes from the device.
class CWorksheetPainter
{
public:
    // One question's fields relative to its top-left corner, in points.
    struct Figure
    {
        std::array<QRectF, CFieldLayout::FieldCount> fields;
        bool hasRemainder = false;
        bool hasRule = false;
        QLineF rule;
        QSizeF size; // the fields' bounding size, without the number
    };

    static constexpr qreal kNumberWidth = 30; // "12)" before each question
    static constexpr qreal kColumnGap = 16;
    static constexpr qreal kRowGap = 22;

    explicit CWorksheetPainter(const CWorksheet& sheet);

    // Paints every page; false when the device cannot be painted on.
    bool Paint(QPagedPaintDevice& device) const;

    // Laid out against the question font; exposed for tests.
    Figure Arrange(const CWorksheet::Entry& entry) const;
    // Columns of questions that fit a page of the given width: 3, 2 or 1.
    int ColumnsFor(qreal pageWidth) const;

private:
    struct Placement
    {
        int page = 0;
        QPointF at;
        int entry = 0;
        bool key = false;
    };

    std::vector<Placement> Place(const QSizeF& body, int& pageCount) const;
    void DrawEntry(QPainter& painter, const CWorksheet::Entry& entry, const QPointF& at) const;
    void DrawKey(QPainter& painter, const CWorksheet::Entry& entry, const QPointF& at) const;
    void DrawHeading(QPainter& painter, const QString& title, qreal width, bool sheetHeader) const;
    qreal HeadingHeight(bool sheetHeader) const;

    const CWorksheet& m_sheet;
    QFont m_questionFont;
    QFont m_titleFont;
    QFont m_smallFont;
    std::vector<Figure> m_figures;
};
