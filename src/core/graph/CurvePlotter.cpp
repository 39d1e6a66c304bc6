#include "core/graph/CurvePlotter.h"

#include "core/graph/GridPainter.h"
#include "core/graph/PenStyle.h"
#include "core/model/BandTable.h"

#include <QImage>
#include <QPaintEngine>
#include <algorithm>

CurvePlotter::CurvePlotter(QImage &target, const GraphScale &scale, const Settings &colours,
                           const ChartScheme &scheme)
    : m_size(plotSizeOf(target)), m_scale(scale), m_colours(readableColours(colours, scheme)),
      m_scheme(scheme), m_axis(frequencyAxis(scale))
{
    if (isValidBand(scale.band)) {
        m_first = bandFirstIndex(scale.band);
        m_last = bandLastIndex(scale.band);
    }
    if (!target.isNull() && m_own.begin(&target))
        m_painter = &m_own;
}

CurvePlotter::CurvePlotter(QPainter &painter, QSize plot, const GraphScale &scale,
                           const Settings &colours, const ChartScheme &scheme)
    : m_size(plot), m_scale(scale), m_colours(readableColours(colours, scheme)), m_scheme(scheme),
      m_painter(&painter), m_axis(frequencyAxis(scale))
{
    const QPaintEngine *engine = painter.paintEngine();
    m_vector =
        engine && (engine->type() == QPaintEngine::SVG || engine->type() == QPaintEngine::Pdf);
    if (isValidBand(scale.band)) {
        m_first = bandFirstIndex(scale.band);
        m_last = bandLastIndex(scale.band);
    }
}

void CurvePlotter::plotMeasurement(bool rOnly, int penWidth)
{
    const CurveBlock *curve = m_scale.curveShown;
    if (!curve || curve->valid == 0)
        return;
    plotCurve(*curve, m_first, m_last - 1, m_colours.colorR, m_colours.colorTheta, rOnly, penWidth);
}

void CurvePlotter::plotReferences(bool rOnly, int penWidth)
{
    for (int k = 0; k < kReferenceSlots; ++k) {
        const CurveBlock *curve = m_scale.refCurveShown[k];
        if (!curve || curve->valid != 1)
            continue;
        plotCurve(*curve, m_first, m_last - 1, m_colours.refColorR[k], m_colours.refColorTheta[k],
                  rOnly, penWidth);
    }
}

void CurvePlotter::plotAll(bool rOnly, int measurementPen, int referencePen)
{
    const CurveBlock *curve = m_scale.curveShown;
    if (!curve || curve->valid == 0)
        return;
    plotMeasurement(rOnly, measurementPen);
    plotReferences(rOnly, referencePen);
}

void CurvePlotter::plotFit(bool rOnly, int penWidth)
{
    const CurveBlock *curve = m_scale.fitShown;
    if (!curve || !active() || !m_axis.usable())
        return;
    // One polyline per unbroken run, so the dash pattern runs on across the points.
    QPen pen = chartPen(readableOn(m_scale.fitColor, m_scheme), penWidth);
    pen.setStyle(Qt::DashLine);
    pen.setCapStyle(Qt::FlatCap);
    m_painter->setPen(pen);
    const int w = m_size.width();
    const int h = m_size.height();
    QPolygon r, theta;
    auto flush = [&] {
        if (r.size() > 1) {
            m_painter->drawPolyline(r);
            if (!rOnly)
                m_painter->drawPolyline(theta);
        }
        r.clear();
        theta.clear();
    };
    for (int j = std::max(m_first, 0); j <= std::min(m_last, kRecordSlots - 1); ++j) {
        if (!(curve->r[j] >= 0 && curve->freq[j] > 0)) {
            flush();
            continue;
        }
        const int x = m_axis.x(curve->freq[j], w);
        r << QPoint(x, mapR(curve->r[j], m_scale.rMax, h));
        theta << QPoint(
            x, mapTheta(curve->theta[j], m_scale.thetaMin, m_scale.thetaMax, h, SegmentEnd::Start));
    }
    flush();
}

