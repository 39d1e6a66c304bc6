#include "core/graph/ViewReadout.h"

#include "core/graph/CursorReadout.h"
#include "core/graph/DecimalFormat.h"
#include "core/graph/ReadoutFormat.h"
#include "core/model/BandTable.h"

#include <QCoreApplication>
#include <cmath>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ViewReadout", text);
}

// Names marked for the catalogue where they are used, translated here.
QString part(const char *name, const QString &value)
{
    return readoutSeparator() + tr(name) + value;
}

} // namespace

QString rxReadoutText(const CurveBlock &curve, int index)
{
    return readoutPrefix() + formatHertz(curve.freq[index]) +
           part(QT_TRANSLATE_NOOP("ViewReadout", "R："), formatOhms(pointR(curve, index))) +
           part(QT_TRANSLATE_NOOP("ViewReadout", "X："), formatOhms(pointX(curve, index)));
}

QString nyquistReadoutText(const CurveBlock &curve, int index)
{
    return rxReadoutText(curve, index) +
           part(QT_TRANSLATE_NOOP("ViewReadout", "|Z|："), formatOhms(curve.r[index])) +
           part(QT_TRANSLATE_NOOP("ViewReadout", "θ："), formatDegrees(curve.theta[index]));
}

QString differenceReadoutText(const ComparePoint &point, bool withPhase)
{
    QString text = readoutPrefix() + formatHertz(float(point.fHz)) +
                   part(QT_TRANSLATE_NOOP("ViewReadout", "Δ|Z|："),
                        formatOhms(point.diffOhm) + QStringLiteral(" (") +
                            formatDecimal(point.diffPct, "#0.00") + QStringLiteral("[%])"));
    if (withPhase)
        text += part(QT_TRANSLATE_NOOP("ViewReadout", "Δθ："), formatDegrees(point.phaseDiffDeg));
    return text;
}

QString ratioReadoutText(const ComparePoint &point)
{
    return readoutPrefix() + formatHertz(float(point.fHz)) +
           part(QT_TRANSLATE_NOOP("ViewReadout", "|Zm/Zref|："),
                formatDecimal(point.ratioDb, "#0.00") + QStringLiteral("[dB]")) +
           part(QT_TRANSLATE_NOOP("ViewReadout", "Δθ："), formatDegrees(point.phaseDiffDeg));
}

std::optional<QString> viewCursorReadout(const ReadoutCurves &curves, const ViewFrame &frame,
                                         int band, QPoint at, bool along)
{
    if (!curves.measurement || curves.measurement->valid == 0 || !curves.curve ||
        !isValidBand(band) || frame.plot.width() <= 0)
        return std::nullopt;
    const CurveBlock &c = *curves.curve;
    int j = kNoPoint;
    if (frame.view == GraphView::Nyquist && !along) {
        j = nearestNyquistPoint(frame, c, band, at);
    } else {
        double f = frame.xAt(at.x());
        if (frame.view == GraphView::Nyquist) {
            const double lo = std::log10(double(bandStartHz(band)));
            const double hi = std::log10(double(bandEndHz(band)));
            f = std::pow(10.0, lo + (hi - lo) * at.x() / frame.plot.width());
        }
        j = nearestPointIndex(c, band, float(f));
    }
    if (j < 0 || j == kNoPoint || c.r[j] < 0.0f)
        return std::nullopt;
    switch (frame.view) {
    case GraphView::ZPhase:
        // The point text itself, as the classic chart reads it.
        return recordPointReadout(*curves.measurement, j);
    case GraphView::RX:
        return rxReadoutText(c, j);
    case GraphView::Nyquist:
        return nyquistReadoutText(c, j);
    case GraphView::Diff:
    case GraphView::Ratio:
        break;
    }
    if (!curves.reference)
        return std::nullopt;
    for (const ComparePoint &p : compareCurves(c, *curves.reference, band).points) {
        if (p.index == j)
            return frame.view == GraphView::Diff ? differenceReadoutText(p, curves.withPhase)
                                                 : ratioReadoutText(p);
    }
    return std::nullopt;
}
