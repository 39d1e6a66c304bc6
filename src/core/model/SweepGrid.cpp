#include "core/model/SweepGrid.h"

#include "core/model/BandTable.h"

#include <cmath>

namespace {

struct Anchor {
    int index;
    double hz;
};

constexpr Anchor kAnchors[] = {{0, 10},     {40, 20},    {91, 50},     {183, 250},   {223, 500},
                               {263, 1000}, {303, 2000}, {399, 10000}, {439, 20000}, {539, 100000}};

} // namespace

double gridFrequencyHz(int index)
{
    if (index <= 0)
        return kAnchors[0].hz;
    if (index >= kGridPoints - 1)
        return kAnchors[std::size(kAnchors) - 1].hz;
    for (std::size_t k = 1; k < std::size(kAnchors); ++k) {
        const Anchor &a = kAnchors[k - 1];
        const Anchor &b = kAnchors[k];
        if (index <= b.index) {
            const double t = double(index - a.index) / double(b.index - a.index);
            return a.hz * std::pow(b.hz / a.hz, t);
        }
    }
    return kAnchors[std::size(kAnchors) - 1].hz;
}
