#include "GraphImage.h"

#include "core/document/DocumentView.h"
#include "core/document/MeasurementDocument.h"
#include "core/graph/ChartScheme.h"
#include "core/graph/ViewScale.h"
#include "core/graph/WindowFont.h"

#include <QGuiApplication>

GraphImage renderGraphImage(const MeasurementDocument &doc, const GraphImageOptions &options)
{
    const Settings settings;
    GraphScale scale;
    initGraphScale(scale, doc.measurement().band);
    scale.band = options.band ? options.band : doc.measurement().band;

    // The window's view of a measurement: with the references when any is loaded.
    const CurveSlots refRaw = slotsOf(&doc.refCurveRaw(0));
    const CurveSlots refAvg = slotsOf(&doc.refCurveAvg(0));
    selectShownCurves(scale, options.averaging, doc.curveRaw(), doc.curveAvg(), refRaw, refAvg);
    if (doc.refCount() == 0) {
        scaleForMeasurement(scale, doc.measurement(), doc.curveRaw());
    } else {
        scaleForBoth(scale, doc.measurement(), doc.curveRaw(), slotsOf(&doc.reference(0)), refRaw);
    }

    ChartRequest request;
    request.scale = &scale;
    request.colours = &settings;
    request.content.curves = doc.refCount() == 0 ? ChartContent::Measurement : ChartContent::All;
    request.content.options = options.view;
    request.content.sources = viewSourcesOf(doc);
    request.content.rOnly = options.rOnly;
    request.content.wide = options.wide;
    request.font = windowFont();
    request.palette = options.dark ? darkChartPalette() : QGuiApplication::palette();
    const ChartPicture picture = chartFile(request, options.format, options.size, options.ratio);
    return {picture.bytes, picture.drawn};
}
