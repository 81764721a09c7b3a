#pragma once

#include <QImage>

class QPainter;

// The common background of the blank and the game view: a grid of light blue
// lines that fades out towards the bottom, the title image in the middle, and
// on questions with the counting aid a hint line under the title.
class CBackgroundPainter
{
public:
    static constexpr int kGridStep = 50;
    static constexpr int kTitleImageId = 143;
    static constexpr int kHintStringId = 149;

    CBackgroundPainter();

    void SetHintFlag(bool hint) { m_hint = hint; }
    bool HintFlag() const { return m_hint; }
    bool HasTitle() const { return !m_title.isNull(); }
    // Draws the title for a screen of this device pixel ratio from now on.
    void SetDevicePixelRatio(qreal ratio);

    // Paints over (0, 0, width, height) of the painter's device.
    void Paint(QPainter& painter, int width, int height) const;

private:
    bool m_hint = false;
    QImage m_title;
    qreal m_ratio = 1.0;
};
