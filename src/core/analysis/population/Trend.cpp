#include "core/analysis/population/Trend.h"

#include <cmath>

bool isSettled(const std::vector<double> &fsInOrder, double pct)
{
    if (fsInOrder.size() < 2)
        return false;
    const double before = fsInOrder[fsInOrder.size() - 2];
    const double last = fsInOrder.back();
    if (!(before > 0.0) || !std::isfinite(last))
        return false;
    return std::abs(last - before) / before * 100.0 < pct;
}
