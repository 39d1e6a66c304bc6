#include "core/analysis/AnalysisSmoothing.h"

namespace {

// The means are summed and scaled in extended precision, then stored as floats.
constexpr long double kThird = 0.33333333333333333334L;
constexpr long double kFifth = 0.2L;

void smooth5(const float *in, float *out, int first, int last)
{
    out[first] = in[first];
    out[first + 1] = float(((long double)in[first] + in[first + 1] + in[first + 2]) * kThird);
    for (int i = first + 2; i <= last - 2; ++i)
        out[i] =
            float(((long double)in[i - 2] + in[i - 1] + in[i] + in[i + 1] + in[i + 2]) * kFifth);
    out[last - 1] = float(((long double)in[last - 2] + in[last - 1] + in[last]) * kThird);
    out[last] = in[last];
}

} // namespace

void smoothForAnalysis(const CurveBlock &raw, CurveBlock &smooth, int first, int last)
{
    if (first < 0 || last >= kRecordSlots || last - first < 2)
        return;
    smooth5(raw.r, smooth.r, first, last);
    smooth5(raw.theta, smooth.theta, first, last);
}
