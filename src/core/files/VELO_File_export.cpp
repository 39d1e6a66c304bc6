#include "core/files/VELO_File.h"

#include "core/files/AnsiText.h"
#include "core/files/FileFields.h"
#include "core/files/NumberFormat.h"
#include "core/files/SafeWrite.h"
#include "core/model/Stringutil.h"

#include <QLocale>

// The text export "*.txt": a title, the date and time, a column header and one
// tab-separated row of frequency, R and phase per point of the band. Write-only.

namespace {

const QString kTitle = QStringLiteral("HK-A2 測定データ");
const QString kDateTimeKey = QStringLiteral("測定日時:");
const QString kColumns = QStringLiteral("周波数[Hz]\t抵抗値[Ω]\t位相角[deg]");

} // namespace

bool VELO_File::exportText(const QString &path, const CurveBlock *curve,
                           const MeasurementRecord *record) const
{
    QByteArray bytes;
    if (path.isEmpty() || !exportTextBytes(curve, record, bytes))
        return false;
    return writeFileSafely(path, bytes);
}

bool VELO_File::exportTextBytes(const CurveBlock *curve, const MeasurementRecord *record,
                                QByteArray &bytes) const
{
    if (!curve || !record || !isValidBand(record->band))
        return false;

    const QString point = QLocale().decimalPoint();
    const QLatin1Char tab('\t');
    const int band = record->band;

    // The date-time goes in as the bytes the record holds.
    QByteArray dateTime = record->dateTime;
    removeLineBreaks(dateTime);

    QString rows;
    rows.reserve(bandPointCount(band) * 32);
    for (int i = bandFirstIndex(band); i <= bandLastIndex(band); ++i) {
        // A point missing from the measurement has no row.
        if (curve->r[i] < 0.0f)
            continue;
        rows += formatFixed(curve->freq[i], 2, point);
        rows += tab;
        rows += formatFixed(curve->r[i], 2, point);
        rows += tab;
        rows += formatFixed(curve->theta[i], 1, point);
        rows += QLatin1String("\r\n");
    }
    QByteArray out;
    appendLine(out, toAnsi(kTitle));
    appendLine(out, toAnsi(kDateTimeKey) + dateTime);
    appendLine(out, toAnsi(kColumns));
    bytes = out + toAnsi(rows);
    return true;
}
