#include "core/analysis/RepeatThieleSmall.h"

#include "core/analysis/AnalysisMessages.h"
#include "core/analysis/PeakSearch.h"
#include "core/analysis/ThieleSmall.h"
#include "core/analysis/TsWorksheet.h"
#include "core/model/BandTable.h"

#include <cmath>
#include <limits>
#include <memory>

namespace {

const char *const kWindowKeys[kTsValueCount] = {"Re", "Rmax", "Fs",  "r0",  "Rx",
                                                "f1", "f2",   "Qms", "Qes", "Qts"};
const char *const kClassicKeys[] = {"Re_Ohm", "Rmax_Ohm", "Fs_Hz", "r0",  "Rx_Ohm", "f1_Hz",
                                    "f2_Hz",  "Qms",      "Qes",   "Qts", "EBP_Hz"};

using Values = std::map<QString, double>;

// Both computations on one curve; the refusal of the first that gave none.
QString computeBoth(const CurveBlock &raw, int band, double re, Values &window, Values &classic)
{
    auto smooth = std::make_unique<CurveBlock>();
    const PeakList peaks = searchBand(raw, *smooth, band);
    int first = 0;
    int last = 0;
    analysisRange(raw, band, &first, &last);
    TsParameters p;
    const TsResult result = computeTs(raw, first, last, peaks, float(re), p);
    if (result != TsResult::Ok)
        return AnalysisMessages::forResult(result).text;
    const auto values = tsValues(p);
    for (int i = 0; i < kTsValueCount; ++i)
        window[QLatin1String(kWindowKeys[i])] = values[std::size_t(i)];

    TsWorksheetInput in;
    in.freeAir = {&raw, band};
    in.re = re;
    const TsWorksheetResult sheet = computeWorksheet(in);
    if (!sheet.refusal.isEmpty())
        return sheet.refusal;
    const RefinedTs &c = sheet.classic;
    const double fields[] = {c.Re, c.Rmax, c.Fs,  c.r0,  c.Rx,        c.f1,
                             c.f2, c.Qms,  c.Qes, c.Qts, c.Fs / c.Qes};
    for (std::size_t i = 0; i < std::size(kClassicKeys); ++i)
        classic[QLatin1String(kClassicKeys[i])] = fields[i];
    return QString();
}

void append(RepeatTsSeries &series, const Values &values)
{
    for (const auto &[key, value] : values)
        series.perSweep[key].push_back(value);
}

} // namespace

void sweepCurve(const RepeatSweep &sweep, CurveBlock &raw)
{
    clearCurve(raw);
    if (!isValidBand(sweep.band))
        return;
    const int first = bandFirstIndex(sweep.band);
    for (int k = 0; k < sweep.measured; ++k) {
        const auto i = std::size_t(k);
        raw.freq[first + k] = float(sweep.freqHz[i]);
        raw.r[first + k] = float(sweep.ohm[i]);
        raw.theta[first + k] = float(sweep.deg[i]);
    }
    raw.valid = 1;
}

RepeatTs repeatThieleSmall(const RepeatSet &set, double re)
{
    RepeatTs out;
    for (const char *key : kWindowKeys)
        out.window.keys << QLatin1String(key);
    for (const char *key : kClassicKeys)
        out.classic.keys << QLatin1String(key);
    auto raw = std::make_unique<CurveBlock>();
    set.meanCurve(*raw);
    out.refusal = computeBoth(*raw, set.band(), re, out.window.mean, out.classic.mean);
    if (!out.ok())
        return out;
    for (int j = 0; j < set.count(); ++j) {
        sweepCurve(set.sweeps()[std::size_t(j)], *raw);
        Values window;
        Values classic;
        out.sweepRefusals.push_back(computeBoth(*raw, set.band(), re, window, classic));
        if (!out.sweepRefusals.back().isEmpty())
            continue;
        out.sweeps.push_back(j);
        append(out.window, window);
        append(out.classic, classic);
    }
    return out;
}

TsRepeatValues repeatValues(const RepeatSet *set, double re)
{
    if (!set || set->count() < 2)
        return {};
    const RepeatTs ts = repeatThieleSmall(*set, re);
    if (!ts.ok())
        return {};
    TsRepeatValues values;
    // A value only some sweeps gave needs two at least to have a scatter.
    for (const auto &[key, list] : ts.classic.perSweep) {
        std::vector<double> given;
        for (double v : list)
            if (std::isfinite(v))
                given.push_back(v);
        if (given.size() >= 2)
            values[key] = std::move(given);
    }
    return values;
}

std::optional<WindowSpread> windowSpread(const RepeatSet &set, double re)
{
    const RepeatTs ts = repeatThieleSmall(set, re);
    if (!ts.ok() || ts.sweeps.size() < 2)
        return std::nullopt;
    WindowSpread spread;
    spread.sweeps = int(ts.sweeps.size());
    for (int i = 0; i < kTsValueCount && i < ts.window.keys.size(); ++i) {
        const auto it = ts.window.perSweep.find(ts.window.keys[i]);
        double mean = 0.0;
        double standardError = 0.0;
        const bool given =
            it != ts.window.perSweep.end() && repeatMean(it->second, &mean, &standardError);
        spread.expanded[std::size_t(i)] =
            given ? kCoverageFactor * standardError : std::numeric_limits<double>::quiet_NaN();
    }
    return spread;
}
