#pragma once
// Font, cell size, colours and the drawing of one answer field. Kept apart
// from the widget so that measuring and painting work on any QPainter (back
// buffer, screenshot, benchmark).

#include <QFont>
#include <QRgb>
#include <QSize>
#include <QString>

class CAnswerGrid;
class QPainter;

class CCellRenderer
{
public:
    // Opaque ARGB colours of the field.
    struct Colours
    {
        QRgb background = 0xFFFFFFFF;
        QRgb foreground = 0xFF000000;
        QRgb gridLine = 0xFFE0E0E0;
        QRgb focusedCell = 0xFF0000FF;
        QRgb correct = 0xFF0000C0;
        QRgb hint = 0xFFC0C000;
        QRgb wrong = 0xFFC00000;
    };

    static constexpr float kMinFactor = 1.0f;
    static constexpr float kMaxFactor = 4.0f;
    // Room around a character in an unmagnified cell.
    static constexpr float kWidthAllowance = 12.0f;
    static constexpr float kHeightAllowance = 6.0f;

    CCellRenderer();

    // Family and size in points; an unknown family falls back to sans-serif.
    // Measures the cells.
    void SetFont(const QString& family, float pointSize);
    // Returns true when the value changed (font recreated and cells measured).
    bool EnableMagnification(bool enable);
    // Clamps to 1..4; returns true when something visible changed.
    bool SetMagnificationFactor(float factor);
    // Returns true when the value changed.
    bool ShowGridLines(bool show);

    float CellWidth() const { return m_cellWidth; }
    float CellHeight() const { return m_cellHeight; }
    float FontSize() const { return m_fontSize; }
    float MagnificationFactor() const { return m_factor; }
    bool MagnificationOn() const { return m_magnify; }
    bool GridLinesShown() const { return m_gridLines; }
    const QFont& Font() const { return m_font; }
    Colours& ColourSet() { return m_colours; }
    const Colours& ColourSet() const { return m_colours; }

    // The focus frame's colour when the keyboard focus is not on the control:
    // two thirds grid line, one third focused cell, per component.
    static QRgb BlendedFocusColour(QRgb gridLine, QRgb focusedCell);

    // Paints the field into a cx by cy surface: background, cells right to left,
    // grid lines and the focus frame. Ink is drawn by the caller on top.
    void Paint(
        QPainter& painter, QSize size, const CAnswerGrid& grid, bool staticMode, bool controlHasFocus) const;

private:
    void CreateFont(const QString& family);
    void MeasureCells();

    float m_fontSize = 16.0f;
    float m_factor = 1.5f;
    bool m_magnify = false;
    bool m_gridLines = true;
    float m_cellWidth = 0.0f;
    float m_cellHeight = 0.0f;
    QFont m_font;
    Colours m_colours;
};
