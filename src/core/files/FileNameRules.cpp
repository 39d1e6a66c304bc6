#include "core/files/FileNameRules.h"

#include "core/files/ZmaText.h"
#include "core/model/Stringutil.h"

#include <QLocale>

const QString kDataFileExtension = QStringLiteral(".DTA");
const QString kExportFileExtension = QStringLiteral(".txt");

namespace {

// Index where the file name of path begins (after the last "/").
qsizetype nameStart(const QString &path)
{
    return path.lastIndexOf(QLatin1Char('/')) + 1;
}

} // namespace

QString proposedFileName(const QString &dataFileName, const QString &extension)
{
    if (dataFileName.isEmpty())
        return QLatin1Char('*') + extension;
    return cutAtFirstDot(fileNamePart(dataFileName)) + extension;
}

QString dataFileSavePath(const QString &chosen)
{
    if (chosen.endsWith(kDataFileExtension, Qt::CaseSensitive))
        return chosen;
    return chosen + kDataFileExtension;
}

QString exportFilePath(const QString &chosen)
{
    if (chosen.endsWith(kExportFileExtension, Qt::CaseSensitive))
        return chosen;
    return pathWithoutExtension(chosen) + kExportFileExtension;
}

QString zmaFilePath(const QString &chosen)
{
    if (chosen.endsWith(kZmaFileExtension, Qt::CaseInsensitive))
        return chosen;
    return chosen + kZmaFileExtension;
}

QString pathWithoutExtension(const QString &path)
{
    const qsizetype start = nameStart(path);
    return path.left(start) + cutAtFirstDot(path.mid(start));
}

QString massGramsText(double grams)
{
    return QString::number(grams, 'f', QLocale::FloatingPointShortest);
}

namespace {

// The path without the last extension of its file name.
QString withoutLastExtension(const QString &path)
{
    const QString name = fileNamePart(path);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return path.left(nameStart(path)) + (dot > 0 ? name.left(dot) : name);
}

QString besideFreeAir(const QString &freeAirPath, const QString &suffix)
{
    return withoutLastExtension(freeAirPath) + suffix + kDataFileExtension;
}

} // namespace

QString massCurvePath(const QString &freeAirPath, double grams)
{
    return besideFreeAir(freeAirPath,
                         QStringLiteral("_m") + massGramsText(grams) + QLatin1Char('g'));
}

QString boxCurvePath(const QString &freeAirPath, double litres)
{
    return besideFreeAir(freeAirPath,
                         QStringLiteral("_box") + massGramsText(litres) + QLatin1Char('L'));
}

QString repeatFilePath(const QString &meanDataPath)
{
    return withoutLastExtension(meanDataPath) + QStringLiteral("_repeats.txt");
}
