#include "boardsoft/BoardRecorder.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

CBoardRecorder::~CBoardRecorder()
{
    Stop();
}

bool CBoardRecorder::Start(const QString& path)
{
    Stop();
    const QByteArray name = path.toLocal8Bit();
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        std::fprintf(stderr, "board recorder: cannot write %s: %s; not recording\n", name.constData(),
            std::strerror(errno));
        return false;
    }
    std::lock_guard<std::mutex> guard(m_lock);
    m_pending = "# Board session recorded live; replay it with the board's replay driver.\n";
    m_recording = true;
    m_stop = false;
    m_window.clear();
    m_tool = BoardTool::None;
    m_toQt = false;
    m_last = -1;
    m_writer = std::thread([this, path, fd] { Run(path, fd); });
    return true;
}

void CBoardRecorder::Stop()
{
    {
        std::lock_guard<std::mutex> guard(m_lock);
        if (!m_writer.joinable())
            return;
        m_stop = true;
    }
    m_wake.notify_all();
    m_writer.join();
    std::lock_guard<std::mutex> guard(m_lock);
    m_recording = false;
}

bool CBoardRecorder::IsRecording()
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_recording;
}

void CBoardRecorder::AppendLocked(const QByteArray& line, long long nowMs)
{
    if (m_last >= 0 && nowMs > m_last)
        m_pending += "pause " + QByteArray::number(std::min(nowMs - m_last, 600000LL)) + '\n';
    m_last = nowMs;
    m_pending += line;
    m_pending += '\n';
}

void CBoardRecorder::Contact(const QString& window, BoardTool tool, SamplePhase phase, QPoint position,
    int value, bool toQt, long long nowMs)
{
    const char* verb = phase == SamplePhase::Down ? "down"
        : phase == SamplePhase::Move              ? "move"
        : phase == SamplePhase::Up                ? "up"
                                                  : nullptr;
    if (!verb || window.isEmpty())
        return;
    std::lock_guard<std::mutex> guard(m_lock);
    if (!m_recording)
        return;
    if (window != m_window) {
        m_pending += "window " + window.toUtf8() + '\n';
        m_window = window;
    }
    if (tool != m_tool && (tool == BoardTool::Pen || tool == BoardTool::Eraser)) {
        m_pending += tool == BoardTool::Eraser ? "tool eraser\n" : "tool pen\n";
        m_tool = tool;
    }
    if (toQt != m_toQt) {
        m_pending += toQt ? "pointer on\n" : "pointer off\n";
        m_toQt = toQt;
    }
    AppendLocked(QByteArray(verb) + ' ' + QByteArray::number(position.x()) + ' '
            + QByteArray::number(position.y()) + ' ' + QByteArray::number(qBound(0, value, 1000)),
        nowMs);
    m_wake.notify_one();
}

void CBoardRecorder::Tray(const char* what, long long nowMs)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (!m_recording)
        return;
    // The replay's own tray reports it again from the contacts and pauses; the
    // line tells a reader what the class saw.
    AppendLocked(QByteArray("# tray ") + what, nowMs);
    m_wake.notify_one();
}

void CBoardRecorder::Run(QString path, int fd)
{
    bool failed = false;
    for (;;) {
        QByteArray chunk;
        bool stop = false;
        {
            std::unique_lock<std::mutex> lock(m_lock);
            m_wake.wait_for(
                lock, std::chrono::milliseconds(200), [this] { return m_stop || !m_pending.isEmpty(); });
            chunk.swap(m_pending);
            stop = m_stop;
        }
        for (qsizetype done = 0; !failed && done < chunk.size();) {
            const ssize_t n = ::write(fd, chunk.constData() + done, static_cast<size_t>(chunk.size() - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                std::fprintf(stderr, "board recorder: cannot write %s: %s; recording stopped\n",
                    path.toLocal8Bit().constData(), std::strerror(errno));
                failed = true;
                std::lock_guard<std::mutex> guard(m_lock);
                m_recording = false;
                break;
            }
            done += n;
        }
        if (stop)
            break;
    }
    ::close(fd);
}
