#pragma once

// The board software's own settings, in the user hive under
// "Software\Tandrel Technologies Inc.\Tandrel Board Software\Board Settings"
// (REG_DWORD values; anything missing or out of range takes its default).

#include "boardsoft/TouchGate.h"
#include "platform/WinTypes.h"

#include <QString>

struct CBoardSettings
{
    static constexpr const char* kKey
        = "Software\\Tandrel Technologies Inc.\\Tandrel Board Software\\Board Settings";

    COLORREF penColour = 0; // "Pen Colour", 0x00BBGGRR; black
    int penWidth = 3; // "Pen Width", pixels, 1..100
    int eraserWidth = 20; // "Eraser Width", pixels, 1..500
    int noToolDelayMs = 3000; // "No Tool Delay", ms without tool activity before OnNoTool, 100..600000
    // "Touch As Pen": 0 never, 1 always, 2 automatic (the default: when the system has
    // a touch screen and no stylus or tablet).
    CTouchGate::Mode touchMode = CTouchGate::Mode::Automatic;
    QString recordFile; // "Record File" (REG_SZ): live board input is recorded there as a replay script

    static CBoardSettings Load();
};