namespace {

// A light tint of a curve colour, for an area under it: mostly the background.
QColor tintOf(ColorRef colour, ColorRef background)
{
    const QColor c = toQColor(colour);
    const QColor b = toQColor(background);
    constexpr int kKeep = 30; // percent of the colour kept, the rest background
    auto mix = [](int v, int w) { return (v * kKeep + w * (100 - kKeep)) / 100; };
    return QColor(mix(c.red(), b.red()), mix(c.green(), b.green()), mix(c.blue(), b.blue()));
}

} // namespace

void CurvePlotter::plotSpread(bool rOnly)
{
    const CurveBlock *upper = m_scale.spreadUpper;
    const CurveBlock *lower = m_scale.spreadLower;
    if (!upper || !lower || !active() || !m_axis.usable())
        return;
    const int w = m_size.width();
    const int h = m_size.height();
    m_painter->setPen(Qt::NoPen);
    auto fill = [&](QPolygon &top, QPolygon &bottom, ColorRef colour) {
        if (top.size() > 1) {
            for (auto it = bottom.crbegin(); it != bottom.crend(); ++it)
                top << *it;
            m_painter->setBrush(tintOf(colour, m_scheme.background));
            m_painter->drawPolygon(top);
        }
        top.clear();
        bottom.clear();
    };
    QPolygon rTop, rBottom, thetaTop, thetaBottom;
    auto flush = [&] {
        fill(rTop, rBottom, m_colours.colorR);
        if (!rOnly)
            fill(thetaTop, thetaBottom, m_colours.colorTheta);
        thetaTop.clear();
        thetaBottom.clear();
    };
    for (int j = std::max(m_first, 0); j <= std::min(m_last, kRecordSlots - 1); ++j) {
        if (!(upper->r[j] >= 0 && lower->r[j] >= 0 && upper->freq[j] > 0)) {
            flush();
            continue;
        }
        const int x = m_axis.x(upper->freq[j], w);
        rTop << QPoint(x, mapR(upper->r[j], m_scale.rMax, h));
        rBottom << QPoint(x, mapR(lower->r[j], m_scale.rMax, h));
        thetaTop << QPoint(
            x, mapTheta(upper->theta[j], m_scale.thetaMin, m_scale.thetaMax, h, SegmentEnd::Start));
        thetaBottom << QPoint(
            x, mapTheta(lower->theta[j], m_scale.thetaMin, m_scale.thetaMax, h, SegmentEnd::Start));
    }
    flush();
    m_painter->setBrush(Qt::NoBrush);
}

void CurvePlotter::plotMeasurementPart(bool rOnly, int count, int penWidth)
{
    const CurveBlock *curve = m_scale.curveShown;
    if (!curve || count <= 0)
        return;
    plotCurve(*curve, m_first, m_first + count - 1, m_colours.colorR, m_colours.colorTheta, rOnly,
              penWidth);
}

QRect CurvePlotter::plotSegment(bool rOnly, int index, int penWidth)
{
    const CurveBlock *curve = m_scale.curveShown;
    if (!curve || index <= 0)
        return {};
    return plotCurve(*curve, index - 1, index - 1, m_colours.colorR, m_colours.colorTheta, rOnly,
                     penWidth);
}

