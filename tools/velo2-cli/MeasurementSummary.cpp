#include "MeasurementSummary.h"

#include "CliJson.h"
#include "CliMessages.h"
#include "CurveRanges.h"
#include "DocumentFiles.h"
#include "core/files/AnsiText.h"
#include "core/files/FileNameRules.h"
#include "core/graph/ReadoutFormat.h"

#include <QStringList>
#include <cmath>
#include <limits>

namespace {

// Ranges come from the unaveraged curve, the values the unit measured.
QString joined(const QString &low, const QString &high)
{
    return low + QStringLiteral("...") + high;
}

// The points the curve holds: a table put on the grid, or a file ended early, leaves some of
// the band empty.
int heldPoints(const CurveBlock &curve, int band)
{
    int held = 0;
    if (isValidBand(band))
        for (int i = bandFirstIndex(band); i <= bandLastIndex(band); ++i)
            held += curve.r[i] >= 0.0f ? 1 : 0;
    return held;
}

// The largest spread of a repeat set over the points at least two sweeps measured: σ of |Z|
// relative to the mean |Z|, and σ of the phase; NaN when no point has two.
struct LargestSpread {
    double ohmPct = std::numeric_limits<double>::quiet_NaN();
    double ohmHz = 0.0;
    double deg = std::numeric_limits<double>::quiet_NaN();
    double degHz = 0.0;
};

LargestSpread largestSpread(const RepeatSet &set)
{
    LargestSpread s;
    for (const RepeatPoint &p : set.statistics()) {
        if (p.n < 2)
            continue;
        if (p.ohm > 0.0 && !(100.0 * p.sdOhm / p.ohm <= s.ohmPct)) {
            s.ohmPct = 100.0 * p.sdOhm / p.ohm;
            s.ohmHz = p.freqHz;
        }
        if (!(p.sdDeg <= s.deg)) {
            s.deg = p.sdDeg;
            s.degHz = p.freqHz;
        }
    }
    return s;
}

QString spreadText(double value, const QString &text, double hz)
{
    return std::isnan(value) ? QStringLiteral("-")
                             : CliMessages::valueAt(text, formatHertz(float(hz)));
}

} // namespace

QString summaryText(const MeasurementDocument &doc, bool repeats)
{
    const int band = doc.measurement().band;
    const CurveRanges c = curveRanges(doc.curveRaw(), band);
    QList<QPair<QString, QString>> rows = {
        {CliMessages::fieldModel(), modelTag(doc)},
        {CliMessages::fieldSerial(), fromAnsi(doc.unitSerial())},
        {CliMessages::fieldDateTime(), fromAnsi(doc.measurement().dateTime)},
        {CliMessages::fieldComPort(), QString::number(doc.comPort())},
        {CliMessages::fieldBand(), QStringLiteral("%1 (%2)").arg(band).arg(bandCaption(band))},
        {CliMessages::fieldPoints(), QString::number(heldPoints(doc.curveRaw(), band))},
        {CliMessages::fieldFrequency(), joined(formatHertz(c.fMin), formatHertz(c.fMax))},
        {CliMessages::fieldR(), joined(formatOhms(c.rMin), formatOhms(c.rMax))},
        {CliMessages::fieldTheta(), joined(formatDegrees(c.thetaMin), formatDegrees(c.thetaMax))},
    };
    if (const RepeatSet *set = doc.repeats(); repeats && set) {
        const LargestSpread s = largestSpread(*set);
        rows << QPair<QString, QString>{CliMessages::fieldSweeps(),
                                        CliMessages::sweepsHeld(set->count(), set->planned())}
             << QPair<QString, QString>{CliMessages::fieldPartial(),
                                        CliMessages::yesNo(set->isPartial())}
             << QPair<QString, QString>{CliMessages::fieldSpreadR(),
                                        spreadText(s.ohmPct,
                                                   QString::number(s.ohmPct, 'f', 2) +
                                                       QStringLiteral(" %"),
                                                   s.ohmHz)}
             << QPair<QString, QString>{CliMessages::fieldSpreadTheta(),
                                        spreadText(s.deg, formatDegrees(float(s.deg)), s.degHz)};
    }
    int width = 0;
    for (const auto &row : rows)
        width = std::max(width, int(row.first.size()));
    QStringList lines{doc.dataFileName()};
    for (const auto &row : rows)
        lines << QStringLiteral("  ") + row.first.leftJustified(width + 2) + row.second;
    return lines.join(QLatin1Char('\n'));
}

QJsonObject summaryJson(const MeasurementDocument &doc, bool repeats)
{
    const int band = doc.measurement().band;
    const CurveRanges c = curveRanges(doc.curveRaw(), band);
    QJsonObject o{
        {QStringLiteral("file"), doc.dataFileName()},
        {QStringLiteral("model"), modelTag(doc)},
        {QStringLiteral("serial"), fromAnsi(doc.unitSerial())},
        {QStringLiteral("dateTime"), fromAnsi(doc.measurement().dateTime)},
        {QStringLiteral("comPort"), doc.comPort()},
        {QStringLiteral("band"), band},
        {QStringLiteral("bandCaption"), bandCaption(band)},
        {QStringLiteral("points"), heldPoints(doc.curveRaw(), band)},
        {QStringLiteral("frequencyHz"), jsonRange(c.fMin, c.fMax)},
        {QStringLiteral("rOhm"), jsonRange(c.rMin, c.rMax)},
        {QStringLiteral("thetaDeg"), jsonRange(c.thetaMin, c.thetaMax)},
    };
    if (const RepeatSet *set = doc.repeats(); repeats && set) {
        const LargestSpread s = largestSpread(*set);
        const bool ohm = !std::isnan(s.ohmPct);
        const bool deg = !std::isnan(s.deg);
        o.insert(
            QStringLiteral("repeats"),
            QJsonObject{
                {QStringLiteral("file"), repeatFilePath(doc.dataFileName())},
                {QStringLiteral("sweeps"), set->count()},
                {QStringLiteral("planned"), set->planned()},
                {QStringLiteral("partial"), set->isPartial()},
                {QStringLiteral("sdOhmPctMax"), jsonFloat(float(s.ohmPct))},
                {QStringLiteral("sdOhmPctMaxHz"), ohm ? jsonFloat(float(s.ohmHz)) : QJsonValue()},
                {QStringLiteral("sdDegMax"), jsonFloat(float(s.deg))},
                {QStringLiteral("sdDegMaxHz"), deg ? jsonFloat(float(s.degHz)) : QJsonValue()},
            });
    }
    return o;
}
