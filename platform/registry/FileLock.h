#pragma once

#include "platform/WinTypes.h"

#include <string>
#include <sys/types.h>

// An exclusive advisory lock (flock) on a lock file beside a hive, held for
// as long as the object lives. The lock file itself stays: removing it would
// let two processes lock two different files of the same name.
class CFileLock
{
public:
    CFileLock() = default;
    ~CFileLock();
    CFileLock(const CFileLock&) = delete;
    CFileLock& operator=(const CFileLock&) = delete;

    // Waits up to timeoutMs for the lock. Returns ERROR_SUCCESS,
    // ERROR_ACCESS_DENIED when the lock file cannot be created, or
    // ERROR_CANTWRITE when another process holds the lock too long.
    LONG acquire(const std::string& path, mode_t mode, int timeoutMs = 10000);
    void release();
    bool held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};
