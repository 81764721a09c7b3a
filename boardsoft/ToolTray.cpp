#include "boardsoft/ToolTray.h"

CToolTray::CToolTray(long long debounceMs, long long noToolDelayMs)
    : m_debounce(debounceMs)
    , m_noToolDelay(noToolDelayMs)
{
}

void CToolTray::Commit(std::vector<Event>& out)
{
    m_reported = m_pending;
    m_reportedPointer = m_pendingPointer;
    m_pending = BoardTool::None;
    out.push_back(Event { m_reported == BoardTool::Eraser ? Event::Eraser : Event::Pen, m_pendingPointer });
}

std::vector<CToolTray::Event> CToolTray::Observe(
    BoardTool tool, int pointerId, SamplePhase phase, long long now)
{
    std::vector<Event> out;
    m_lastActivity = now;
    if (phase == SamplePhase::Down)
        ++m_contacts;
    else if (phase == SamplePhase::Up && m_contacts > 0)
        --m_contacts;
    // Leaving proximity is not a tool choice; the tool stays out until the delay runs.
    if (phase == SamplePhase::Leave || phase == SamplePhase::Up || tool == BoardTool::None)
        return out;
    if (tool == m_reported) {
        m_pending = BoardTool::None; // a flicker back to the reported tool
        return out;
    }
    if (m_pending != tool) {
        m_pending = tool;
        m_pendingPointer = pointerId;
        m_pendingSince = now;
    }
    if (phase == SamplePhase::Down)
        Commit(out);
    return out;
}

std::vector<CToolTray::Event> CToolTray::Tick(long long now)
{
    std::vector<Event> out;
    if (m_pending != BoardTool::None && now - m_pendingSince >= m_debounce)
        Commit(out);
    if (m_reported != BoardTool::None && m_pending == BoardTool::None && m_contacts == 0
        && now - m_lastActivity >= m_noToolDelay) {
        m_reported = BoardTool::None;
        out.push_back(Event { Event::NoTool, 0 });
    }
    return out;
}

void CToolTray::Force(Event::Kind kind, long long now)
{
    m_pending = BoardTool::None;
    m_lastActivity = now;
    m_reportedPointer = 0;
    m_reported = kind == Event::Pen ? BoardTool::Pen
        : kind == Event::Eraser     ? BoardTool::Eraser
                                    : BoardTool::None;
    if (m_reported == BoardTool::None)
        m_contacts = 0;
}

bool CToolTray::NeedsTick() const
{
    return m_pending != BoardTool::None || m_reported != BoardTool::None;
}
