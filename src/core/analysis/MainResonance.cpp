#include "core/analysis/MainResonance.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

namespace {

// Whether |Z| falls to level on the side given by step before it rises above top.
bool fallsTo(const CurveBlock &raw, int from, int step, int first, int last, double level,
             double top)
{
    for (int i = from + step; i >= first && i <= last; i += step) {
        if (!(raw.r[i] <= top))
            return false;
        if (raw.r[i] <= level)
            return true;
    }
    return false;
}

} // namespace

int mainResonance(const CurveBlock &raw, int first, int last, double re)
{
    if (!(re > 0.0) || first < 0 || last >= kRecordSlots || first >= last)
        return -1;
    std::vector<int> order(std::size_t(last - first + 1));
    std::iota(order.begin(), order.end(), first);
    std::stable_sort(order.begin(), order.end(),
                     [&raw](int a, int b) { return raw.r[a] > raw.r[b]; });
    for (int k : order) {
        const double top = raw.r[k];
        if (!(top > re))
            break;
        const double rx = std::sqrt(re * top);
        if (fallsTo(raw, k, -1, first, last, rx, top) && fallsTo(raw, k, 1, first, last, rx, top))
            return k;
    }
    return -1;
}

double gridStepAt(const CurveBlock &raw, int first, int last, int k)
{
    const int a = k < last ? k : k - 1;
    if (a < first || a + 1 > last || !(raw.freq[a] > 0.0f))
        return 0.0;
    return double(raw.freq[a + 1]) / double(raw.freq[a]) - 1.0;
}

bool isTooSharpForGrid(double qms, double gridStep)
{
    // Fs / Qms < 3 · step · Fs
    return qms > 0.0 && gridStep > 0.0 && 1.0 / qms < kSharpPeakSteps * gridStep;
}
