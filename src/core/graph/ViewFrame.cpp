#include "core/graph/ViewFrame.h"

#include "core/graph/AxisMath.h"
#include "core/model/BandTable.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kNiceMantissas[] = {1.0, 2.0, 2.5, 5.0, 10.0};
constexpr int kLevelBands = 10;

double level(const ViewAxis &axis, int i)
{
    return axis.valueAt(1.0 - double(i) / kLevelBands);
}

} // namespace

double ViewAxis::fraction(double v) const
{
    if (log)
        return (std::log10(v) - std::log10(lo)) / (std::log10(hi) - std::log10(lo));
    return (v - lo) / (hi - lo);
}

double ViewAxis::valueAt(double f) const
{
    if (log)
        return std::pow(10.0, std::log10(lo) + f * (std::log10(hi) - std::log10(lo)));
    return lo + f * (hi - lo);
}

// A hair over, so that a value exactly on a pixel boundary does not truncate to the one before.
constexpr double kOnBoundary = 1e-9;

int ViewFrame::xPixel(double v) const
{
    if (ohmsPerPixel > 0)
        return truncToInt((v - x.lo) / ohmsPerPixel + kOnBoundary);
    return truncToInt((long double)plot.width() * x.fraction(v));
}

int ViewFrame::leftPixel(double v) const
{
    if (ohmsPerPixel > 0)
        return truncToInt(plot.height() - (v - left.lo) / ohmsPerPixel + kOnBoundary);
    return truncToInt((long double)plot.height() * (1.0 - left.fraction(v)));
}

int ViewFrame::rightPixel(double v) const
{
    return truncToInt((long double)plot.height() * (1.0 - right.fraction(v)));
}

double ViewFrame::xAt(int px) const
{
    return plot.width() > 0 ? x.valueAt(double(px) / plot.width()) : x.lo;
}

double ViewFrame::leftAt(int py) const
{
    return plot.height() > 0 ? left.valueAt(1.0 - double(py) / plot.height()) : left.lo;
}

double ViewFrame::rightAt(int py) const
{
    return plot.height() > 0 ? right.valueAt(1.0 - double(py) / plot.height()) : right.lo;
}

double ViewFrame::leftTick(int i) const
{
    return level(left, i);
}

double ViewFrame::rightTick(int i) const
{
    return level(right, i);
}

double niceStep(double v)
{
    if (!(v > 0.0) || !std::isfinite(v))
        return 1.0;
    const double decade = std::pow(10.0, std::floor(std::log10(v)));
    for (double m : kNiceMantissas)
        if (m * decade >= v * (1.0 - 1e-12))
            return m * decade;
    return 10.0 * decade;
}

double nextNiceStep(double step)
{
    return niceStep(step * 1.000001);
}

QString viewTickText(double v, double step)
{
    int decimals = 0;
    for (double s = step; decimals < 6 && std::abs(s - std::round(s)) > 1e-9 * std::max(1.0, s);
         s *= 10.0)
        ++decimals;
    if (std::abs(v) < step * 1e-6)
        v = 0.0;
    return QString::number(v, 'f', decimals);
}

double nyquistFrame(ViewFrame &frame, double rMin, double rMax, double xMin, double xMax)
{
    frame.view = GraphView::Nyquist;
    frame.hasRight = false;
    const double w = std::max(frame.plot.width(), 1);
    const double h = std::max(frame.plot.height(), 1);
    const double widthInBands = kLevelBands * w / h;
    double step =
        niceStep(std::max({(xMax - xMin) / kLevelBands, (rMax - rMin) / widthInBands, 1e-3}));
    for (int tries = 0; tries < 8; ++tries, step = nextNiceStep(step)) {
        // Of the level ranges on whole steps that hold the curve, the one centred best on it,
        // and of two as good the one centred nearer X = 0.
        const int lowest = int(std::ceil(xMax / step - 1e-9)) - kLevelBands;
        const int highest = int(std::floor(xMin / step + 1e-9));
        const double mid = (xMin + xMax) / 2.0;
        int best = lowest;
        auto offCentre = [&](int k) { return std::abs((k + kLevelBands / 2.0) * step - mid); };
        for (int k = lowest + 1; k <= highest; ++k) {
            const double d = offCentre(k) - offCentre(best);
            if (d < -1e-9 * step || (d < 1e-9 * step && std::abs(k + kLevelBands / 2.0) <
                                                            std::abs(best + kLevelBands / 2.0)))
                best = k;
        }
        const double xLo = best * step;
        const double rLo = std::floor(rMin / step) * step;
        if (lowest <= highest && rLo + widthInBands * step >= rMax) {
            frame.left = {xLo, xLo + kLevelBands * step, false};
            frame.x = {rLo, rLo + widthInBands * step, false};
            frame.right = frame.left;
            frame.ohmsPerPixel = kLevelBands * step / h;
            return step;
        }
    }
    const double xLo = std::floor(xMin / step) * step;
    frame.left = {xLo, xLo + kLevelBands * step, false};
    frame.x = {std::floor(rMin / step) * step, std::floor(rMin / step) * step + widthInBands * step,
               false};
    frame.right = frame.left;
    frame.ohmsPerPixel = kLevelBands * step / h;
    return step;
}

QVector<double> nyquistGridValues(const ViewFrame &frame, double step)
{
    QVector<double> values;
    for (int k = 1; frame.x.lo + k * step < frame.x.hi - step * 1e-6; ++k)
        values << frame.x.lo + k * step;
    return values;
}

double pointR(const CurveBlock &curve, int index)
{
    return double(curve.r[index]) * std::cos(double(curve.theta[index]) * kPi / 180.0);
}

double pointX(const CurveBlock &curve, int index)
{
    return double(curve.r[index]) * std::sin(double(curve.theta[index]) * kPi / 180.0);
}

int nearestNyquistPoint(const ViewFrame &frame, const CurveBlock &curve, int band, QPoint pixel)
{
    if (!isValidBand(band))
        return -1;
    int best = -1;
    double bestDistance = std::numeric_limits<double>::max();
    const int last = std::min(bandLastIndex(band), kRecordSlots - 1);
    for (int j = std::max(bandFirstIndex(band), 0); j <= last; ++j) {
        if (!(curve.r[j] >= 0 && curve.freq[j] > 0))
            continue;
        const double dx = frame.xPixel(pointR(curve, j)) - pixel.x();
        const double dy = frame.leftPixel(pointX(curve, j)) - pixel.y();
        const double d = dx * dx + dy * dy;
        if (d < bestDistance) {
            bestDistance = d;
            best = j;
        }
    }
    return best;
}
