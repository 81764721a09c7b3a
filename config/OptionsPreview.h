#pragma once

#include "config/OperatorSettings.h"
#include "game/Question.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QSize>

class CParameterSet;

// The sample question drawn beside the controls of an options page: the
// number to find hidden behind "?" (decimal points stay), in one line or as a
// column sum, with two rows of apples when the counting aid is on.
class COptionsPreview
{
public:
    static const QColor TextColor; // RGB(0, 0, 255)
    static const QColor GreyedColor; // RGB(200, 200, 200)
    static constexpr int kLineTop = 20; // one-line text and first operand
    static constexpr int kSecondTop = 40; // second operand and operator sign
    static constexpr int kResultTop = 80; // result in the column form
    static constexpr int kAppleBitmapId = 132;

    // Bold 14-pixel "Courier New" (a metric-compatible monospaced font here).
    static QFont Font();
    // The counting-aid picture, bitmap 132 (26 x 32).
    static QImage ApplePicture();

    // The question as shown: the unknown replaced by "?" except its ".".
    static CQuestion HideUnknown(const CQuestion& question, EOperator page);
    // "a + b = ?" as the one-line form draws it (with " R " on the division page).
    static QString OneLineText(const CQuestion& shown, EOperator page);

    // Renders an already generated question onto a white canvas of the given
    // size (the preview frame's size minus 5 in each direction).
    static QImage Render(const CQuestion& question, EOperator page, QSize canvas, bool greyed,
        const QImage& apple = ApplePicture());

    // Draws a fresh sample from the settings and renders it. A set whose
    // operator is none of the four gives an empty question (just "=").
    static QImage RenderSample(const CParameterSet& settings, EOperator page, QSize canvas, bool greyed);

    static QSize CanvasSize(QSize frame)
    {
        return QSize(qMax(1, frame.width() - 5), qMax(1, frame.height() - 5));
    }
};
