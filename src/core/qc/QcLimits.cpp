#include "core/qc/QcLimits.h"

#include <algorithm>
#include <cmath>

const char *const kQcParameterNames[kQcParameterCount] = {"Fs",  "Rmax", "Qms",
                                                          "Qes", "Qts",  "Zmin"};

bool QcLimits::judges(int index) const
{
    if (sweep.isEmpty())
        return index >= bandFirstIndex(band) && index <= bandLastIndex(band);
    for (int b : sweep)
        if (index >= bandFirstIndex(b) && index <= bandLastIndex(b))
            return true;
    return false;
}

QcWindow toleranceWindow(const QVector<double> &values, double k, double tolerancePct)
{
    if (values.isEmpty())
        return {};
    double sum = 0.0;
    for (double v : values)
        sum += v;
    const double mean = sum / double(values.size());
    double squares = 0.0;
    for (double v : values)
        squares += (v - mean) * (v - mean);
    const double sigma = values.size() > 1 ? std::sqrt(squares / double(values.size() - 1)) : 0.0;
    const double half = std::max(k * sigma, tolerancePct / 100.0 * std::fabs(mean));
    return {mean - half, mean + half};
}
