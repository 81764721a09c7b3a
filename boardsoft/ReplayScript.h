#pragma once

// The board session script: one command per line (see boardsoft/REPLAY.md).
// Parsing stops at the first malformed line: the commands before it are kept
// and the error names the line.

#include "boardsoft/PointerSample.h"

#include <QByteArray>
#include <QString>
#include <vector>

struct ReplayCommand
{
    enum Kind
    {
        SelectWindow, // window NAME | window #N | window NAME#N
        SelectTool, // tool pen|eraser
        Contact, // down/move/up X Y [VALUE] (stroke expands into these)
        Pause, // pause MS
        Tray, // tray pen|eraser|none
        Button, // button next|previous|clear|print|rectangle|line|circle [VALUE]
        Status, // status
        WaitWindow, // wait-window NAME|#N [TIMEOUT_MS]
        Pointer, // pointer on|off: following contacts reach the window as mouse input (value 1)
    };

    Kind kind = Pause;
    int line = 0;
    QString name; // window name
    int order = 0; // window attach order (#N), among those named NAME when named; 0: the first
    BoardTool tool = BoardTool::Pen;
    SamplePhase phase = SamplePhase::Down;
    int x = 0;
    int y = 0;
    int value = 0;
    int milliseconds = 0;
    int dispid = 0; // Tray: the event; Button: the event
};

struct ReplayParseResult
{
    std::vector<ReplayCommand> commands;
    int errorLine = 0; // 0 when the whole text parsed
    QString error; // "line N: ..." when errorLine > 0

    bool Ok() const { return errorLine == 0; }
};

class CReplayScript
{
public:
    static constexpr int kMaxLineLength = 4096;
    static constexpr int kMaxCoordinate = 100000;
    static constexpr int kMaxPauseMs = 600000;
    static constexpr int kMaxStrokePoints = 10000;

    static ReplayParseResult Parse(const QByteArray& text);
};
