#include "core/graph/AxisLabels.h"

#include "core/graph/AxisMath.h"

#include <cmath>
#include <cstdlib>

std::optional<ColorRef> axisLabelColor(const Settings &settings, int entry)
{
    if (entry >= kRTickFirst && entry <= kRUnitLabel)
        return settings.colorR;
    if (entry >= kThetaTickFirst && entry <= kThetaUnitLabel)
        return settings.colorTheta;
    return std::nullopt;
}

QString rUnitText()
{
    return QStringLiteral("[Ω]");
}
QString thetaUnitText()
{
    return QStringLiteral("[deg]");
}
QString frequencyUnitText()
{
    return QStringLiteral("[Hz]");
}

namespace {

// Which walked frequencies carry a label: the ends, decades, three times a decade, and on
// narrow axes also two and five times a decade. A start at 250 stays bare.
bool isLabelled(double g, int a, int b, bool narrow)
{
    if (g == a && a != 250)
        return true;
    if (g == b)
        return true;
    if (isDecade(g) || isDecade(g / 3))
        return true;
    return narrow && (isDecade(g / 2) || isDecade(g / 5));
}

} // namespace

std::optional<QVector<FrequencyTick>> frequencyTicks(const GraphScale &scale, int width)
{
    const int a = axisStartHz(float(scale.fStartHz));
    const int b = axisEndHz(float(scale.fEndHz));
    const bool narrow = b / a < 250;
    const LogAxis axis = frequencyAxis(scale);
    if (!axis.usable())
        return std::nullopt;
    QVector<FrequencyTick> ticks;
    double g = a;
    while (b >= g && ticks.size() < kFreqTickSlots) {
        if (isLabelled(g, a, b, narrow))
            ticks.append({g, axis.x(g, width), frequencyTickText(g)});
        g = nextGridHz(g);
    }
    return ticks;
}

QString frequencyTickText(double hz)
{
    const long long n = (long long)std::trunc(hz);
    if (hz < 1000)
        return QString::number(n);
    return QString::number(n / 1000) + QLatin1Char('k');
}

QString rTickText(float rMax, int i)
{
    if (i == kLevelTicks - 1)
        return QStringLiteral("0.0");
    const long double tenths = ((long double)rMax - (long double)rMax / 10 * i) * 10;
    // Scales are never below 10, so every tick has at least two digits; a single digit would
    // still keep its leading zero ("0.5", never ".5").
    QString digits = QStringLiteral("%1").arg(truncToInt(tenths), 2, 10, QLatin1Char('0'));
    digits.insert(digits.size() - 1, QLatin1Char('.'));
    return digits;
}

int thetaTickValue(float thetaMin, float thetaMax, int i)
{
    return truncToInt((long double)thetaMax - ((long double)thetaMax - thetaMin) / 10 * i);
}

QString formatThetaTick(int v)
{
    QString text = QString::number(std::abs((long long)v));
    for (int pad = 0; pad < 2 && text.size() < 3; ++pad)
        text.prepend(QLatin1Char(' '));
    text.prepend(v >= 0 ? QLatin1Char('+') : QLatin1Char('-'));
    return text;
}

QPoint frequencyTickPosition(int boxLeft, int boxBottom, int x, QSize label)
{
    return {boxLeft + x - label.width() / 2 + 2, boxBottom + 5};
}

QPoint frequencyUnitPosition(int boxRight, int boxBottom, QSize label)
{
    return {boxRight - label.width() / 2, boxBottom + 5 + label.height()};
}

QPoint rTickPosition(int boxTop, int boxLeft, int bitmapHeight, int i, QSize label)
{
    return {boxLeft - label.width() - 5, boxTop + i * bitmapHeight / 10 - label.height() / 2 + 2};
}

QPoint rUnitPosition(int boxTop, int boxLeft, QSize label)
{
    return {boxLeft, boxTop - label.height() - 2};
}

QPoint thetaTickPosition(int boxTop, int boxRight, int bitmapHeight, int i, QSize label)
{
    return {boxRight + 5, boxTop + i * bitmapHeight / 10 - label.height() / 2 + 2};
}

QPoint thetaUnitPosition(int boxTop, int boxRight, QSize label)
{
    return {boxRight - label.width() - 5, boxTop - label.height() - 2};
}

namespace {

int printedLevelY(int plotTop, int plotHeight, int i, int textHeight)
{
    return plotTop + plotHeight * i / 10 - textHeight / 2;
}

int printedUnitY(int plotTop, QSize label, float scale)
{
    return truncToInt(plotTop - (long double)label.height() * scale - 2.0L * scale);
}

} // namespace

void printRLabelPositions(const LabelSizes &sizes, int xs[12], int ys[12], int plotLeft,
                          int plotTop, int plotHeight, float scale, int textHeight)
{
    for (int i = 0; i < kLevelTicks; ++i) {
        const QSize label = sizes[kRTickFirst + i];
        xs[i] = truncToInt(plotLeft - (long double)label.width() * scale - 10.0L * scale);
        ys[i] = printedLevelY(plotTop, plotHeight, i, textHeight);
    }
    xs[11] = plotLeft;
    ys[11] = printedUnitY(plotTop, sizes[kRUnitLabel], scale);
}

void printThetaLabelPositions(const LabelSizes &sizes, int xs[12], int ys[12], int plotRight,
                              int plotTop, int plotHeight, float scale, int textHeight)
{
    for (int i = 0; i < kLevelTicks; ++i) {
        xs[i] = truncToInt(plotRight + 10.0L * scale);
        ys[i] = printedLevelY(plotTop, plotHeight, i, textHeight);
    }
    const QSize unit = sizes[kThetaUnitLabel];
    xs[11] = truncToInt(plotRight - (long double)unit.width() * scale - 5.0L * scale);
    ys[11] = printedUnitY(plotTop, unit, scale);
}

void printFrequencyLabelPositions(const LabelSizes &sizes, const GraphScale &scale, int xs[11],
                                  int ys[11], int plotLeft, int plotBottom, int plotWidth,
                                  float printScale, int textHeight)
{
    const auto ticks = frequencyTicks(scale, plotWidth);
    if (!ticks)
        return;
    for (int k = 0; k < ticks->size(); ++k) {
        const QSize label = sizes[kFreqTickFirst + k];
        xs[k] = truncToInt(plotLeft + (long double)ticks->at(k).x -
                           (long double)label.width() * printScale * 0.5L);
        ys[k] = truncToInt(plotBottom + 5.0L * printScale);
    }
    const QSize unit = sizes[kFreqUnitLabel];
    xs[10] = truncToInt((long double)plotLeft + plotWidth -
                        (long double)unit.width() * printScale * 0.5L);
    ys[10] = truncToInt((long double)plotBottom + textHeight + 10.0L * printScale);
}
