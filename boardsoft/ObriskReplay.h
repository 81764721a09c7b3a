#pragma once

// Starting board session replays (tests, demos, the program's --script mode).
//
// libobrisk.so exports a small C interface; the board software is loaded by class
// id, so callers find these functions with dlsym on the library registered for
// the SDK class (CObriskReplayClient below does that). The script format is in
// boardsoft/REPLAY.md. A replay plays on its own thread; the events reach each
// connection's sink from there, and the connection's owner thread must keep
// processing events for them to be delivered.

#include "platform/com/BoardInterfaces.h"
#include "platform/registry/Registry.h"

#include <dlfcn.h>
#include <string>

extern "C" {
// Starts playing a UTF-8 script of `length` bytes (negative: zero-terminated).
// Returns the replay's id (> 0).
int ObriskReplayStart(const char* script, int length);
// 0 running, 1 finished, 2 failed (see ObriskReplayError), -1 unknown id.
int ObriskReplayState(int id);
// Waits up to timeoutMs (negative: for ever) for the replay to end; returns its state.
int ObriskReplayWait(int id, int timeoutMs);
// Copies the error text ("line N: ...") into buffer (zero-terminated, cut to size);
// returns the full length of the text.
int ObriskReplayError(int id, char* buffer, int size);
// Records live board input over attached windows into a replay script at path
// (replacing the file); 1 when recording, 0 (with one line on stderr) when the
// file cannot be written. Input is delivered as always either way.
int ObriskRecordStart(const char* path);
// Writes what is pending and closes the recording.
void ObriskRecordStop();
// Stops the replay if it still runs, and forgets it.
void ObriskReplayRelease(int id);
}

// Finds the replay functions in the registered board SDK library.
class CObriskReplayClient
{
public:
    using StartFn = int (*)(const char*, int);
    using StateFn = int (*)(int);
    using WaitFn = int (*)(int, int);
    using ErrorFn = int (*)(int, char*, int);
    using ReleaseFn = void (*)(int);
    using RecordStartFn = int (*)(const char*);
    using RecordStopFn = void (*)();

    // Loads the library registered for the SDK class (CLSID\{...}\InprocServer32 of
    // the classes hive; absolute paths only). False when the board is not installed.
    bool Load()
    {
        if (m_start)
            return true;
        std::string path;
        HKEY key = nullptr;
        const std::string subKey = "CLSID\\" + GuidToString(CLSID_ObriskSdk) + "\\InprocServer32";
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        char buffer[4096];
        DWORD size = sizeof buffer - 1;
        DWORD type = 0;
        const LONG rc
            = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size);
        RegCloseKey(key);
        if (rc != ERROR_SUCCESS || type != REG_SZ)
            return false;
        buffer[size < sizeof buffer ? size : sizeof buffer - 1] = '\0';
        path = buffer;
        if (path.empty() || path[0] != '/')
            return false;
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            return false;
        m_start = reinterpret_cast<StartFn>(dlsym(handle, "ObriskReplayStart"));
        m_state = reinterpret_cast<StateFn>(dlsym(handle, "ObriskReplayState"));
        m_wait = reinterpret_cast<WaitFn>(dlsym(handle, "ObriskReplayWait"));
        m_error = reinterpret_cast<ErrorFn>(dlsym(handle, "ObriskReplayError"));
        m_release = reinterpret_cast<ReleaseFn>(dlsym(handle, "ObriskReplayRelease"));
        m_recordStart = reinterpret_cast<RecordStartFn>(dlsym(handle, "ObriskRecordStart"));
        m_recordStop = reinterpret_cast<RecordStopFn>(dlsym(handle, "ObriskRecordStop"));
        if (!m_start || !m_state || !m_wait || !m_error || !m_release) {
            m_start = nullptr;
            return false; // the library stays loaded; it is the board software
        }
        return true;
    }

    int Start(const std::string& script) const
    {
        return m_start ? m_start(script.data(), int(script.size())) : 0;
    }
    int State(int id) const { return m_state ? m_state(id) : -1; }
    int Wait(int id, int timeoutMs) const { return m_wait ? m_wait(id, timeoutMs) : -1; }
    std::string Error(int id) const
    {
        if (!m_error)
            return std::string();
        const int n = m_error(id, nullptr, 0);
        std::string text(static_cast<std::size_t>(n > 0 ? n : 0) + 1, '\0');
        m_error(id, text.data(), static_cast<int>(text.size()));
        text.resize(static_cast<std::size_t>(n > 0 ? n : 0));
        return text;
    }
    void Release(int id) const
    {
        if (m_release)
            m_release(id);
    }
    // False when the board cannot record (an older board, or the file cannot be written).
    bool RecordStart(const std::string& path) const
    {
        return m_recordStart && m_recordStart(path.c_str()) == 1;
    }
    void RecordStop() const
    {
        if (m_recordStop)
            m_recordStop();
    }

private:
    StartFn m_start = nullptr;
    StateFn m_state = nullptr;
    WaitFn m_wait = nullptr;
    ErrorFn m_error = nullptr;
    ReleaseFn m_release = nullptr;
    RecordStartFn m_recordStart = nullptr;
    RecordStopFn m_recordStop = nullptr;
};
