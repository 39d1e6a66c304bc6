#include "DocumentFiles.h"

#include "CliIo.h"
#include "CliMessages.h"
#include "CommandLine.h"
#include "core/files/InputFile.h"
#include "core/model/BandTable.h"

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

QString notReadableProblem(const QString &path)
{
    const QString access = accessProblem(path);
    return access.isEmpty() ? CliMessages::badDataFile() : access;
}

// A table's outcome: false with the reason, or true after noting what the reader tidied.
bool tableOpened(const QString &path, const ImportOutcome &outcome, QString *problem)
{
    if (outcome.read.problem == TableProblem::NotRegular && QFileInfo(path).isDir()) {
        *problem = CliMessages::isDirectory();
        return false;
    }
    if (!outcome.ok()) {
        *problem = CliMessages::tableProblem(outcome.read.problem, outcome.read.line, outcome.band);
        return false;
    }
    const QString prefix =
        CliMessages::program() + QStringLiteral(": ") + path + QStringLiteral(": ");
    if (outcome.reordered)
        printErr(prefix + CliMessages::tableSorted());
    if (outcome.duplicates > 0)
        printErr(prefix + CliMessages::tableDuplicates(outcome.duplicates));
    return true;
}

} // namespace

bool openMeasurement(MeasurementDocument &doc, const QString &path, QString *problem, int band)
{
    if (doc.isTablePath(path))
        return tableOpened(path, doc.importMeasurement(path, band), problem);
    // Slots the file does not fill read as cleared points.
    doc.clearMeasurement();
    qint32 port = doc.comPort();
    switch (doc.open(path, port)) {
    case OpenOutcome::Opened:
        return true;
    case OpenOutcome::NotReadable:
        *problem = notReadableProblem(path);
        return false;
    case OpenOutcome::BadData:
        *problem = CliMessages::calcDataError();
        return false;
    }
    return false;
}

bool openReference(MeasurementDocument &doc, const QString &path, QString *problem)
{
    if (doc.refCount() >= kReferenceSlots)
        return false;
    if (doc.isTablePath(path))
        return tableOpened(path, doc.importReference(path), problem);
    switch (doc.addReference(path)) {
    case ReferenceLoad::Loaded:
        return true;
    case ReferenceLoad::BadFile:
        *problem = notReadableProblem(path);
        return false;
    case ReferenceLoad::BadData:
        *problem = CliMessages::calcDataError();
        return false;
    }
    return false;
}

QString modelTag(const MeasurementDocument &doc)
{
    return doc.oldFormatLoaded() ? QStringLiteral("HK-A") : QStringLiteral("HK-A2");
}

int openWithBandOption(const CommandLine &cl, MeasurementDocument &doc, const QString &input)
{
    int band = 0;
    if (cl.isSet(QStringLiteral("band"))) {
        bool ok = false;
        band = cl.value(QStringLiteral("band")).toInt(&ok);
        if (!ok || !isValidBand(band))
            return cl.usageError(CliMessages::badBand(cl.value(QStringLiteral("band"))));
    }
    if (band > 0 && !doc.isTablePath(input))
        return cl.usageError(CliMessages::bandOnlyForTables());
    QString problem;
    if (!openMeasurement(doc, input, &problem, band))
        return cl.fileFailure(input, problem);
    return -1;
}
