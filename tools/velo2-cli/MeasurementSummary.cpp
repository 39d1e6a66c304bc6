#include "MeasurementSummary.h"

#include "CliJson.h"
#include "CliMessages.h"
#include "CurveRanges.h"
#include "DocumentFiles.h"
#include "core/files/AnsiText.h"
#include "core/graph/ReadoutFormat.h"

#include <QStringList>

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

} // namespace

QString summaryText(const MeasurementDocument &doc)
{
    const int band = doc.measurement().band;
    const CurveRanges c = curveRanges(doc.curveRaw(), band);
    const QList<QPair<QString, QString>> rows = {
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
    int width = 0;
    for (const auto &row : rows)
        width = std::max(width, int(row.first.size()));
    QStringList lines{doc.dataFileName()};
    for (const auto &row : rows)
        lines << QStringLiteral("  ") + row.first.leftJustified(width + 2) + row.second;
    return lines.join(QLatin1Char('\n'));
}

QJsonObject summaryJson(const MeasurementDocument &doc)
{
    const int band = doc.measurement().band;
    const CurveRanges c = curveRanges(doc.curveRaw(), band);
    return QJsonObject{
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
}
