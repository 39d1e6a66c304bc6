#pragma once

#include "core/graph/ChartExport.h"
#include "core/graph/GraphView.h"
#include "core/graph/ViewPicture.h"

#include <QSize>
class MeasurementDocument;

struct GraphImageOptions {
    QSize size;            // the whole picture, labels included
    int band = 0;          // the band list's choice; 0 for the measurement's own band
    bool rOnly = false;    // "抵抗値のみ表示"
    bool wide = false;     // "測定値は太線で描画"
    bool averaging = true; // "平均処理"
    ViewOptions view;      // the graph menu's view and its options
    ChartFormat format = ChartFormat::Png;
    bool dark = false; // the plot of a dark desktop
    qreal ratio = 1.0; // PNG: device pixels per picture pixel
};

// The file and how its view went: refused, or with points a reference did not cover.
struct GraphImage {
    QByteArray bytes; // empty when the picture could not be made
    ViewDrawn drawn;
};

// The graph as the main window shows it after opening the measurement (and loading the
// references): frame, grid and curves in the box and the 35 labels laid out beside it, drawn
// as the window draws them. Needs a QGuiApplication.
GraphImage renderGraphImage(const MeasurementDocument &doc, const GraphImageOptions &options);
