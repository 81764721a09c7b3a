#include "platform/registry/FileLock.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

CFileLock::~CFileLock()
{
    release();
}

LONG CFileLock::acquire(const std::string& path, mode_t mode, int timeoutMs)
{
    release();
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, mode);
    if (fd < 0)
        return (errno == EACCES || errno == EPERM || errno == EROFS) ? ERROR_ACCESS_DENIED : ERROR_CANTWRITE;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= deadline) {
            ::close(fd);
            return ERROR_CANTWRITE;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    m_fd = fd;
    return ERROR_SUCCESS;
}

void CFileLock::release()
{
    if (m_fd >= 0) {
        ::flock(m_fd, LOCK_UN);
        ::close(m_fd);
        m_fd = -1;
    }
}
