#include "views/WorksheetPainter.h"

#include "views/PagedOutput.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QtMath>
#include <algorithm>

namespace {

constexpr qreal kPoint = 72.0;
constexpr qreal kPad = 3; // around a number inside its field
constexpr qreal kKeyRowHeight = 20;
constexpr int kKeyColumns = 4;
constexpr qreal kFooterHeight = 24;

QFont pixelFont(int size, bool bold)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(size); // one pixel is one point: the painter is scaled to points
    font.setBold(bold);
    return font;
}

} // namespace

CWorksheetPainter::CWorksheetPainter(const CWorksheet& sheet)
    : m_sheet(sheet)
    , m_questionFont(pixelFont(14, false))
    , m_titleFont(pixelFont(20, true))
    , m_smallFont(pixelFont(10, false))
{
    for (const CWorksheet::Entry& entry : sheet.Entries())
        m_figures.push_back(Arrange(entry));
}

CWorksheetPainter::Figure CWorksheetPainter::Arrange(const CWorksheet::Entry& entry) const
{
    const CQuestion& q = entry.question;
    const QFontMetricsF metrics(m_questionFont);
    const qreal height = metrics.height() + 2 * kPad;
    const qreal digit = metrics.horizontalAdvance(QStringLiteral("0"));
    const auto textSize
        = [&](const QString& text) { return QSizeF(metrics.horizontalAdvance(text) + 2 * kPad, height); };
    // A box as wide as the answer, never narrower than two digits.
    const auto boxSize = [&](const QString& text) {
        return QSizeF(std::max<qsizetype>(2, text.size()) * digit + 2 * kPad + 4, height);
    };

    // CFieldLayout works in whole pixels with the game's gaps; a point serves
    // as the pixel here, which keeps those gaps in proportion on paper.
    const auto scaled = [](const QSizeF& size) { return QSize(qCeil(size.width()), qCeil(size.height())); };
    CFieldLayout::Input in;
    in.preferred[CFieldLayout::Operand1]
        = scaled(entry.unknown == 0 ? boxSize(q.operand1) : textSize(q.operand1));
    in.preferred[CFieldLayout::Operand2]
        = scaled(entry.unknown == 1 ? boxSize(q.operand2) : textSize(q.operand2));
    in.preferred[CFieldLayout::Result] = scaled(entry.unknown == 2 ? boxSize(q.result) : textSize(q.result));
    in.preferred[CFieldLayout::Remainder]
        = scaled(entry.unknown == 2 ? boxSize(q.remainder) : textSize(q.remainder));
    in.preferred[CFieldLayout::OperatorSign] = scaled(textSize(q.operatorSign));
    in.preferred[CFieldLayout::EqualsSign] = scaled(textSize(QStringLiteral("=")));
    in.preferred[CFieldLayout::RemainderMarker] = scaled(textSize(QStringLiteral("R")));
    in.hasRemainder = q.HasRemainder();
    // Only a question without a remainder is set in columns (as the game does).
    in.vertical = q.vertical != 0 && !in.hasRemainder;
    in.client = QSize(1000000, 1000000); // room enough: never wrapped
    const CFieldLayout::Output out = CFieldLayout::Arrange(in);

    static const CFieldLayout::Field placed[] = { CFieldLayout::Operand1, CFieldLayout::OperatorSign,
        CFieldLayout::Operand2, CFieldLayout::EqualsSign, CFieldLayout::Result, CFieldLayout::RemainderMarker,
        CFieldLayout::Remainder };
    const int count = in.vertical || !in.hasRemainder ? 5 : 7;
    QRect bounds;
    for (int i = 0; i < count; ++i)
        bounds = bounds.united(out.fields[placed[i]]);

    // Back to points, relative to the fields' top-left corner.
    const QPointF origin = bounds.topLeft();
    const auto toPoints = [&origin](const QPointF& p) { return p - origin; };
    Figure figure;
    figure.hasRemainder = in.hasRemainder;
    for (int i = 0; i < CFieldLayout::FieldCount; ++i)
        figure.fields[i] = QRectF(toPoints(out.fields[i].topLeft()), QSizeF(out.fields[i].size()));
    figure.hasRule = out.hasRule;
    if (out.hasRule)
        figure.rule = QLineF(toPoints(out.rule.p1()), toPoints(out.rule.p2()));
    figure.size = QSizeF(bounds.size());
    return figure;
}

