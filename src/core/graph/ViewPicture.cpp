#include "core/graph/ViewPicture.h"

#include "core/graph/AxisMath.h"
#include "core/graph/CurvePlotter.h"
#include "core/graph/GraphColors.h"
#include "core/graph/GridPainter.h"
#include "core/graph/PenStyle.h"
#include "core/graph/ViewSeries.h"
#include "core/graph/WindowFont.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kLevelBands = 10;
// Smallest full scales, so that a flat curve still gets a readable axis.
constexpr double kMinOhmStep = 0.1;
constexpr double kMinDegreeStep = 1.0;

// The scale a log-frequency view walks: the zoom's ends rounded out to the axis steps.
GraphScale frequencyScale(const GraphScale &scale, const ViewOptions &options)
{
    GraphScale s = scale;
    if (options.zoom && options.view != GraphView::Nyquist) {
        const double a = std::min(options.zoom->left(), options.zoom->right());
        const double b = std::max(options.zoom->left(), options.zoom->right());
        if (a > 0 && b > a) {
            s.fStartHz = axisStartHz(float(a));
            s.fEndHz = axisEndHz(float(b));
        }
    }
    return s;
}

ViewAxis frequencyViewAxis(const GraphScale &s)
{
    return {double(axisStartHz(float(s.fStartHz))), double(axisEndHz(float(s.fEndHz))), true};
}

// A symmetric axis of ten bands holding ±largest.
ViewAxis symmetricAxis(double largest, double minStep)
{
    const double step = niceStep(std::max(largest / (kLevelBands / 2), minStep));
    return {-step * kLevelBands / 2, step * kLevelBands / 2, false};
}

ViewAxis fromZeroAxis(double largest, double minStep)
{
    const double step = niceStep(std::max(largest / kLevelBands, minStep));
    return {0.0, step * kLevelBands, false};
}

// Whole decades round the values; at least one.
ViewAxis logAxis(double smallest, double largest)
{
    double lo = std::pow(10.0, std::floor(std::log10(std::max(smallest, 1e-3))));
    double hi = std::pow(10.0, std::ceil(std::log10(std::max(largest, 1e-3))));
    if (!(hi > lo))
        hi = lo * 10.0;
    return {lo, hi, true};
}

QPen curvePen(ColorRef colour, int width, bool dashed)
{
    QPen pen = chartPen(colour, width);
    if (dashed) {
        pen.setStyle(Qt::DashLine);
        pen.setCapStyle(Qt::FlatCap);
    }
    return pen;
}

void drawRuns(QPainter &painter, const QVector<QPolygon> &runs, const QPen &pen)
{
    painter.setPen(pen);
    for (const QPolygon &run : runs)
        if (run.size() > 1)
            painter.drawPolyline(run);
}

// Frequency marks along a Nyquist curve: a small square at each octave of each decade (1, 2,
// 4, 8 times), a larger one and the frequency's text at each decade.
void drawFrequencyMarks(QPainter &painter, const ViewFrame &frame, const ViewCurve &curve,
                        int first, int last, const ViewPens &pens, const QFont &font)
{
    const QVector<FrequencyMark> marks = frequencyMarks(*curve.block, first, last);
    const QColor colour = toQColor(readableOn(curve.leftColour, pens.scheme));
    const int small = pens.forPrint ? 4 * pens.measurement : 1;
    painter.setFont(font);
    for (const FrequencyMark &mark : marks) {
        const QPoint p(frame.xPixel(mark.r), frame.leftPixel(mark.x));
        const int half = mark.decade ? small * 2 : small;
        painter.fillRect(QRect(p.x() - half, p.y() - half, 2 * half + 1, 2 * half + 1), colour);
        if (!mark.decade)
            continue;
        painter.setPen(colour);
        painter.drawText(p + QPoint(half + 2, -half - 2), frequencyTickText(mark.hz));
    }
}

