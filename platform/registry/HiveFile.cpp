#include "platform/registry/HiveFile.h"

#include "platform/registry/FileLock.h"
#include "platform/registry/KeyPath.h"
#include "platform/registry/RegFileFormat.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool readAll(int fd, std::string& out, std::size_t size)
{
    out.resize(size);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, out.data() + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    out.resize(done);
    return true;
}

bool writeAll(int fd, const std::string& text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

LONG errorFromErrno(int err)
{
    return (err == EACCES || err == EPERM || err == EROFS) ? ERROR_ACCESS_DENIED : ERROR_CANTWRITE;
}

} // namespace

bool CHiveFile::Identity::operator==(const Identity& o) const
{
    if (exists != o.exists)
        return false;
    if (!exists)
        return true;
    return device == o.device && inode == o.inode && size == o.size && changed.tv_sec == o.changed.tv_sec
        && changed.tv_nsec == o.changed.tv_nsec;
}

CHiveFile::CHiveFile(CHiveLocation location, std::string rootName)
    : m_location(std::move(location))
    , m_rootName(std::move(rootName))
    , m_root(m_rootName)
{
}

const CHiveKey& CHiveFile::root()
{
    refresh(false);
    return m_root;
}

void CHiveFile::refresh(bool haveLock)
{
    // A stat is enough to see that nothing changed, which is the usual case.
    struct stat st
    {
    };
    if (m_loaded && ::stat(m_location.file.c_str(), &st) == 0 && m_identity.exists
        && st.st_dev == m_identity.device && st.st_ino == m_identity.inode && st.st_size == m_identity.size
        && st.st_mtim.tv_sec == m_identity.changed.tv_sec && st.st_mtim.tv_nsec == m_identity.changed.tv_nsec)
        return;

    Identity now;
    // Non-blocking, so a FIFO put in the file's place cannot hang the program; the
    // file is then refused below as not regular. A symbolic link is followed.
    const int fd = ::open(m_location.file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0 || ::fstat(fd, &st) != 0) {
        if (fd >= 0)
            ::close(fd);
        // Missing (or unreadable, which the next save will report): an empty hive.
        if (!m_loaded || m_identity.exists) {
            m_root.clear();
            replayPendingOn(m_root);
            m_identity = Identity {};
            m_loaded = true;
        }
        return;
    }
    now.exists = true;
    now.device = st.st_dev;
    now.inode = st.st_ino;
    now.size = st.st_size;
    now.changed = st.st_mtim;
    if (m_loaded && now == m_identity) {
        ::close(fd);
        return;
    }

    std::string reason;
    std::string text;
    if (!S_ISREG(st.st_mode)) {
        reason = "not a regular file";
    } else if (static_cast<std::size_t>(st.st_size) > CKeyPath::kMaxHiveFileSize) {
        reason = "file too large";
    } else {
        readAll(fd, text, static_cast<std::size_t>(st.st_size));
    }
    ::close(fd);

    if (reason.empty()) {
        CHiveKey parsed(m_rootName);
        if (CRegFileFormat::parse(text, m_rootName, parsed, reason, &m_encoding)) {
            replayPendingOn(parsed);
            m_root = std::move(parsed);
            m_identity = now;
            m_loaded = true;
            return;
        }
    }

    // Damaged. Only move it aside under the lock, so a good file another
    // process has just put in its place is never the one moved.
    if (!haveLock) {
        CFileLock lock;
        if (ensureFolder()
            && lock.acquire(m_location.lockFile(), m_location.fileMode, 2000) == ERROR_SUCCESS) {
            refresh(true);
            return;
        }
        m_root.clear();
        replayPendingOn(m_root);
        m_identity = now;
        m_loaded = true;
        if (!(m_reportedDamage == now)) {
            m_reportedDamage = now;
            std::fprintf(stderr,
                "kestavo: settings file %s is damaged (%s) and cannot be moved aside; using empty settings\n",
                m_location.file.c_str(), reason.c_str());
        }
        return;
    }
    setAside(reason);
}

void CHiveFile::replayPendingOn(CHiveKey& tree)
{
    // A change that no longer applies (say, its key was deleted by another
    // process) is dropped from this tree; the other process's change wins.
    for (const Change& change : m_pending) {
        bool changed = false;
        change(tree, changed);
    }
}

