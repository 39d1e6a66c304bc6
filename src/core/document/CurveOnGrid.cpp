#include "core/document/CurveOnGrid.h"

#include "core/measure/PointEncoder.h"
#include "core/model/BandTable.h"
#include "core/model/SweepGrid.h"

#include <QStringList>
#include <cstring>

namespace {

void writePoint(MeasurementRecord &record, int index, double ohm, double deg)
{
    const QByteArray text = encodePointText(ohm, deg, gridFrequencyHz(index));
    std::memcpy(record.points[index], text.constData(), kPointTextLength);
    record.points[index][kPointTextLength] = '\0';
}

} // namespace

int coveredGridPoints(const ImpedanceTable &table, int band)
{
    int count = 0;
    for (int i = bandFirstIndex(band); i <= bandLastIndex(band); ++i)
        count += coversFrequency(table, gridFrequencyHz(i)) ? 1 : 0;
    return count;
}

int bestBandFor(const ImpedanceTable &table)
{
    int best = 0;
    int bestCovered = 0;
    for (int band = 1; band <= kBandCount; ++band) {
        const int covered = coveredGridPoints(table, band);
        if (covered > bestCovered ||
            (covered == bestCovered && best && bandPointCount(band) < bandPointCount(best))) {
            best = covered > 0 ? band : 0;
            bestCovered = covered;
        }
    }
    return best;
}

int putOnGrid(const ImpedanceTable &table, int band, MeasurementRecord &record)
{
    clearPoints(record);
    record.band = band;
    int written = 0;
    for (int i = bandFirstIndex(band); i <= bandLastIndex(band); ++i) {
        double ohm = 0.0;
        double deg = 0.0;
        if (impedanceAt(table, gridFrequencyHz(i), ohm, deg)) {
            writePoint(record, i, ohm, deg);
            ++written;
        } else {
            emptyPoint(record.points[i]);
        }
    }
    return written;
}

void fillLeadingGap(MeasurementRecord &record)
{
    const int first = bandFirstIndex(record.band);
    const int last = bandLastIndex(record.band);
    int i = first;
    while (i <= last && isEmptyPoint(record.points[i]))
        ++i;
    if (i > last || i == first)
        return;
    const DecodedPoint p = decodePoint(record.points[i]);
    // The decoded values sit half a step above the stored ones; encoding cuts them back.
    for (int j = first; j < i; ++j)
        writePoint(record, j, p.r, p.theta);
}

void putFullPrecision(const ImpedanceTable &table, int band, CurveBlock &raw)
{
    for (int i = bandFirstIndex(band); i <= bandLastIndex(band); ++i) {
        double ohm = 0.0;
        double deg = 0.0;
        if (raw.r[i] >= 0.0f && impedanceAt(table, gridFrequencyHz(i), ohm, deg)) {
            raw.r[i] = float(ohm);
            raw.theta[i] = float(deg);
        }
    }
}

std::vector<int> pointsBeyondPointText(const CurveBlock &raw, int band)
{
    constexpr float kLimit = float(kMaxPointTextOhm + 0.01);
    std::vector<int> beyond;
    if (!isValidBand(band))
        return beyond;
    for (int i = bandFirstIndex(band); i <= bandLastIndex(band); ++i)
        if (raw.r[i] >= kLimit)
            beyond.push_back(i);
    return beyond;
}

QString gridFrequencyList(const std::vector<int> &indices, int shown)
{
    QStringList named;
    for (std::size_t i = 0; i < indices.size() && i < std::size_t(shown); ++i)
        named << QString::number(gridFrequencyHz(indices[i]), 'f', 2) + QStringLiteral(" Hz");
    if (indices.size() > std::size_t(shown))
        named << QStringLiteral("...");
    return named.join(QStringLiteral(", "));
}
