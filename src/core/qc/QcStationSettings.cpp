#include "core/qc/QcStationSettings.h"

#include "core/files/AppPaths.h"
#include "core/files/InputFile.h"
#include "core/files/SafeWrite.h"

#include <QFile>
#include <QList>

namespace {

constexpr qint64 kMaxBytes = 64 * 1024;

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
    return s;
}

bool writeQcStationSettings(const QString &path, const QcStationSettings &s)
{
    const QByteArray bytes = "limits=" + s.limitsPath.toUtf8() + "\r\nfolder=" + s.folder.toUtf8() +
                             "\r\ndb=" + s.database.toUtf8() + "\r\n";
    return writeFileSafely(path, bytes) &&
           QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}
