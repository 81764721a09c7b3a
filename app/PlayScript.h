#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>
#include <vector>

// A scripted play session, one command a line (docs/SCRIPT.md). The parser only
// checks the text; CScriptRunner carries the commands out on the real program.
class CPlayScript
{
public:
    enum class Kind
    {
        Seed, // number
        Questions, // number
        Operator, // number = operator index 0..3, value = level 1..5, settings = KEY=VALUE
        Size, // number x value
        Press, // text = go, stop, previous, next, check, hint
        Type, // text = the characters
        Key, // text = key name
        Click, // text = field name
        Tray, // text = pen or none
        Pen, // points
        Eraser, // points
        Drag, // points
        Wait, // number of milliseconds
        Screenshot, // text = file name without extension
        ExpectStatus, // text
        ExpectApples, // number
        ExpectStrokes, // number: scribbles kept for the shown question
        NewGame, // text = keep, change or cancel: the answer to the New Game dialog
        Input, // text = replay or window: the path of pen and eraser strokes
        Touch, // points: one touch contact through the window system
        Tap, // text = strip button, "recognise", "dialog:NAME" or "menu:NAME", or one point;
             // value = 1 for touch, 0 for pen
        Cells, // text = field name: print the rectangle of each of its cells
        ReplayFile, // text = a board session script (a recording) to play through the replay driver
        Setup, // text = choices or dialog: how Setup is answered
        ExpectDialog, // text = the title of the open dialog, or empty for none
        Summary, // print the summary the summary view shows now
    };

    // A point in view client coordinates, or relative to the top-left corner of
    // an anchor: "bowl", "apple" (the last apple pulled out), an answer field, or
    // "dialog:NAME", a control of the open dialog.
    struct Point
    {
        QString anchor; // empty: the view
        QPoint offset;
    };

    struct Command
    {
        Kind kind = Kind::Wait;
        int line = 0;
        int number = 0;
        int value = 0;
        QString text;
        QStringList settings;
        std::vector<Point> points;
    };

    static constexpr int kMaxPoints = 10000;

    // Parses the whole text. On the first malformed line returns false and
    // leaves "line N: reason" in Error(); the commands before it are kept.
    bool Parse(const QString& text);

    const std::vector<Command>& Commands() const { return m_commands; }
    const QString& Error() const { return m_error; }

    // Names the runner understands.
    static const QStringList& ButtonNames();
    static const QStringList& KeyNames();
    static const QStringList& FieldNames();

private:
    bool ParseLine(const QString& line, int number);
    bool Fail(int line, const QString& reason);
    bool ParsePoints(const QStringList& words, int first, Command& command, int line);

    std::vector<Command> m_commands;
    QString m_error;
};
