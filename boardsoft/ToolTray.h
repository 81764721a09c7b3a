#pragma once

// The emulated pen tray. No Linux input layer reports a whiteboard's tray, so it
// is inferred from tool activity: a tool that appears (in proximity or in contact)
// while another or none is "out" is reported as taken from the tray; no activity
// for a delay reports that every tool is back. Tool changes wait a short debounce
// so that an eraser end arriving as "pen leaves, eraser arrives" (or a stylus
// flicking between the two) reports one change; a contact reports at once.
// Times are milliseconds of any steady clock.

#include "boardsoft/PointerSample.h"

#include <vector>

class CToolTray
{
public:
    struct Event
    {
        enum Kind
        {
            Pen,
            Eraser,
            NoTool,
        } kind;
        int pointerId;
        bool operator==(const Event& o) const { return kind == o.kind && pointerId == o.pointerId; }
    };

    explicit CToolTray(long long debounceMs = 50, long long noToolDelayMs = 3000);

    void SetNoToolDelay(long long ms) { m_noToolDelay = ms; }
    long long NoToolDelay() const { return m_noToolDelay; }

    // Activity of a tool; returns the tray events to report now.
    std::vector<Event> Observe(BoardTool tool, int pointerId, SamplePhase phase, long long now);
    // Time passing; returns what is due (a debounced change, the no-tool report).
    std::vector<Event> Tick(long long now);
    // A tray event reported directly (a replayed script); resets the state to it.
    void Force(Event::Kind kind, long long now);

    // True while Tick may still produce something.
    bool NeedsTick() const;
    BoardTool Reported() const { return m_reported; }
    // The pointer id of the reported tool (0 when reported directly).
    int ReportedPointer() const { return m_reportedPointer; }

private:
    void Commit(std::vector<Event>& out);

    long long m_debounce;
    long long m_noToolDelay;
    BoardTool m_reported = BoardTool::None;
    int m_reportedPointer = 0;
    BoardTool m_pending = BoardTool::None;
    int m_pendingPointer = 0;
    long long m_pendingSince = 0;
    long long m_lastActivity = 0;
    int m_contacts = 0;
};
