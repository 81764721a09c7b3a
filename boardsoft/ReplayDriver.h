#pragma once

// Plays a board session script on a thread of its own, through the same sink
// path as live input: each contact becomes a pointer sample for the board, which
// calls the sink of the connection owning the target window from this thread.

#include "boardsoft/ReplayScript.h"

#include <QString>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

class CReplayDriver
{
public:
    enum State
    {
        Running = 0,
        Finished = 1,
        Failed = 2,
    };

    CReplayDriver();
    ~CReplayDriver(); // stops and joins
    CReplayDriver(const CReplayDriver&) = delete;
    CReplayDriver& operator=(const CReplayDriver&) = delete;

    // Parses and starts playing; a malformed line is reported when the replay reaches it.
    void Start(const QByteArray& script);
    // Asks the replay to stop (a running pause ends at once) and waits for it.
    void Stop();
    // Waits for the end of the replay, up to timeoutMs (negative: for ever). True when it ended.
    bool Wait(int timeoutMs);

    State CurrentState() const { return m_state.load(); }
    QString Error() const;
    int CommandsPlayed() const { return m_played.load(); }

private:
    void Run(ReplayParseResult parsed);
    bool Sleep(int ms); // false when stopped
    void Finish(State state, const QString& error);

    std::thread m_thread;
    std::atomic<State> m_state { Finished };
    std::atomic<int> m_played { 0 };
    mutable std::mutex m_lock;
    std::condition_variable m_changed;
    bool m_stop = false;
    QString m_error;
};
