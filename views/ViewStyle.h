#pragma once

class QWidget;

// The window rule shared by the blank, game and summary views and the button
// strip: arrow cursor, the window colour as background, children clipped.
// Double clicks and resize repaints are Qt's defaults.
void ApplyViewStyle(QWidget* widget);
