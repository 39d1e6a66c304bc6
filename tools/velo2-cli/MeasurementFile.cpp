#include "MeasurementFile.h"

#include "CliMessages.h"
#include "files/ReferenceSlot.h"
#include "files/VELO_File.h"

#include <QFile>
#include <QFileInfo>

namespace
{

// Why a file that the reader refused cannot even be opened, when that is the reason.
QString accessProblem(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return CliMessages::noSuchFile();
    if (info.isDir())
        return CliMessages::isDirectory();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return CliMessages::cannotRead(file.errorString());
    return QString();
}

} // namespace

std::unique_ptr<MeasurementFile> loadMeasurementFile(const QString &path, QString *problem)
{
    auto m = std::make_unique<MeasurementFile>();
    m->path = path;
    // Slots after an early "END:" keep what they held: start from cleared ones.
    clearPoints(m->record);
    const VELO_File file;
    if (path.isEmpty() ||
        !file.readDataFile(path, m->serial, m->modelFlag, m->comPort, &m->record)) {
        const QString access = accessProblem(path);
        *problem = access.isEmpty() ? CliMessages::badDataFile() : access;
        return nullptr;
    }
    if (!file.convertRecord(&m->record, &m->raw, &m->avg)) {
        *problem = CliMessages::calcDataError();
        return nullptr;
    }
    m->record.valid = 1;
    return m;
}

bool loadReferenceFile(ReferenceFiles &refs, const QString &path, QString *problem)
{
    if (refs.count >= kReferenceSlots)
        return false;
    const int k = refs.count;
    clearReferenceSlot(refs.records[k], refs.raw[k], refs.avg[k]);
    switch (loadReference(VELO_File(), path, refs.records[k], refs.raw[k], refs.avg[k])) {
    case ReferenceLoad::Loaded:
        ++refs.count;
        return true;
    case ReferenceLoad::BadFile: {
        const QString access = accessProblem(path);
        *problem = access.isEmpty() ? CliMessages::badDataFile() : access;
        return false;
    }
    case ReferenceLoad::BadData:
        *problem = CliMessages::calcDataError();
        return false;
    }
    return false;
}

QString modelTag(quint8 modelFlag)
{
    return modelFlag ? QStringLiteral("HK-A") : QStringLiteral("HK-A2");
}
