#pragma once

// Shared by the file-reader fuzz targets: the readers take a path, so each input is
// written to a scratch file first.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace fuzz {

// Under TMPDIR, which `./run fuzz` points at a folder it removes afterwards: a crashing
// input ends the process before this folder could remove itself.
inline QTemporaryDir &scratchDir()
{
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/velo2-fuzz-XXXXXX"));
    return dir;
}

inline QString scratchPath(const char *name)
{
    return scratchDir().filePath(QLatin1String(name));
}

inline void writeInput(const QString &path, const uint8_t *data, size_t size)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        f.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size)) {
        std::fprintf(stderr, "cannot write the scratch file %s\n", qPrintable(path));
        std::abort();
    }
}

// A broken property is a finding: report it and stop like a crash.
inline void require(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

} // namespace fuzz