QRect CurvePlotter::plotCurve(const CurveBlock &curve, int from, int to, ColorRef rColor,
                              ColorRef thetaColor, bool rOnly, int penWidth)
{
    if (!active() || !m_axis.usable())
        return {};
    if (m_vector) {
        plotCurveRuns(curve, from, to, rColor, thetaColor, rOnly, penWidth);
        return {};
    }
    const QPen rPen = chartPen(rColor, penWidth);
    const QPen thetaPen = chartPen(thetaColor, penWidth);
    // Segments j -> j + 1 must stay inside the record.
    from = std::max(from, 0);
    to = std::min(to, kRecordSlots - 2);
    // Drawn one by one, segment j's phase line lies under segment j + 1's R line. Lines of
    // one pen go out in a batch, so a batch ends wherever an R line would touch a phase line
    // drawn before it: the pixels stay exactly those of the one-by-one order.
    const int margin = penWidth + 1;
    QVector<QLine> rLines, thetaLines;
    QVector<QRect> thetaBoxes;
    QRect drawn;
    auto box = [margin](const QLine &l) {
        return QRect(QPoint(std::min(l.x1(), l.x2()), std::min(l.y1(), l.y2())),
                     QPoint(std::max(l.x1(), l.x2()), std::max(l.y1(), l.y2())))
            .adjusted(-margin, -margin, margin, margin);
    };
    auto flush = [&] {
        if (!rLines.isEmpty()) {
            m_painter->setPen(rPen);
            m_painter->drawLines(rLines);
        }
        if (!thetaLines.isEmpty()) {
            m_painter->setPen(thetaPen);
            m_painter->drawLines(thetaLines);
        }
        rLines.clear();
        thetaLines.clear();
        thetaBoxes.clear();
    };
    const int w = m_size.width();
    const int h = m_size.height();
    for (int j = from; j <= to; ++j) {
        // An empty slot breaks the line; a slot without a frequency has no place on a log axis.
        if (!(curve.r[j] >= 0 && curve.r[j + 1] >= 0))
            continue;
        if (!(curve.freq[j] > 0 && curve.freq[j + 1] > 0))
            continue;
        const int x0 = m_axis.x(curve.freq[j], w);
        const int x1 = m_axis.x(curve.freq[j + 1], w);
        const QLine r(x0, mapR(curve.r[j], m_scale.rMax, h), x1,
                      mapR(curve.r[j + 1], m_scale.rMax, h));
        if (!rOnly) {
            // Frequencies rise along the record, so only the latest phase boxes can reach it.
            const QRect rBox = box(r);
            for (auto it = thetaBoxes.crbegin(); it != thetaBoxes.crend(); ++it) {
                if (it->right() < rBox.left())
                    break;
                if (it->intersects(rBox)) {
                    flush();
                    break;
                }
            }
        }
        rLines.append(r);
        drawn |= box(r);
        if (rOnly)
            continue;
        const QLine theta(
            x0, mapTheta(curve.theta[j], m_scale.thetaMin, m_scale.thetaMax, h, SegmentEnd::Start),
            x1,
            mapTheta(curve.theta[j + 1], m_scale.thetaMin, m_scale.thetaMax, h, SegmentEnd::End));
        thetaLines.append(theta);
        thetaBoxes.append(box(theta));
        drawn |= thetaBoxes.back();
    }
    flush();
    return drawn;
}

void CurvePlotter::plotCurveRuns(const CurveBlock &curve, int from, int to, ColorRef rColor,
                                 ColorRef thetaColor, bool rOnly, int penWidth)
{
    from = std::max(from, 0);
    to = std::min(to, kRecordSlots - 2);
    const int w = m_size.width();
    const int h = m_size.height();
    QVector<QPolygon> rRuns, thetaRuns;
    QPolygon r, theta;
    auto flush = [&] {
        if (r.size() > 1) {
            rRuns << r;
            thetaRuns << theta;
        }
        r.clear();
        theta.clear();
    };
    // The segments j -> j + 1 that the raster drawing draws, joined where they meet.
    for (int j = from; j <= to + 1; ++j) {
        if (!(curve.r[j] >= 0 && curve.freq[j] > 0)) {
            flush();
            continue;
        }
        const int x = m_axis.x(curve.freq[j], w);
        const SegmentEnd end = r.isEmpty() ? SegmentEnd::Start : SegmentEnd::End;
        r << QPoint(x, mapR(curve.r[j], m_scale.rMax, h));
        theta << QPoint(x, mapTheta(curve.theta[j], m_scale.thetaMin, m_scale.thetaMax, h, end));
    }
    flush();
    m_painter->setPen(chartPen(rColor, penWidth));
    for (const QPolygon &run : rRuns)
        m_painter->drawPolyline(run);
    if (rOnly)
        return;
    m_painter->setPen(chartPen(thetaColor, penWidth));
    for (const QPolygon &run : thetaRuns)
        m_painter->drawPolyline(run);
}
