#include "core/qc/QcLimitsBuild.h"

#include "core/qc/QcMessages.h"
#include "core/qc/QcUnitValues.h"

QString makeQcLimits(const QVector<QcGolden> &golden, const QcLimitsOptions &options, QcLimits *out)
{
    if (golden.isEmpty())
        return QcMessages::noGolden();
    const int band = golden.first().band;
    double reSum = 0.0;
    for (const QcGolden &g : golden) {
        if (g.band != band)
            return QcMessages::goldenOtherBand(g.name, g.band, band);
        if (!g.raw || !measureQcUnit(*g.raw, band, 1.0).complete)
            return QcMessages::goldenIncomplete(g.name);
        reSum += estimateRe(*g.raw, band);
    }
    const double re = options.re > 0.0 ? options.re : reSum / double(golden.size());

    QVector<double> values[kQcParameterCount];
    for (const QcGolden &g : golden) {
        const QcUnitValues v = measureQcUnit(*g.raw, band, re);
        if (!v.resonance) {
            // A peak without Thiele-Small values: Re does not fit this driver.
            return v.peak ? QcMessages::goldenBadRe(QString::number(re, 'g', 6), g.name)
                          : QcMessages::goldenNoResonance(g.name);
        }
        for (int p = 0; p < kQcParameterCount; ++p)
            values[p].append(v.parameters[p]);
    }

    QcLimits l;
    l.name = options.name;
    l.band = band;
    l.goldenCount = int(golden.size());
    l.k = options.k;
    l.tolerancePct = options.tolerancePct;
    l.re = re;
    for (int p = 0; p < kQcParameterCount; ++p)
        l.parameters[p] = toleranceWindow(values[p], options.k, options.tolerancePct);
    for (int i = bandFirstIndex(band); i <= bandLastIndex(band); ++i) {
        QVector<double> z;
        double f = 0.0;
        for (const QcGolden &g : golden) {
            z.append(g.raw->r[i]);
            f += g.raw->freq[i];
        }
        l.points.append(
            {i, f / double(golden.size()), toleranceWindow(z, options.k, options.tolerancePct)});
    }
    *out = l;
    return QString();
}