void CHiveFile::setAside(const std::string& reason)
{
    char stamp[32];
    const std::time_t t = std::time(nullptr);
    std::tm tm {};
    ::gmtime_r(&t, &tm);
    std::strftime(stamp, sizeof stamp, "%Y%m%dT%H%M%SZ", &tm);
    std::string target = m_location.file + ".damaged-" + stamp;
    struct stat st
    {
    };
    for (int n = 2; ::lstat(target.c_str(), &st) == 0 && n < 1000; ++n)
        target = m_location.file + ".damaged-" + stamp + "-" + std::to_string(n);

    if (::rename(m_location.file.c_str(), target.c_str()) == 0) {
        std::fprintf(stderr,
            "kestavo: settings file %s is damaged (%s); moved it to %s and started with empty settings\n",
            m_location.file.c_str(), reason.c_str(), target.c_str());
    } else {
        std::fprintf(stderr,
            "kestavo: settings file %s is damaged (%s) and cannot be moved aside (%s); using empty "
            "settings\n",
            m_location.file.c_str(), reason.c_str(), std::strerror(errno));
    }
    m_root.clear();
    replayPendingOn(m_root);
    m_identity = Identity {};
    m_loaded = true;
}

bool CHiveFile::ensureFolder() const
{
    // Create each missing folder of the path with the hive's folder mode.
    const std::string& folder = m_location.folder;
    for (std::size_t pos = 1; pos <= folder.size(); ++pos) {
        if (pos != folder.size() && folder[pos] != '/')
            continue;
        const std::string part = folder.substr(0, pos);
        if (::mkdir(part.c_str(), m_location.folderMode) != 0 && errno != EEXIST)
            return false;
    }
    struct stat st
    {
    };
    return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

LONG CHiveFile::checkWritable() const
{
    if (!ensureFolder())
        return errorFromErrno(errno);
    const int fd = ::open(
        m_location.lockFile().c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, m_location.fileMode);
    if (fd < 0)
        return errorFromErrno(errno);
    ::close(fd);
    return ERROR_SUCCESS;
}

LONG CHiveFile::modify(Change change)
{
    if (m_pending.empty()) {
        // Refuse a change that could never be saved now, not at the flush.
        if (const LONG rc = checkWritable(); rc != ERROR_SUCCESS)
            return rc;
    }
    refresh(false);
    bool changed = false;
    const LONG rc = change(m_root, changed);
    if (rc == ERROR_SUCCESS && changed)
        m_pending.push_back(std::move(change));
    return rc;
}

LONG CHiveFile::flush()
{
    if (m_pending.empty())
        return ERROR_SUCCESS;
    if (!ensureFolder())
        return errorFromErrno(errno);
    CFileLock lock;
    if (const LONG rc = lock.acquire(m_location.lockFile(), m_location.fileMode); rc != ERROR_SUCCESS)
        return rc;
    refresh(true); // another process's save is read and our changes applied on top
    const LONG rc = save();
    if (rc == ERROR_SUCCESS)
        m_pending.clear();
    return rc;
}

LONG CHiveFile::commit(Change change)
{
    if (const LONG rc = flush(); rc != ERROR_SUCCESS)
        return rc;
    if (const LONG rc = modify(std::move(change)); rc != ERROR_SUCCESS || m_pending.empty())
        return rc;
    const LONG rc = flush();
    if (rc != ERROR_SUCCESS) {
        // Only this change is pending (the earlier ones were saved above):
        // drop it and read the file again, so the tree forgets it too.
        m_pending.clear();
        m_loaded = false;
        refresh(false);
    }
    return rc;
}

LONG CHiveFile::save()
{
    const std::string text = CRegFileFormat::write(m_root, m_rootName, m_encoding);
    // The lock is held, so one fixed temporary name is enough; a stale one
    // left by a killed process is simply overwritten.
    const std::string temp = m_location.tempFile();
    const int fd
        = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, m_location.fileMode);
    if (fd < 0)
        return errorFromErrno(errno);
    ::fchmod(fd, m_location.fileMode);
    if (!writeAll(fd, text) || ::fsync(fd) != 0) {
        const int err = errno;
        ::close(fd);
        ::unlink(temp.c_str());
        return errorFromErrno(err);
    }
    ::close(fd);
    if (::rename(temp.c_str(), m_location.file.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return errorFromErrno(err);
    }
    const int dirFd = ::open(m_location.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    struct stat st
    {
    };
    if (::stat(m_location.file.c_str(), &st) == 0) {
        m_identity.exists = true;
        m_identity.device = st.st_dev;
        m_identity.inode = st.st_ino;
        m_identity.size = st.st_size;
        m_identity.changed = st.st_mtim;
        m_loaded = true;
    } else {
        m_loaded = false;
    }
    return ERROR_SUCCESS;
}
