#include "core/files/ZmaText.h"

#include "core/files/FileFields.h"
#include "core/files/NumberFormat.h"
#include "core/model/BandTable.h"

const QString kZmaFileExtension = QStringLiteral(".zma");

namespace {

const QByteArray kHeading = QByteArrayLiteral("* Freq(Hz)\tZ(ohm)\tPhase(deg)");

QByteArray asciiOnly(const QString &text)
{
    QByteArray out;
    for (const QChar c : text)
        out += c.unicode() >= 0x20 && c.unicode() < 0x7F ? char(c.unicode()) : '?';
    return out;
}

// "* VELO2: spk.DTA, band 4 (20Hz-250Hz)"
QByteArray sourceLine(const QString &sourceName, int band)
{
    QString caption = bandCaption(band);
    caption.replace(QChar(0xFF5E), QLatin1Char('-'));
    QString line = QStringLiteral("* VELO2: ");
    if (!sourceName.isEmpty())
        line += sourceName + QStringLiteral(", ");
    line += QStringLiteral("band %1 (%2)").arg(band).arg(caption);
    return asciiOnly(line);
}

} // namespace

QByteArray zmaText(const CurveBlock &curve, int band, const QString &sourceName)
{
    QByteArray out;
    if (!isValidBand(band))
        return out;
    out.reserve(128 + bandPointCount(band) * 32);
    appendLine(out, sourceLine(sourceName, band));
    appendLine(out, kHeading);
    for (int i = bandFirstIndex(band); i <= bandLastIndex(band); ++i) {
        if (!(curve.r[i] >= 0.0f) || !(curve.freq[i] > 0.0f))
            continue;
        appendLine(out, shortestFloatText(curve.freq[i]) + '\t' + shortestFloatText(curve.r[i]) +
                            '\t' + shortestFloatText(curve.theta[i]));
    }
    return out;
}