// A box in the plot's top right corner naming each drawn curve beside a sample of its lines.
void drawLegend(QPainter &painter, const QVector<ViewCurve> &curves, bool twoColours,
                const ViewPens &pens, const QFont &font, QSize plot)
{
    QVector<const ViewCurve *> named;
    for (const ViewCurve &c : curves)
        if (!c.name.isEmpty())
            named << &c;
    if (named.isEmpty())
        return;
    const QFontMetrics metrics(font);
    const int unit = std::max(1, pens.textPixels / 3);
    const int sample = unit * 5;
    const int row = metrics.height() + unit;
    int textWidth = 0;
    for (const ViewCurve *c : named)
        textWidth = std::max(textWidth, metrics.horizontalAdvance(c->name));
    const int samples = twoColours ? 2 * sample + unit : sample;
    const int width = unit + samples + unit * 2 + textWidth + unit;
    const int height = unit + row * int(named.size());
    const QRect box(plot.width() - width - unit * 2, unit * 2, width, height);
    const ChartScheme &scheme = pens.scheme;
    painter.setPen(chartPen(scheme.frame, pens.forPrint ? pens.reference : 1));
    painter.setBrush(toQColor(scheme.background));
    painter.drawRect(box);
    painter.setBrush(Qt::NoBrush);
    painter.setFont(font);
    int y = box.top() + unit;
    for (const ViewCurve *c : named) {
        const int mid = y + row / 2;
        int x = box.left() + unit;
        painter.setPen(curvePen(readableOn(c->leftColour, scheme), c->pen, c->dashed));
        painter.drawLine(x, mid, x + sample, mid);
        if (twoColours) {
            x += sample + unit;
            painter.setPen(curvePen(readableOn(c->rightColour, scheme), c->pen, c->dashed));
            painter.drawLine(x, mid, x + sample, mid);
        }
        painter.setPen(toQColor(scheme.text));
        painter.drawText(QRect(box.left() + unit + samples + unit * 2, y, textWidth + unit, row),
                         Qt::AlignLeft | Qt::AlignVCenter, c->name);
        y += row;
    }
}

// The window's font, so that the window, the printout and velo2-cli write the same pixels.
QFont textFont(const ViewPens &pens)
{
    QFont font = windowFont();
    font.setPixelSize(std::max(pens.textPixels, 6));
    return font;
}

// Pairs (|Z| or left line, phase or right line) for references in the default colours; the
// first is the default pair itself.
constexpr ColorRef kLegendPairs[kReferenceSlots][2] = {
    {0x00808000, 0x00800080}, // teal, purple
    {0x00008000, 0x000080FF}, // green, orange
    {0x00FF00FF, 0x00004080}, // magenta, brown
    {0x00008080, 0x008080FF}, // olive, pink
    {0x00800000, 0x00000080}, // navy, maroon
};

} // namespace

Settings viewColours(const Settings &colours, const ViewOptions &options)
{
    Settings shown = colours;
    if (!options.legend)
        return shown;
    const Settings defaults;
    for (int k = 0; k < kReferenceSlots; ++k) {
        if (colours.refColorR[k] == defaults.refColorR[k] &&
            colours.refColorTheta[k] == defaults.refColorTheta[k]) {
            shown.refColorR[k] = kLegendPairs[k][0];
            shown.refColorTheta[k] = kLegendPairs[k][1];
        }
    }
    return shown;
}

ViewFrame classicViewFrame(const GraphScale &scale, QSize plot)
{
    ViewFrame frame;
    frame.plot = plot;
    frame.x = frequencyViewAxis(scale);
    frame.left = {double(scale.rMin), double(scale.rMax), false};
    frame.right = {double(scale.thetaMin), double(scale.thetaMax), false};
    return frame;
}

int compareSlot(const GraphScale &scale, int wanted)
{
    auto loaded = [&](int k) {
        return k >= 0 && k < kReferenceSlots && scale.refCurveShown[k] &&
               scale.refCurveShown[k]->valid == 1;
    };
    if (loaded(wanted))
        return wanted;
    for (int k = 0; k < kReferenceSlots; ++k)
        if (loaded(k))
            return k;
    return -1;
}

ViewDrawn drawView(QImage &bitmap, const GraphScale &scale, const Settings &colours,
                   const ViewOptions &options, const ViewSources &sources, bool rOnly,
                   bool withReferences, const ViewPens &pens)
{
    clearBitmap(bitmap, pens.scheme);
    if (bitmap.isNull()) {
        ViewDrawn drawn;
        drawn.frame.view = options.view;
        drawn.frame.plot = bitmap.size();
        drawn.frame.x = frequencyViewAxis(frequencyScale(scale, options));
        drawn.frame.left = {0.0, double(scale.rMax), false};
        drawn.frame.right = {double(scale.thetaMin), double(scale.thetaMax), false};
        return drawn;
    }
    QPainter painter(&bitmap);
    return drawView(painter, plotSizeOf(bitmap), scale, colours, options, sources, rOnly,
                    withReferences, pens);
}

