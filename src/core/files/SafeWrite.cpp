#include "core/files/SafeWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kTemporaryNameTries = 16;
constexpr mode_t kNewFileMode = 0666; // narrowed by the umask, as for any new file

// The error of the last failed write on this thread, 0 when it failed without one.
thread_local int t_lastError = 0;

// Keeps the first error of a failing step; later steps (the close after a failed write)
// would only hide it.
bool noteFailure()
{
    if (t_lastError == 0)
        t_lastError = errno;
    return false;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0)
            errno = ENOSPC; // nothing written and no error: the device takes no more
        if (n <= 0)
            return noteFailure();
        p += n;
        left -= n;
    }
    return true;
}

// Writes, flushes to the disk and closes; false when any of it failed.
bool finish(int fd, const QByteArray &bytes)
{
    bool ok = writeAll(fd, bytes);
    if (::fsync(fd) != 0)
        ok = noteFailure();
    if (::close(fd) != 0)
        ok = noteFailure();
    return ok;
}

bool writeInPlace(const QByteArray &target, const QByteArray &bytes)
{
    const int fd = ::open(target.constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    return fd >= 0 ? finish(fd, bytes) : noteFailure();
}

// A new file in folder that no other process is using; -1 when none can be made. The name
// is short, so that a target whose name is near the length limit can still be replaced.
int createTemporary(const QByteArray &folder, QByteArray &name)
{
    for (int i = 0; i < kTemporaryNameTries; ++i) {
        name = folder + "/velo2-" + QByteArray::number(QRandomGenerator::global()->generate(), 36) +
               ".tmp";
        const int fd =
            ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kNewFileMode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

QString lastSafeWriteError()
{
    return t_lastError ? QString::fromLocal8Bit(std::strerror(t_lastError)) : QString();
}

void clearSafeWriteError()
{
    t_lastError = 0;
}

bool writeFileSafely(const QString &path, const QByteArray &bytes)
{
    t_lastError = 0;
    if (path.isEmpty())
        return false;
    // A symbolic link stays a link: what it points to is replaced.
    const QFileInfo info(path);
    const QString resolved = info.isSymLink() && info.exists() ? info.canonicalFilePath() : path;
    const QByteArray target = QFile::encodeName(resolved);

    struct stat old {
    };
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) {
        errno = EISDIR;
        return noteFailure();
    }
    if (exists && (!S_ISREG(old.st_mode) || old.st_nlink > 1))
        return writeInPlace(target, bytes);

    QByteArray temporary;
    const int fd =
        createTemporary(QFile::encodeName(QFileInfo(resolved).absolutePath()), temporary);
    if (fd < 0)
        return exists ? writeInPlace(target, bytes) : noteFailure();
    if (exists &&
        (::fchown(fd, old.st_uid, old.st_gid) != 0 || ::fchmod(fd, old.st_mode & 07777) != 0)) {
        ::close(fd);
        ::unlink(temporary.constData());
        return writeInPlace(target, bytes);
    }
    const bool written =
        finish(fd, bytes) &&
        (::rename(temporary.constData(), target.constData()) == 0 || noteFailure());
    if (!written)
        ::unlink(temporary.constData());
    return written;
}
