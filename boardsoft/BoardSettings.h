#pragma once

// The board software's own settings, in the user hive under
// "Software\Tandrel Technologies Inc.\Tandrel Board Software\Board Settings"
// (REG_DWORD values; anything missing or out of range takes its default).

#include "platform/WinTypes.h"

struct CBoardSettings
{
    static constexpr const char* kKey
        = "Software\\Tandrel Technologies Inc.\\Tandrel Board Software\\Board Settings";

    COLORREF penColour = 0; // "Pen Colour", 0x00BBGGRR; black
    int penWidth = 3; // "Pen Width", pixels, 1..100
    int eraserWidth = 20; // "Eraser Width", pixels, 1..500
    int noToolDelayMs = 3000; // "No Tool Delay", ms without tool activity before OnNoTool, 100..600000
    bool touchAsPen = false; // "Touch As Pen", nonzero: touch contacts are the pen

    static CBoardSettings Load();
};
