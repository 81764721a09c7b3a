#pragma once

// Draws a character's strokes into the classifier's 28 x 28 input the way the
// handwritten training images were made: the ink's bounding box scaled so its
// long side fills the 20-pixel box (aspect kept), strokes drawn as antialiased
// round-capped lines about 2.4 pixels wide, drawn at 4x and averaged down, and
// the result moved so its centre of mass sits at (14, 14).

#include <vector>

struct SInkPoint
{
    float x = 0;
    float y = 0;
};

using CInkStrokeList = std::vector<std::vector<SInkPoint>>;

class CGlyphRenderer
{
public:
    static constexpr int kSide = 28;
    static constexpr int kScale = 4;
    // Pen radius in 4x pixels that matches the handwriting data (2.4 px wide).
    static constexpr float kPenRadius = 4.8f;

    static void Render(const CInkStrokeList& strokes, float penRadius, float* image784);
};
