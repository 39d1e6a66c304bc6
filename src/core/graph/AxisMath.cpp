#include "core/graph/AxisMath.h"

#include <cmath>
#include <iterator>

namespace {

constexpr int kStartSteps[] = {100000, 50000, 20000, 10000, 9000, 8000, 7000, 5000, 3000,
                               2000,   1500,  1000,  800,   700,  500,  300,  250,  200,
                               150,    100,   70,    50,    30,   20,   15,   10};
constexpr int kEndSteps[] = {50,   70,   100,  150,  200,   250,   300,   500,   700,   1000, 1500,
                             2000, 3000, 5000, 7000, 10000, 15000, 20000, 25000, 30000, 50000};

constexpr double kGridMultipliers[] = {1.5, 2, 3, 4, 5, 6, 7, 8, 9};

constexpr long double kCoordinateBound = 1.0e7L;

// Powers of ten by repeated multiplication, exact over the whole range used here.
double powerOfTen(int exponent)
{
    double p = 1.0;
    for (int i = 0; i < exponent; ++i)
        p *= 10.0;
    for (int i = 0; i > exponent; --i)
        p /= 10.0;
    return p;
}

// Decade exponent of f. The double log10 is exact at powers of ten, which the walk needs to
// step off a decade line (the extended-precision log10 is not, e.g. at 1000).
int decadeOf(double f)
{
    return int(std::trunc(std::log10(f)));
}

} // namespace

int axisStartHz(float f)
{
    for (int v : kStartSteps)
        if (float(v) <= f)
            return v;
    return 5;
}

int axisEndHz(float f)
{
    for (int v : kEndSteps)
        if (float(v) >= f)
            return v;
    return 100000;
}

double nextGridHz(double f)
{
    if (!(f > 0.0))
        return 1.0;
    const int c = decadeOf(f);
    const double decade = powerOfTen(c);
    const float d = float(f / decade);
    double m = 10.0;
    for (double candidate : kGridMultipliers) {
        if (candidate > d) {
            m = candidate;
            break;
        }
    }
    return decade * m;
}

bool isDecade(double f)
{
    if (!(f > 0.0))
        return false;
    return powerOfTen(decadeOf(f)) == f;
}

int truncToInt(long double v)
{
    if (std::isnan(v))
        return 0;
    if (v > kCoordinateBound)
        v = kCoordinateBound;
    if (v < -kCoordinateBound)
        v = -kCoordinateBound;
    return int(v);
}

LogAxis frequencyAxis(int startHz, int endHz)
{
    LogAxis axis;
    axis.la = float(std::log10(double(axisStartHz(float(startHz)))));
    axis.lb = float(std::log10(double(axisEndHz(float(endHz)))));
    if (axis.usable())
        axis.inv = float(1.0L / ((long double)axis.lb - axis.la));
    return axis;
}

LogAxis frequencyAxis(const GraphScale &scale)
{
    return frequencyAxis(scale.fStartHz, scale.fEndHz);
}

int LogAxis::x(double hz, int width) const
{
    return truncToInt((long double)width * (((long double)std::log10(hz) - la) * inv));
}

int mapR(float r, float rMax, int height)
{
    if (r > rMax)
        return -1;
    return truncToInt((long double)height * (1.0L - (long double)r / rMax));
}

int mapTheta(float theta, float thetaMin, float thetaMax, int height, SegmentEnd end)
{
    if (theta > thetaMax || (end == SegmentEnd::Start && theta == thetaMax))
        return -1;
    if (theta < thetaMin)
        return height;
    const long double span = (long double)thetaMax - thetaMin;
    return truncToInt((long double)height * (1.0L - ((long double)theta - thetaMin) / span));
}
