#include "MeasurementFile.h"

#include "CliMessages.h"
#include "core/files/InputFile.h"
#include "core/files/ReferenceSlot.h"
#include "core/files/VELO_File.h"

#include <QFile>
#include <QFileInfo>

namespace {

// Why a file that the reader refused cannot even be read, when that is the reason.
QString accessProblem(const QString &path)
{
    QByteArray bytes;
    switch (readInputFile(path, kMaxDataFileBytes, bytes)) {
    case InputFileProblem::None:
        return QString();
    case InputFileProblem::Missing:
        return CliMessages::noSuchFile();
    case InputFileProblem::NotRegular:
        return QFileInfo(path).isDir() ? CliMessages::isDirectory() : CliMessages::notRegularFile();
    case InputFileProblem::TooLarge:
        return CliMessages::fileTooLarge(kMaxDataFileBytes);
    case InputFileProblem::Unreadable:
        break;
    }
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return CliMessages::cannotRead(file.errorString());
}

} // namespace

std::unique_ptr<MeasurementFile> loadMeasurementFile(const QString &path, QString *problem)
{
    auto m = std::make_unique<MeasurementFile>();
    m->path = path;
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
