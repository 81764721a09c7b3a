#pragma once

// Records live board input as a board session script (REPLAY.md): the windows by
// name, the tools, the contacts in window coordinates, the tray's reports, and
// pauses for the time between them. Callers only append to a buffer under a short
// lock; a thread of the recorder writes the file, so recording never delays the
// delivery of input. A file that cannot be written is reported once on stderr and
// recording ends; input goes on.

#include "boardsoft/PointerSample.h"

#include <QByteArray>
#include <QString>
#include <condition_variable>
#include <mutex>
#include <thread>

class CBoardRecorder
{
public:
    CBoardRecorder() = default;
    ~CBoardRecorder(); // writes what is pending and closes
    CBoardRecorder(const CBoardRecorder&) = delete;
    CBoardRecorder& operator=(const CBoardRecorder&) = delete;

    // Starts writing a new file (replacing an earlier recording of this object).
    // False, with one line on stderr, when it cannot be created.
    bool Start(const QString& path);
    // Writes what is pending and closes the file.
    void Stop();
    bool IsRecording();

    // A contact over an attached window, in its client coordinates. toQt: the board
    // left it to Qt as mouse input (a pointer-mode window, a button).
    void Contact(const QString& window, BoardTool tool, SamplePhase phase, QPoint position, int value,
        bool toQt, long long nowMs);
    // What the emulated tray reported: "tray pen|eraser|none" kinds.
    void Tray(const char* what, long long nowMs);

private:
    void AppendLocked(const QByteArray& line, long long nowMs);
    void Run(QString path, int fd);

    std::mutex m_lock;
    std::condition_variable m_wake;
    std::thread m_writer;
    QByteArray m_pending;
    bool m_recording = false;
    bool m_stop = false;
    // What the script has selected so far.
    QString m_window;
    BoardTool m_tool = BoardTool::None;
    bool m_toQt = false;
    long long m_last = -1;
};
