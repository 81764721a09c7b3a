#include "control/CellRenderer.h"

#include "control/AnswerGrid.h"
#include "platform/locale/DecimalSeparator.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace {

// Every character a cell can show; cells are sized for the widest and tallest.
const QString kMeasuredCharacters = QStringLiteral("-.0123456789?");

// Measuring and painting happen at 96 dots per inch so a point size gives the
// same pixels on every screen (the back buffer uses the same resolution).
QImage& MeasureSurface()
{
    static QImage surface = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        image.setDotsPerMeterX(3780);
        image.setDotsPerMeterY(3780);
        return image;
    }();
    return surface;
}

float Sanitised(float points)
{
    // Negative, zero or absurd sizes would make an unusable font.
    if (!std::isfinite(points) || points < 1.0f)
        return 1.0f;
    return std::min(points, 1000.0f);
}

} // namespace

CCellRenderer::CCellRenderer()
{
    SetFont(QStringLiteral("Comic Sans MS"), 16.0f);
}

void CCellRenderer::SetFont(const QString& family, float pointSize)
{
    m_fontSize = pointSize;
    CreateFont(family);
    MeasureCells();
}

bool CCellRenderer::EnableMagnification(bool enable)
{
    if (enable == m_magnify)
        return false;
    m_magnify = enable;
    CreateFont(m_font.family());
    MeasureCells();
    return true;
}

bool CCellRenderer::SetMagnificationFactor(float factor)
{
    if (std::isnan(factor))
        factor = kMinFactor;
    factor = std::clamp(factor, kMinFactor, kMaxFactor);
    if (factor == m_factor)
        return false;
    m_factor = factor;
    if (!m_magnify)
        return false;
    CreateFont(m_font.family());
    MeasureCells();
    return true;
}

bool CCellRenderer::ShowGridLines(bool show)
{
    if (show == m_gridLines)
        return false;
    m_gridLines = show;
    return true;
}

void CCellRenderer::CreateFont(const QString& family)
{
    QFont font(family);
    // Families fontconfig cannot place fall back to the generic sans-serif one.
    font.setStyleHint(QFont::SansSerif);
    font.setStyleStrategy(QFont::PreferAntialias);
    font.setPointSizeF(Sanitised(m_magnify ? m_fontSize * m_factor : m_fontSize));
    m_font = font;
}

void CCellRenderer::MeasureCells()
{
    const QFontMetricsF metrics(m_font, &MeasureSurface());
    float width = 0.0f;
    float height = 0.0f;
    for (const QChar ch : kMeasuredCharacters) {
        QSizeF box;
        if (m_magnify) {
            // A string measurement of the single character: advance plus the
            // customary sixth of an em of padding on either side.
            box = QSizeF(metrics.horizontalAdvance(ch) + metrics.height() / 3.0, metrics.lineSpacing());
        } else {
            // The character's own box within the row of all measured characters.
            box = QSizeF(metrics.horizontalAdvance(ch), metrics.height());
        }
        width = std::max(width, static_cast<float>(box.width()));
        height = std::max(height, static_cast<float>(box.height()));
    }
    if (!m_magnify) {
        width += kWidthAllowance;
        height += kHeightAllowance;
    }
    m_cellWidth = std::ceil(width);
    m_cellHeight = std::ceil(height);
}

QRgb CCellRenderer::BlendedFocusColour(QRgb gridLine, QRgb focusedCell)
{
    auto mix = [](int grid, int focus) { return 2 * grid / 3 + focus / 3; };
    return qRgb(mix(qRed(gridLine), qRed(focusedCell)), mix(qGreen(gridLine), qGreen(focusedCell)),
        mix(qBlue(gridLine), qBlue(focusedCell)));
}

void CCellRenderer::Paint(
    QPainter& painter, QSize size, const CAnswerGrid& grid, bool staticMode, bool controlHasFocus) const
{
    const int cx = size.width();
    const int cy = size.height();
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.fillRect(QRect(0, 0, cx, cy), QColor::fromRgb(m_colours.background));

    const int n = grid.CellCount();
    const float w = m_cellWidth;
    if (n > 0 && w > 0.0f) {
        painter.setFont(m_font);
        // Cells hold the point; the class sees its own separator.
        const QChar separator = CDecimalSeparator::Current();
        // Lines sit on pixel centres so a 1-pixel frame stays one sharp pixel.
        auto outline = [&](const QRectF& r, QRgb colour) {
            QPen pen(QColor::fromRgb(colour));
            pen.setWidthF(1.0);
            pen.setJoinStyle(Qt::MiterJoin);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(r.translated(0.5, 0.5));
        };
        for (int i = n - 1; i >= 0; --i) {
            const QRectF rect = grid.CellRect(i, cx, cy, w);
            if (rect.right() < 0.0)
                break; // cut off on the left
            const CAnswerGrid::CellDisplay shown = grid.Display(i, staticMode);
            QRgb colour = m_colours.foreground;
            switch (shown.colour) {
            case CAnswerGrid::CellColour::Foreground:
                colour = m_colours.foreground;
                break;
            case CAnswerGrid::CellColour::Hint:
                colour = m_colours.hint;
                break;
            case CAnswerGrid::CellColour::Correct:
                colour = m_colours.correct;
                break;
            case CAnswerGrid::CellColour::Wrong:
                colour = m_colours.wrong;
                break;
            }
            if (shown.ch != ' ') {
                painter.setPen(QColor::fromRgb(colour));
                painter.drawText(rect, Qt::AlignHCenter | Qt::AlignBottom | Qt::TextDontClip,
                    QString(QChar::fromLatin1(CDecimalSeparator::ShownChar(shown.ch, separator))));
            }
            if (m_gridLines)
                outline(rect, m_colours.gridLine);
        }
        if (!staticMode && grid.FocusValid()) {
            const QRgb frame = controlHasFocus
                ? m_colours.focusedCell
                : BlendedFocusColour(m_colours.gridLine, m_colours.focusedCell);
            outline(grid.CellRect(grid.FocusIndex(), cx, cy, w), frame);
        }
    }
    painter.restore();
}
