#include "core/files/ZmaText.h"

#include "core/files/FileFields.h"
#include "core/files/NumberFormat.h"

const QString kZmaFileExtension = QStringLiteral(".zma");

namespace {

const QByteArray kHeading = QByteArrayLiteral("* Freq(Hz)\tZ(ohm)\tPhase(deg)");

} // namespace

QByteArray zmaText(const CurveBlock &curve, int band)
{
    QByteArray out;
    if (!isValidBand(band))
        return out;
    out.reserve(64 + bandPointCount(band) * 32);
    appendLine(out, kHeading);
    for (int i = bandFirstIndex(band); i <= bandLastIndex(band); ++i) {
        if (!(curve.r[i] >= 0.0f) || !(curve.freq[i] > 0.0f))
            continue;
        appendLine(out, shortestFloatText(curve.freq[i]) + '\t' + shortestFloatText(curve.r[i]) +
                            '\t' + shortestFloatText(curve.theta[i]));
    }
    return out;
}
