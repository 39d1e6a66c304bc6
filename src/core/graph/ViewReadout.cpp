#include "core/graph/ViewReadout.h"

#include "core/graph/DecimalFormat.h"
#include "core/graph/ReadoutFormat.h"
#include "core/graph/ViewFrame.h"

#include <QCoreApplication>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ViewReadout", text);
}

QString ohms(double v)
{
    return formatDecimal(v, "#0.00") + QStringLiteral("[Ω]");
}

QString degrees(double v)
{
    return formatDecimal(v, "#0.0") + QStringLiteral("[deg]");
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
           part(QT_TRANSLATE_NOOP("ViewReadout", "R："), ohms(pointR(curve, index))) +
           part(QT_TRANSLATE_NOOP("ViewReadout", "X："), ohms(pointX(curve, index)));
}

QString nyquistReadoutText(const CurveBlock &curve, int index)
{
    return rxReadoutText(curve, index) +
           part(QT_TRANSLATE_NOOP("ViewReadout", "|Z|："), ohms(curve.r[index])) +
           part(QT_TRANSLATE_NOOP("ViewReadout", "θ："), degrees(curve.theta[index]));
}

QString differenceReadoutText(const ComparePoint &point, bool withPhase)
{
    QString text = readoutPrefix() + formatHertz(float(point.fHz)) +
                   part(QT_TRANSLATE_NOOP("ViewReadout", "Δ|Z|："),
                        ohms(point.diffOhm) + QStringLiteral(" (") +
                            formatDecimal(point.diffPct, "#0.00") + QStringLiteral("[%])"));
    if (withPhase)
        text += part(QT_TRANSLATE_NOOP("ViewReadout", "Δθ："), degrees(point.phaseDiffDeg));
    return text;
}

QString ratioReadoutText(const ComparePoint &point)
{
    return readoutPrefix() + formatHertz(float(point.fHz)) +
           part(QT_TRANSLATE_NOOP("ViewReadout", "|Zm/Zref|："),
                formatDecimal(point.ratioDb, "#0.00") + QStringLiteral("[dB]")) +
           part(QT_TRANSLATE_NOOP("ViewReadout", "Δθ："), degrees(point.phaseDiffDeg));
}