int CWorksheetPainter::ColumnsFor(qreal pageWidth) const
{
    qreal widest = 0;
    for (const Figure& figure : m_figures)
        widest = std::max(widest, figure.size.width());
    const qreal column = kNumberWidth + widest;
    for (int columns = 3; columns > 1; --columns)
        if (columns * column + (columns - 1) * kColumnGap <= pageWidth)
            return columns;
    return 1;
}

qreal CWorksheetPainter::HeadingHeight(bool sheetHeader) const
{
    const qreal title = QFontMetricsF(m_titleFont).height();
    const qreal line = QFontMetricsF(m_smallFont).height();
    const int lines = sheetHeader ? 1 + static_cast<int>(m_sheet.PlayedLines().size()) : 0;
    return title + 8 + lines * line + 16;
}

std::vector<CWorksheetPainter::Placement> CWorksheetPainter::Place(const QSizeF& body, int& pageCount) const
{
    std::vector<Placement> placed;
    int page = 0;

    // The questions, row by row in columns; the first page carries the header.
    const int columns = ColumnsFor(body.width());
    const qreal columnWidth = (body.width() - (columns - 1) * kColumnGap) / columns;
    qreal y = HeadingHeight(true);
    const int count = static_cast<int>(m_figures.size());
    for (int first = 0; first < count; first += columns) {
        qreal rowHeight = 0;
        for (int i = first; i < std::min(count, first + columns); ++i)
            rowHeight = std::max(rowHeight, m_figures[i].size.height());
        if (y + rowHeight > body.height() && first > 0) {
            ++page;
            y = HeadingHeight(false);
        }
        for (int i = first; i < std::min(count, first + columns); ++i)
            placed.push_back({ page, QPointF((i - first) * (columnWidth + kColumnGap), y), i, false });
        y += rowHeight + kRowGap;
    }

    // The answer key on a page of its own, so it can be kept back.
    ++page;
    y = HeadingHeight(false);
    const qreal keyWidth = body.width() / kKeyColumns;
    for (int first = 0; first < count; first += kKeyColumns) {
        if (y + kKeyRowHeight > body.height()) {
            ++page;
            y = HeadingHeight(false);
        }
        for (int i = first; i < std::min(count, first + kKeyColumns); ++i)
            placed.push_back({ page, QPointF((i - first) * keyWidth, y), i, true });
        y += kKeyRowHeight;
    }
    pageCount = page + 1;
    return placed;
}

void CWorksheetPainter::DrawHeading(
    QPainter& painter, const QString& title, qreal width, bool sheetHeader) const
{
    painter.setPen(Qt::black);
    painter.setFont(m_titleFont);
    const qreal titleHeight = QFontMetricsF(m_titleFont).height();
    painter.drawText(QRectF(0, 0, width, titleHeight), Qt::AlignLeft | Qt::AlignTop, title);
    if (!sheetHeader)
        return;
    painter.setFont(m_smallFont);
    const qreal line = QFontMetricsF(m_smallFont).height();
    qreal y = titleHeight + 8;
    painter.drawText(QRectF(0, y, width, line), Qt::AlignLeft | Qt::AlignTop,
        QCoreApplication::translate(
            "CWorksheetPainter", "Name: ______________________________      Date: ________________"));
    for (const QString& played : m_sheet.PlayedLines()) {
        y += line;
        painter.drawText(QRectF(0, y, width, line), Qt::AlignLeft | Qt::AlignTop, played);
    }
}