ViewDrawn drawView(QPainter &painter, QSize plot, const GraphScale &scale,
                   const Settings &chosenColours, const ViewOptions &options,
                   const ViewSources &sources, bool rOnly, bool withReferences,
                   const ViewPens &pens)
{
    const Settings colours = viewColours(chosenColours, options);
    const ChartScheme &scheme = pens.scheme;
    ViewDrawn drawn;
    drawn.frame.view = options.view;
    drawn.frame.plot = plot;
    const GraphScale walked = frequencyScale(scale, options);
    fillPlot(painter, plot, scheme);
    drawn.frame.x = frequencyViewAxis(walked);
    drawn.frame.left = {0.0, double(scale.rMax), false};
    drawn.frame.right = {double(scale.thetaMin), double(scale.thetaMax), false};

    const bool classicAxes = options.view == GraphView::ZPhase && !options.logZ && !options.zoom;
    auto emptyGrid = [&] {
        drawFrequencyGrid(painter, plot, scale, pens.forPrint, scheme);
        drawLevelGrid(painter, plot, pens.forPrint, scheme);
    };

    // The classic chart with a legend over it.
    if (classicAxes) {
        emptyGrid();
        {
            CurvePlotter plotter(painter, plot, scale, colours, scheme);
            plotter.plotSpread(rOnly);
            // plotAll's order, with the references drawn when only they are loaded too.
            plotter.plotMeasurement(rOnly, pens.measurement);
            if (withReferences)
                plotter.plotReferences(rOnly, pens.reference);
            if (!pens.forPrint)
                plotter.plotFit(rOnly, pens.reference);
        }
        if (options.legend) {
            const QVector<ViewCurve> curves =
                viewCurves(scale, colours, sources, options, withReferences, !pens.forPrint, pens);
            drawLegend(painter, curves, !rOnly, pens, textFont(pens), plot);
        }
        return drawn;
    }

    if (viewNeedsReference(options.view)) {
        drawn.referenceSlot = compareSlot(scale, options.referenceSlot);
        if (drawn.referenceSlot < 0) {
            drawn.refusal = ViewRefusal::NoReference;
            emptyGrid();
            return drawn;
        }
    }
    if (viewNeedsPhase(options.view) &&
        (!sources.measurementHasPhase ||
         (options.view == GraphView::Ratio &&
          !sources.referenceHasPhase[size_t(drawn.referenceSlot)]))) {
        drawn.refusal = ViewRefusal::NoPhase;
        emptyGrid();
        return drawn;
    }

    ViewOptions used = options;
    used.referenceSlot = drawn.referenceSlot;
    const QVector<ViewCurve> curves =
        viewCurves(scale, colours, sources, used, withReferences, !pens.forPrint, pens);
    ViewSeriesSet set = viewSeries(scale, used, curves);
    drawn.uncompared = set.uncompared;
    const ViewExtent &e = set.extent;
    ViewFrame &frame = drawn.frame;

    switch (options.view) {
    case GraphView::ZPhase:
        if (options.logZ && e.any)
            frame.left = logAxis(e.leftPositiveMin, e.leftMax);
        break;
    case GraphView::RX:
        frame.left = fromZeroAxis(e.leftMax, kMinOhmStep);
        frame.right =
            symmetricAxis(std::max(std::abs(e.rightMin), std::abs(e.rightMax)), kMinOhmStep);
        break;
    case GraphView::Diff:
        frame.left = symmetricAxis(std::max(std::abs(e.leftMin), std::abs(e.leftMax)), kMinOhmStep);
        frame.right =
            symmetricAxis(std::max(std::abs(e.rightMin), std::abs(e.rightMax)), kMinDegreeStep);
        break;
    case GraphView::Ratio:
        frame.left = symmetricAxis(std::max(std::abs(e.leftMin), std::abs(e.leftMax)), kMinOhmStep);
        frame.right =
            symmetricAxis(std::max(std::abs(e.rightMin), std::abs(e.rightMax)), kMinDegreeStep);
        break;
    case GraphView::Nyquist: {
        double rMin = e.any ? std::min(e.xMin, 0.0) : 0.0;
        double rMax = e.any ? e.xMax : 10.0;
        double xMin = e.any ? e.leftMin : -5.0;
        double xMax = e.any ? e.leftMax : 5.0;
        if (options.zoom) {
            rMin = std::min(options.zoom->left(), options.zoom->right());
            rMax = std::max(options.zoom->left(), options.zoom->right());
            xMin = std::min(options.zoom->top(), options.zoom->bottom());
            xMax = std::max(options.zoom->top(), options.zoom->bottom());
        }
        drawn.nyquistStep = nyquistFrame(frame, rMin, rMax, xMin, xMax);
        break;
    }
    }
    if (options.zoom && options.view != GraphView::Nyquist) {
        // The left axis takes the zoom's range; the right one follows it in proportion.
        const double top = std::max(options.zoom->top(), options.zoom->bottom());
        const double bottom = std::min(options.zoom->top(), options.zoom->bottom());
        if (top > bottom && (!frame.left.log || bottom > 0)) {
            const double f0 = frame.left.fraction(bottom);
            const double f1 = frame.left.fraction(top);
            const ViewAxis right = frame.right;
            frame.right = {right.valueAt(f0), right.valueAt(f1), false};
            frame.left = {bottom, top, frame.left.log};
        }
    }

    // Grid.
    if (options.view == GraphView::Nyquist) {
        for (double r : nyquistGridValues(frame, drawn.nyquistStep)) {
            const bool strong = std::abs(r) < drawn.nyquistStep * 1e-6;
            painter.setPen(
                chartPen(strong ? scheme.gridStrong : scheme.grid, pens.forPrint ? 3 : 1));
            const int x = frame.xPixel(r);
            painter.drawLine(x, 0, x, plot.height());
        }
        // The level lines, the axis X = 0 in the stronger grey rather than the middle one.
        const double step = drawn.nyquistStep;
        for (int i = 1; i < kLevelBands; ++i) {
            const double x = frame.left.lo + i * step;
            const bool strong = std::abs(x) < step * 1e-6;
            painter.setPen(
                chartPen(strong ? scheme.gridStrong : scheme.grid, pens.forPrint ? 4 : 1));
            const int y = frame.leftPixel(x);
            painter.drawLine(0, y, plot.width(), y);
        }
    } else {
        drawFrequencyGrid(painter, plot, walked, pens.forPrint, scheme);
        drawLevelGrid(painter, plot, pens.forPrint, scheme);
    }

    // Curves: the measurement first, references and the fit over it, as on the classic chart.
    const bool showRight = !rOnly && frame.hasRight;
    for (const ViewSeries &s : set.series) {
        const ViewCurve &c = curves[s.curve];
        QVector<QPolygon> left, right;
        for (const QVector<ViewPoint> &run : s.runs) {
            QPolygon l, r;
            for (const ViewPoint &p : run) {
                const int x = frame.xPixel(p.x);
                l << QPoint(x, frame.leftPixel(p.left));
                if (showRight && p.hasRight)
                    r << QPoint(x, frame.rightPixel(p.right));
            }
            left << l;
            right << r;
        }
        drawRuns(painter, left, curvePen(readableOn(c.leftColour, scheme), c.pen, c.dashed));
        if (showRight)
            drawRuns(painter, right, curvePen(readableOn(c.rightColour, scheme), c.pen, c.dashed));
    }
    const QFont font = textFont(pens);
    if (options.view == GraphView::Nyquist && !curves.isEmpty() &&
        curves.front().kind == ViewCurve::Measurement && isValidBand(scale.band))
        drawFrequencyMarks(painter, frame, curves.front(), bandFirstIndex(scale.band),
                           bandLastIndex(scale.band), pens, font);
    if (options.legend)
        drawLegend(painter, set.legend, showRight, pens, font, plot);
    return drawn;
}

