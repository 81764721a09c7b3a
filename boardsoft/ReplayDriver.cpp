#include "boardsoft/ReplayDriver.h"

#include "boardsoft/BoardHub.h"

#include <chrono>

CReplayDriver::CReplayDriver() = default;

CReplayDriver::~CReplayDriver()
{
    Stop();
}

void CReplayDriver::Start(const QByteArray& script)
{
    Stop();
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_stop = false;
        m_error.clear();
    }
    m_played = 0;
    m_state = Running;
    // The board (and its application-thread agent) exists before the thread runs.
    CBoardHub::Instance();
    m_thread = std::thread(&CReplayDriver::Run, this, CReplayScript::Parse(script));
}

void CReplayDriver::Stop()
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_stop = true;
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

bool CReplayDriver::Wait(int timeoutMs)
{
    std::unique_lock<std::mutex> lock(m_lock);
    auto done = [this] { return m_state.load() != Running; };
    if (timeoutMs < 0) {
        m_changed.wait(lock, done);
        return true;
    }
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), done);
}

QString CReplayDriver::Error() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_error;
}

bool CReplayDriver::Sleep(int ms)
{
    std::unique_lock<std::mutex> lock(m_lock);
    return !m_changed.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_stop; });
}

void CReplayDriver::Finish(State state, const QString& error)
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_error = error;
        m_state = state;
    }
    m_changed.notify_all();
}

void CReplayDriver::Run(ReplayParseResult parsed)
{
    CBoardHub& hub = CBoardHub::Instance();
    CBoardHub::Target target;
    BoardTool tool = BoardTool::Pen;
    bool pointer = false;
    for (const ReplayCommand& c : parsed.commands) {
        {
            std::lock_guard<std::mutex> guard(m_lock);
            if (m_stop) {
                m_error = QStringLiteral("stopped");
                break;
            }
        }
        const QString where = QStringLiteral("line %1: ").arg(c.line);
        switch (c.kind) {
        case ReplayCommand::SelectWindow:
            target.name = c.name;
            target.order = c.order;
            break;
        case ReplayCommand::SelectTool:
            tool = c.tool;
            break;
        case ReplayCommand::Pointer:
            pointer = c.value != 0;
            break;
        case ReplayCommand::Contact: {
            PointerSample s;
            s.phase = c.phase;
            s.tool = tool;
            s.deviceKey
                = tool == BoardTool::Eraser ? QStringLiteral("replay:eraser") : QStringLiteral("replay:pen");
            s.position = QPointF(c.x, c.y);
            s.value = c.value;
            QString error;
            if (!hub.ProcessReplay(target, s, &error, pointer)) {
                Finish(Failed, where + error);
                return;
            }
            break;
        }
        case ReplayCommand::Pause:
            if (!Sleep(c.milliseconds)) {
                Finish(Failed, where + QStringLiteral("stopped"));
                return;
            }
            break;
        case ReplayCommand::Tray:
            hub.ForceTray(c.dispid == OBRISK_DISPID_PEN ? CToolTray::Event::Pen
                    : c.dispid == OBRISK_DISPID_ERASER  ? CToolTray::Event::Eraser
                                                        : CToolTray::Event::NoTool);
            break;
        case ReplayCommand::Button:
            hub.FireToAll(c.dispid, { static_cast<LONG>(c.value) });
            break;
        case ReplayCommand::Status:
            hub.FireToAll(OBRISK_DISPID_BOARDSTATUSCHANGE, {});
            break;
        case ReplayCommand::WaitWindow: {
            CBoardHub::Target wanted { c.name, c.order };
            int waited = 0;
            while (!hub.IsAttached(wanted)) {
                if (waited >= c.milliseconds) {
                    Finish(Failed,
                        where + QStringLiteral("window %1 was not attached in time").arg(wanted.Quoted()));
                    return;
                }
                if (!Sleep(10)) {
                    Finish(Failed, where + QStringLiteral("stopped"));
                    return;
                }
                waited += 10;
            }
            break;
        }
        }
        ++m_played;
    }
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (m_stop && m_error.isEmpty())
            m_error = QStringLiteral("stopped");
    }
    if (!parsed.Ok())
        Finish(Failed, parsed.error);
    else if (!Error().isEmpty())
        Finish(Failed, Error());
    else
        Finish(Finished, QString());
}
