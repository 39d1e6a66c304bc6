#include "GraphImage.h"

#include "core/document/DocumentView.h"
#include "core/document/MeasurementDocument.h"
#include "core/graph/AxisLabelLayout.h"
#include "core/graph/AxisLabelPainter.h"
#include "core/graph/GraphPicture.h"
#include "core/graph/ViewScale.h"
#include "core/graph/WindowFont.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

namespace {

// The design size of the window's graph box.
constexpr int kDesignBoxWidth = 500;
constexpr int kDesignBoxHeight = 312;
// Smaller boxes leave no room for the grid to say anything.
constexpr int kMinBoxWidth = 60;
constexpr int kMinBoxHeight = 40;

} // namespace

QSize defaultGraphImageSize()
{
    return QSize(kBoxLeft + kDesignBoxWidth + kBoxRightMargin,
                 kBoxTop + kDesignBoxHeight + kBoxBottomMargin);
}

QSize minimumGraphImageSize()
{
    return QSize(kBoxLeft + kMinBoxWidth + kBoxRightMargin,
                 kBoxTop + kMinBoxHeight + kBoxBottomMargin);
}

QSize graphBoxSize(QSize picture)
{
    const QSize box(picture.width() - kBoxLeft - kBoxRightMargin,
                    picture.height() - kBoxTop - kBoxBottomMargin);
    return box.width() >= kMinBoxWidth && box.height() >= kMinBoxHeight ? box : QSize();
}

GraphImage renderGraphImage(const MeasurementDocument &doc, const GraphImageOptions &options)
{
    GraphImage result;
    const QSize box = graphBoxSize(options.size);
    if (box.isEmpty())
        return result;

    const Settings settings;
    GraphScale scale;
    initGraphScale(scale, doc.measurement().band);
    scale.band = options.band ? options.band : doc.measurement().band;
    GraphPicture graph(&scale, &settings);
    graph.resize(box);

    // The window's view of a measurement: with the references when any is loaded.
    const CurveSlots refRaw = slotsOf(&doc.refCurveRaw(0));
    const CurveSlots refAvg = slotsOf(&doc.refCurveAvg(0));
    selectShownCurves(scale, options.averaging, doc.curveRaw(), doc.curveAvg(), refRaw, refAvg);
    if (doc.refCount() == 0) {
        scaleForMeasurement(scale, doc.measurement(), doc.curveRaw());
    } else {
        scaleForBoth(scale, doc.measurement(), doc.curveRaw(), slotsOf(&doc.reference(0)), refRaw);
    }
    const QRect boxRect(QPoint(kBoxLeft, kBoxTop), box);
    AxisLabelLayout labels;
    if (options.view.isClassic()) {
        graph.clear();
        if (doc.refCount() == 0)
            graph.drawMeasurement(options.rOnly, options.wide);
        else
            graph.drawAll(options.rOnly, options.wide);
        labels = layoutAxisLabels(scale, boxRect, graph.plotSize(), options.rOnly, windowFont());
    } else {
        result.drawn =
            graph.drawView(options.view, viewSourcesOf(doc), options.rOnly, options.wide);
        labels = layoutViewLabels(result.drawn, scale, options.view, boxRect, options.rOnly,
                                  windowFont());
    }

    // The window's client area in miniature: its background, the box, and the labels in the
    // window font and the window's label colours.
    const QPalette palette = QGuiApplication::palette();
    QImage image(options.size, QImage::Format_RGB32);
    image.fill(palette.color(QPalette::Window));
    QPainter painter(&image);
    painter.translate(kBoxLeft, kBoxTop);
    graph.paint(painter);
    painter.resetTransform();
    painter.setFont(windowFont());
    drawAxisLabels(painter, labels, settings, palette.color(QPalette::WindowText));
    painter.end();
    result.image = image;
    return result;
}
