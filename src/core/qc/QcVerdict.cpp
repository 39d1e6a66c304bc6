#include "core/qc/QcVerdict.h"

#include "core/qc/QcMessages.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <cmath>

namespace {

const char *const kUnits[kQcParameterCount] = {"Hz", "ohm", "", "", "", "ohm"};

QString number(double v)
{
    return QString::number(v, 'g', 5);
}

QString frequency(double hz)
{
    return QString::number(hz, 'f', hz < 1000.0 ? 1 : 0);
}

} // namespace

double qcComparedRe(const QcLimits &limits, double measuredRe, const CoilTemperature &coil)
{
    return limits.reAt20C ? reAt20C(measuredRe, coil) : measuredRe;
}

QString checkQcUnit(const QcLimits &limits, const CurveBlock &raw, int band, QcVerdict *out,
                    const CoilTemperature &coil)
{
    if (band != limits.band)
        return QcMessages::otherBand(limits.source, limits.bandLine, limits.band, band);
    QcVerdict v;
    // A fast sweep's unit and a whole band's are judged alike: on the sweep's points only.
    v.values = measureQcUnit(raw, limits.valuesBand(), limits.re);
    if (!v.values.resonance)
        v.failures << QcMessages::noResonance();
    for (int p = 0; p < kQcParameterCount; ++p) {
        const double value = v.values.parameters[p];
        const QcWindow &w = limits.parameters[p];
        const QString name = QLatin1String(kQcParameterNames[p]);
        if (std::isnan(value)) {
            v.parameterFailed[p] = true;
        } else if (!w.contains(value)) {
            v.parameterFailed[p] = true;
            v.failures << QcMessages::parameterOutside(name, number(value), number(w.low),
                                                       number(w.high), QLatin1String(kUnits[p]));
        }
    }
    if (limits.reWindow) {
        v.re = qcComparedRe(limits, estimateRe(raw, limits.valuesBand()), coil);
        if (!limits.reWindow->contains(v.re))
            v.failures << QcMessages::parameterOutside(
                limits.reAt20C ? QStringLiteral("Re (20 °C)") : QStringLiteral("Re"), number(v.re),
                number(limits.reWindow->low), number(limits.reWindow->high), QStringLiteral("ohm"));
    }
    // Neighbouring points out on the same side make one range.
    int missing = 0;
    int lastOut = -2;
    for (const QcBandPoint &pt : limits.points) {
        if (!limits.judges(pt.index))
            continue;
        const float r = raw.r[pt.index];
        if (r < 0.0f) {
            ++missing;
            continue;
        }
        if (pt.z.contains(r))
            continue;
        const bool above = r > pt.z.high;
        const double f = raw.freq[pt.index];
        if (lastOut == pt.index - 1 && v.outside.last().above == above)
            v.outside.last().toHz = f;
        else
            v.outside.append({f, f, above});
        lastOut = pt.index;
    }
    for (const QcBandRange &r : v.outside)
        v.failures << QcMessages::bandOutside(frequency(r.fromHz), frequency(r.toHz), r.above);
    if (missing > 0)
        v.failures << QcMessages::pointsMissing(missing);
    v.passed = v.failures.isEmpty();
    *out = v;
    return QString();
}

QcRecord qcRecordOf(const QcVerdict &verdict, const QcLimits &limits, const QString &serial)
{
    QcRecord r;
    r.serial = serial;
    r.limitsName = limits.title();
    r.band = limits.band;
    r.passed = verdict.passed;
    r.failures = verdict.failures;
    for (int p = 0; p < kQcParameterCount; ++p)
        r.parameters.append({QLatin1String(kQcParameterNames[p]), verdict.values.parameters[p],
                             limits.parameters[p].low, limits.parameters[p].high});
    return r;
}

QString newQcRunId(const QDateTime &timeUtc)
{
    static QAtomicInt counter;
    return timeUtc.toUTC().toString(QStringLiteral("yyyyMMddTHHmmsszzz")) + QLatin1Char('-') +
           QString::number(QCoreApplication::applicationPid()) + QLatin1Char('-') +
           QString::number(counter.fetchAndAddRelaxed(1) + 1).rightJustified(4, QLatin1Char('0'));
}
