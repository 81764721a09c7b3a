// The exported replay interface of the board library.

#include "boardsoft/ObriskReplay.h"

#include "boardsoft/BoardHub.h"
#include "boardsoft/ReplayDriver.h"
#include "platform/com/ComServer.h"

#include <cstring>
#include <map>
#include <memory>
#include <mutex>

namespace {

std::mutex& ReplaysLock()
{
    static std::mutex lock;
    return lock;
}
std::map<int, std::shared_ptr<CReplayDriver>>& Replays()
{
    static auto* replays = new std::map<int, std::shared_ptr<CReplayDriver>>;
    return *replays;
}
int g_nextId = 1;

std::shared_ptr<CReplayDriver> Find(int id)
{
    std::lock_guard<std::mutex> guard(ReplaysLock());
    auto found = Replays().find(id);
    return found == Replays().end() ? nullptr : found->second;
}

} // namespace

extern "C" {

KESTAVO_COM_EXPORT int ObriskReplayStart(const char* script, int length)
{
    const QByteArray text = !script ? QByteArray()
        : length < 0                ? QByteArray(script)
                                    : QByteArray(script, length);
    auto driver = std::make_shared<CReplayDriver>();
    int id = 0;
    {
        std::lock_guard<std::mutex> guard(ReplaysLock());
        id = g_nextId++;
        Replays()[id] = driver;
    }
    driver->Start(text);
    return id;
}

KESTAVO_COM_EXPORT int ObriskReplayState(int id)
{
    auto driver = Find(id);
    return driver ? static_cast<int>(driver->CurrentState()) : -1;
}

KESTAVO_COM_EXPORT int ObriskReplayWait(int id, int timeoutMs)
{
    auto driver = Find(id);
    if (!driver)
        return -1;
    driver->Wait(timeoutMs);
    return static_cast<int>(driver->CurrentState());
}

KESTAVO_COM_EXPORT int ObriskReplayError(int id, char* buffer, int size)
{
    auto driver = Find(id);
    const QByteArray text = driver ? driver->Error().toUtf8() : QByteArray();
    if (buffer && size > 0) {
        const int n = std::min(size - 1, static_cast<int>(text.size()));
        std::memcpy(buffer, text.constData(), static_cast<std::size_t>(n));
        buffer[n] = '\0';
    }
    return static_cast<int>(text.size());
}

KESTAVO_COM_EXPORT int ObriskRecordStart(const char* path)
{
    return CBoardHub::Instance().Record(QString::fromUtf8(path ? path : "")) ? 1 : 0;
}

KESTAVO_COM_EXPORT void ObriskRecordStop()
{
    CBoardHub::Instance().Record(QString());
}

KESTAVO_COM_EXPORT void ObriskReplayRelease(int id)
{
    std::shared_ptr<CReplayDriver> driver;
    {
        std::lock_guard<std::mutex> guard(ReplaysLock());
        auto found = Replays().find(id);
        if (found == Replays().end())
            return;
        driver = found->second;
        Replays().erase(found);
    }
    driver->Stop();
}
}
