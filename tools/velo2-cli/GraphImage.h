#pragma once

#include "core/graph/GraphView.h"
#include "core/graph/ViewPicture.h"

#include <QImage>
#include <QSize>
class MeasurementDocument;

struct GraphImageOptions {
    QSize size;            // the whole picture, labels included
    int band = 0;          // the band list's choice; 0 for the measurement's own band
    bool rOnly = false;    // "抵抗値のみ表示"
    bool wide = false;     // "測定値は太線で描画"
    bool averaging = true; // "平均処理"
    ViewOptions view;      // the graph menu's view and its options
};

// The picture and how its view went: refused, or with points a reference did not cover.
struct GraphImage {
    QImage image;
    ViewDrawn drawn;
};

// Margins the window keeps round the graph box for the axis labels.
constexpr int kBoxLeft = 64;
constexpr int kBoxTop = 24;
constexpr int kBoxRightMargin = 76;
constexpr int kBoxBottomMargin = 48;
QSize defaultGraphImageSize();
QSize minimumGraphImageSize();
// The graph box inside a picture of this size; empty when the picture is too small.
QSize graphBoxSize(QSize picture);

// The graph as the main window shows it after opening the measurement (and loading the
// references): frame, grid and curves in the box and the 35 labels laid out beside it, drawn
// as the window draws them. Needs a QGuiApplication.
GraphImage renderGraphImage(const MeasurementDocument &doc, const GraphImageOptions &options);
