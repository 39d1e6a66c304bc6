#pragma once

// Shared helpers of the file-format suites: golden files, byte comparison with a readable
// diff, and files on disk that refuse to be written.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace golden {

inline QString path(const QString &name)
{
    return QStringLiteral(VELO2_SOURCE_DIR "/tests/files/golden/") + name;
}

inline QByteArray readBytes(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

inline bool writeBytes(const QString &file, const QByteArray &bytes)
{
    QFile f(file);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

inline QByteArray load(const QString &name)
{
    return readBytes(path(name));
}

// One line made visible: CR, TAB and every byte outside printable ASCII escaped.
inline QString visible(const QByteArray &line)
{
    QString s;
    for (char ch : line) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\r')
            s += QLatin1String("\\r");
        else if (c == '\t')
            s += QLatin1String("\\t");
        else if (c < 0x20 || c >= 0x7F)
            s += QStringLiteral("\\x%1").arg(c, 2, 16, QLatin1Char('0'));
        else
            s += QLatin1Char(char(c));
    }
    return s;
}

// Empty when equal; otherwise where and how the bytes first differ, with context.
inline QString diff(const QByteArray &actual, const QByteArray &expected)
{
    if (actual == expected)
        return QString();
    const QList<QByteArray> a = actual.split('\n');
    const QList<QByteArray> e = expected.split('\n');
    qsizetype n = 0;
    while (n < a.size() && n < e.size() && a[n] == e[n])
        ++n;
    QStringList out;
    out << QStringLiteral("%1 bytes in %2 lines, expected %3 bytes in %4 lines; first "
                          "difference in line %5:")
               .arg(actual.size())
               .arg(a.size())
               .arg(expected.size())
               .arg(e.size())
               .arg(n + 1);
    for (qsizetype i = qMax<qsizetype>(0, n - 2); i < n; ++i)
        out << QStringLiteral("    %1  %2").arg(i + 1).arg(visible(e[i]));
    out << QStringLiteral("  - %1  %2").arg(n + 1).arg(n < e.size() ? visible(e[n]) : "<end>");
    out << QStringLiteral("  + %1  %2").arg(n + 1).arg(n < a.size() ? visible(a[n]) : "<end>");
    return out.join(QLatin1Char('\n'));
}

// Sets or clears the immutable attribute, which even root cannot write past.
inline bool setImmutable(const QString &path, bool on)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok && bool(flags & FS_IMMUTABLE_FL) != on) {
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

// Makes a folder refuse new files even for root (who ignores permission bits): the mode
// bits for others, the immutable attribute where the file system and rights allow it.
// With withFiles the files already in it refuse writing too, so nothing there can change
// (a writable file in a locked folder is still written in place). Returns false when
// neither works; unlockFolder() undoes it.
inline bool lockFolder(const QString &dir, bool withFiles = true)
{
    const QStringList files = withFiles ? QDir(dir).entryList(QDir::Files) : QStringList();
    for (const QString &name : files)
        QFile::setPermissions(dir + QLatin1Char('/') + name, QFileDevice::ReadOwner);
    QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QFile probe(dir + QStringLiteral("/probe"));
    if (!probe.open(QIODevice::WriteOnly))
        return true;
    probe.close();
    probe.remove();
    bool ok = setImmutable(dir, true);
    for (const QString &name : files)
        ok = setImmutable(dir + QLatin1Char('/') + name, true) && ok;
    return ok;
}

inline void unlockFolder(const QString &dir)
{
    setImmutable(dir, false);
    for (const QString &name : QDir(dir).entryList(QDir::Files)) {
        const QString f = dir + QLatin1Char('/') + name;
        setImmutable(f, false);
        if (!(QFile::permissions(f) & QFileDevice::WriteOwner))
            QFile::setPermissions(f, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    QFile::setPermissions(dir,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

// While it lives, no file of this process may grow beyond `bytes`: a write past the
// limit fails part-way, as on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lim = m_saved;
        lim.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lim);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_saved{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace golden

#define COMPARE_GOLDEN(actual, goldenName)                                                         \
    do {                                                                                           \
        const QString d_ = golden::diff((actual), golden::load(goldenName));                       \
        QVERIFY2(d_.isEmpty(), qPrintable(QStringLiteral(goldenName ":\n") + d_));                 \
    } while (false)