void CWorksheetPainter::DrawEntry(QPainter& painter, const CWorksheet::Entry& entry, const QPointF& at) const
{
    const CQuestion& q = entry.question;
    const Figure& figure = m_figures[static_cast<size_t>(entry.number - 1)];
    painter.setFont(m_questionFont);
    painter.setPen(Qt::black);
    const qreal line = QFontMetricsF(m_questionFont).height() + 2 * kPad;
    painter.drawText(QRectF(at.x(), at.y(), kNumberWidth - 6, line), Qt::AlignRight | Qt::AlignVCenter,
        QStringLiteral("%1)").arg(entry.number));

    const QPointF origin = at + QPointF(kNumberWidth, 0);
    const bool boxResult = entry.unknown == 2;
    const struct
    {
        CFieldLayout::Field field;
        QString text;
        bool box;
    } parts[] = {
        { CFieldLayout::Operand1, q.operand1, entry.unknown == 0 },
        { CFieldLayout::OperatorSign, q.operatorSign, false },
        { CFieldLayout::Operand2, q.operand2, entry.unknown == 1 },
        { CFieldLayout::EqualsSign, QStringLiteral("="), false },
        { CFieldLayout::Result, q.result, boxResult },
        { CFieldLayout::RemainderMarker, QStringLiteral("R"), false },
        { CFieldLayout::Remainder, q.remainder, boxResult },
    };
    const int count = figure.hasRemainder ? 7 : 5;
    for (int i = 0; i < count; ++i) {
        const QRectF rect = figure.fields[parts[i].field].translated(origin);
        if (parts[i].box) {
            painter.setPen(QPen(Qt::black, 1.2));
            painter.setBrush(Qt::NoBrush);
            painter.drawRoundedRect(rect.adjusted(1, 1, -1, -1), 3, 3);
        } else {
            // Numbers stand right-aligned so column sums line up digit under digit.
            painter.drawText(
                rect.adjusted(kPad, 0, -kPad, 0), Qt::AlignRight | Qt::AlignVCenter, parts[i].text);
        }
    }
    if (figure.hasRule) {
        painter.setPen(QPen(Qt::black, 1.5, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(figure.rule.translated(origin));
    }
}

void CWorksheetPainter::DrawKey(QPainter& painter, const CWorksheet::Entry& entry, const QPointF& at) const
{
    painter.setFont(m_questionFont);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(at.x(), at.y(), kNumberWidth - 6, kKeyRowHeight),
        Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%1)").arg(entry.number));
    painter.drawText(QRectF(at.x() + kNumberWidth, at.y(), 200, kKeyRowHeight),
        Qt::AlignLeft | Qt::AlignVCenter, CWorksheet::KeyText(entry));
}

bool CWorksheetPainter::Paint(QPagedPaintDevice& device) const
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal scale = device.logicalDpiX() / kPoint;
    painter.scale(scale, scale);
    const QRectF area = device.pageLayout().paintRect(QPageLayout::Point);
    const QSizeF body(area.width(), area.height() - kFooterHeight);

    int pageCount = 1;
    const std::vector<Placement> placed = Place(body, pageCount);
    size_t next = 0;
    for (int page = 0; page < pageCount; ++page) {
        if (page > 0 && !device.newPage())
            return false;
        const bool keyPage = next < placed.size() && placed[next].key;
        const bool firstPage = page == 0;
        DrawHeading(painter,
            keyPage ? QCoreApplication::translate("CWorksheetPainter", "Answer key")
                    : QCoreApplication::translate("CWorksheetPainter", "Worksheet"),
            body.width(), firstPage);
        for (; next < placed.size() && placed[next].page == page; ++next) {
            const CWorksheet::Entry& entry = m_sheet.Entries()[static_cast<size_t>(placed[next].entry)];
            if (placed[next].key)
                DrawKey(painter, entry, placed[next].at);
            else
                DrawEntry(painter, entry, placed[next].at);
        }
        CPagedOutput::DrawFooter(painter, m_smallFont, QRectF(0, body.height(), body.width(), kFooterHeight),
            m_sheet.FooterText(),
            QCoreApplication::translate("CWorksheetPainter", "Page %1 of %2").arg(page + 1).arg(pageCount));
    }
    return painter.end();
}
