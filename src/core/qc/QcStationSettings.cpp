#include "core/qc/QcStationSettings.h"

#include "core/files/AppPaths.h"
#include "core/files/InputFile.h"
#include "core/files/SafeWrite.h"

#include <QFile>
#include <QList>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 kMaxBytes = 64 * 1024;

// A server URI may hold a password, so the file is the user's alone before anything goes into
// it: a new one is made so, and the safe write gives its temporary file the mode of the old.
bool keepPrivate(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (fd >= 0)
        ::close(fd);
    return ::chmod(name.constData(), 0600) == 0;
}

} // namespace

QString qcStationSettingsPath()
{
    return settingsDirectory() + QStringLiteral("/VELO2_qc_station.txt");
}

QcStationSettings readQcStationSettings(const QString &path)
{
    QcStationSettings s;
    QByteArray bytes;
    if (readInputFile(path, kMaxBytes, bytes) != InputFileProblem::None)
        return s;
    const QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        const qsizetype eq = line.indexOf('=');
        const QByteArray key = line.left(eq);
        const QString value = QString::fromUtf8(line.mid(eq + 1));
        if (eq < 0)
            continue;
        if (key == "limits")
            s.limitsPath = value;
        else if (key == "folder")
            s.folder = value;
        else if (key == "db")
            s.database = value;
    }
    // A file that others may read (an older program's, a copied one) is closed to them at once.
    if (!s.database.isEmpty())
        keepPrivate(path);
    return s;
}

bool writeQcStationSettings(const QString &path, const QcStationSettings &s)
{
    const QByteArray bytes = "limits=" + s.limitsPath.toUtf8() + "\r\nfolder=" + s.folder.toUtf8() +
                             "\r\ndb=" + s.database.toUtf8() + "\r\n";
    return keepPrivate(path) && writeFileSafely(path, bytes) && keepPrivate(path);
}