namespace {

void place(AxisLabelLayout &layout, int entry, const QString &text, QPoint position, QSize size)
{
    layout[size_t(entry)] = {AxisLabelAction::Show, text, QRect(position, size)};
}

// Two significant digits for a log axis tick: "1.0", "2.5", "16", "160".
QString logTickText(double v)
{
    const int decimals = std::max(0, 1 - int(std::floor(std::log10(v))));
    return QString::number(v, 'f', decimals);
}

QString leftUnit(const ViewOptions &options)
{
    switch (options.view) {
    case GraphView::RX:
        return QStringLiteral("R [Ω]");
    case GraphView::Nyquist:
        return QStringLiteral("X [Ω]");
    case GraphView::Diff:
        return options.diffPercent ? QStringLiteral("Δ|Z| [%]") : QStringLiteral("Δ|Z| [Ω]");
    case GraphView::Ratio:
        return QStringLiteral("[dB]");
    case GraphView::ZPhase:
        break;
    }
    return rUnitText();
}

QString rightUnit(const ViewOptions &options)
{
    switch (options.view) {
    case GraphView::RX:
        return QStringLiteral("X [Ω]");
    case GraphView::Diff:
    case GraphView::Ratio:
        return QStringLiteral("Δθ [deg]");
    default:
        return thetaUnitText();
    }
}

} // namespace

