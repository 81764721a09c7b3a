#pragma once

// One normalised pointer event of the board: which tool did what, where.
// Qt tablet and touch events and replayed script lines all become these, once.

#include <QPointF>
#include <QString>

enum class BoardTool
{
    None = 0,
    Pen = 1,
    Eraser = 2,
};

enum class SamplePhase
{
    Enter, // tool came into proximity
    Hover, // moving without contact
    Down,
    Move, // moving in contact
    Up,
    Leave, // tool left proximity
};

struct PointerSample
{
    SamplePhase phase = SamplePhase::Hover;
    BoardTool tool = BoardTool::Pen;
    // Identifies the physical tool (device and end); the board gives each key a pointer id.
    QString deviceKey;
    // In the coordinates of the receiving widget (Qt input) or of the target window (replay).
    QPointF position;
    // On the screen (Qt input only).
    QPointF globalPosition;
    // Third value of contact events: pressure in thousandths.
    int value = 0;
};
