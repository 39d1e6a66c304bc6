#include "core/analysis/PeakSearch.h"

#include "core/analysis/AnalysisSmoothing.h"

namespace {

// The shape thresholds keep the precision they were written with: the flat-top allowance is a
// float, the rise and fall steps are doubles. Each comparison is made in extended precision.
constexpr float kFlatTop = 1.0f;
constexpr double kStep = 0.1;
constexpr double kWideStep = 0.2;

long double plus(float value, double constant)
{
    return (long double)value + constant;
}

// Index of the largest R in from..to; the first of equal maxima wins. -1 when none is above 0.
int highestIndex(const float *r, int from, int to)
{
    int best = -1;
    float bestR = 0.0f;
    for (int i = from; i <= to; ++i) {
        if (r[i] > bestR) {
            bestR = r[i];
            best = i;
        }
    }
    return best;
}

bool inRange(int first, int last)
{
    return first >= 0 && last < kRecordSlots && first <= last;
}

} // namespace

bool isSharpPeak(const CurveBlock &raw, int first, int last, int k, int *peak)
{
    if (!inRange(first, last) || k < first + 6 || k + 6 > last)
        return false;
    const float *R = raw.r;
    const bool shape = plus(R[k - 6], kStep) < R[k - 3] && plus(R[k - 3], kStep) < R[k] &&
                       plus(R[k + 3], kStep) < R[k] && plus(R[k + 6], kStep) < R[k + 3];
    if (!shape)
        return false;
    const int best = highestIndex(R, k - 6, k + 6);
    if (best < 0)
        return false;
    *peak = best;
    return true;
}

bool isBroadPeak(const CurveBlock &raw, const CurveBlock &smooth, int first, int last, int k,
                 int *peak)
{
    if (!inRange(first, last) || k < first + 30 || k + 30 > last)
        return false;
    const float *S = smooth.r;
    // The rise on the left allows equality at the outer step, the fall on the right does not.
    const bool shape = (long double)S[k - 10] + kFlatTop > S[k] &&
                       (long double)S[k + 10] + kFlatTop > S[k] &&
                       plus(S[k - 30], kWideStep) <= S[k - 20] && plus(S[k - 20], kStep) < S[k] &&
                       plus(S[k + 20], kStep) < S[k] && plus(S[k + 30], kWideStep) < S[k + 20];
    if (!shape)
        return false;
    const int best = highestIndex(raw.r, k - 20, k + 20);
    if (best < 0)
        return false;
    *peak = best;
    return true;
}

PeakList findPeaks(const CurveBlock &raw, const CurveBlock &smooth, int first, int last)
{
    PeakList list;
    if (!inRange(first, last))
        return list;
    auto record = [&](int a) {
        if (list.peakCount == 0) {
            list.Rmax = raw.r[a];
            list.Fs = raw.freq[a];
        }
        list.peakIndex[list.peakCount++] = a;
    };
    auto listed = [&](int a) {
        for (int j = 0; j < list.peakCount; ++j)
            if (list.peakIndex[j] == a)
                return true;
        return false;
    };

    int k = first;
    while (k <= last) {
        int a = -1;
        if (isSharpPeak(raw, first, last, k, &a)) {
            record(a);
            if (list.peakCount == kMaxPeaks)
                break;
            k += 7;
        } else if (isBroadPeak(raw, smooth, first, last, k, &a)) {
            if (listed(a)) {
                ++k;
                continue;
            }
            record(a);
            if (list.peakCount == kMaxPeaks)
                break;
            k += 31;
        } else {
            ++k;
        }
    }
    return list;
}

bool analysisRange(const CurveBlock &raw, int band, int *first, int *last)
{
    if (!isValidBand(band))
        return false;
    int end = bandLastIndex(band);
    while (end >= bandFirstIndex(band) && !(raw.r[end] >= 0.0f))
        --end;
    if (end < bandFirstIndex(band))
        return false;
    int start = bandFirstIndex(band);
    while (!(raw.r[start] >= 0.0f))
        ++start;
    *first = start;
    *last = end;
    return true;
}

PeakList searchBand(const CurveBlock &raw, CurveBlock &smooth, int band)
{
    int first = 0;
    int last = 0;
    if (!analysisRange(raw, band, &first, &last))
        return PeakList();
    smoothForAnalysis(raw, smooth, first, last);
    return findPeaks(raw, smooth, first, last);
}