AxisLabelLayout layoutViewLabels(const ViewDrawn &drawn, const GraphScale &scale,
                                 const ViewOptions &options, const QRect &box, bool rOnly,
                                 const QFont &font)
{
    const ViewFrame &frame = drawn.frame;
    const QSize plot = frame.plot;
    const bool classicAxes = options.view == GraphView::ZPhase && !options.logZ && !options.zoom;
    if (classicAxes || drawn.refusal != ViewRefusal::None)
        return layoutAxisLabels(scale, box, plot, rOnly, font);
    const GraphScale walked = frequencyScale(scale, options);
    // The classic layout gives the frequency labels; the level ticks are the view's own.
    AxisLabelLayout layout = layoutAxisLabels(walked, box, plot, rOnly, font);
    const int right = box.x() + box.width();
    const int bottom = box.y() + box.height();
    const double leftStep = (frame.left.hi - frame.left.lo) / kLevelBands;
    const double rightStep = (frame.right.hi - frame.right.lo) / kLevelBands;
    for (int i = 0; i < kLevelTicks; ++i) {
        const double v = frame.leftTick(i);
        const QString text = frame.left.log ? logTickText(v) : viewTickText(v, leftStep);
        const QSize size = axisLabelSize(font, text);
        place(layout, kRTickFirst + i, text,
              rTickPosition(box.y(), box.x(), plot.height(), i, size), size);
    }
    const QString lUnit = leftUnit(options);
    place(layout, kRUnitLabel, lUnit, rUnitPosition(box.y(), box.x(), axisLabelSize(font, lUnit)),
          axisLabelSize(font, lUnit));
    if (options.view == GraphView::ZPhase) {
        // The phase axis is the classic one, and so are its labels.
    } else if (!rOnly && frame.hasRight) {
        for (int i = 0; i < kLevelTicks; ++i) {
            const QString text = viewTickText(frame.rightTick(i), rightStep);
            const QSize size = axisLabelSize(font, text);
            place(layout, kThetaTickFirst + i, text,
                  thetaTickPosition(box.y(), right, plot.height(), i, size), size);
        }
        const QString rUnit = rightUnit(options);
        const QSize size = axisLabelSize(font, rUnit);
        place(layout, kThetaUnitLabel, rUnit, thetaUnitPosition(box.y(), right, size), size);
    } else {
        for (int entry = kThetaTickFirst; entry <= kThetaUnitLabel; ++entry)
            layout[size_t(entry)].action = AxisLabelAction::Hide;
    }
    if (options.view != GraphView::Nyquist)
        return layout;

    // Nyquist: the bottom ticks are R values, every line or every other as room allows.
    const QVector<double> values = nyquistGridValues(frame, drawn.nyquistStep);
    const int every = int(values.size() + kFreqTickSlots - 1) / kFreqTickSlots;
    int k = 0;
    for (int i = 0; i < values.size() && k < kFreqTickSlots; ++i) {
        if ((i + 1) % std::max(every, 1) != 0)
            continue;
        const QString text = viewTickText(values[i], drawn.nyquistStep);
        const QSize size = axisLabelSize(font, text);
        place(layout, kFreqTickFirst + k, text,
              frequencyTickPosition(box.x(), bottom, frame.xPixel(values[i]), size), size);
        ++k;
    }
    for (; k < kFreqTickSlots; ++k)
        layout[size_t(kFreqTickFirst + k)] = {AxisLabelAction::Clear, QString(), QRect()};
    const QString unit = QStringLiteral("R [Ω]");
    const QSize size = axisLabelSize(font, unit);
    place(layout, kFreqUnitLabel, unit, frequencyUnitPosition(right, bottom, size), size);
    return layout;
}
