#pragma once

#include "core/graph/GraphPicture.h"

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QPalette>
#include <QSize>
#include <optional>

class QPainter;

// The graph as a file or a clipboard picture: the box with its frame, grid and curves and the
// 35 labels round it, as the main window lays them out, drawn through the same code as the
// window and the printout. PNG goes through the window's bitmap (pixel for pixel the window's
// picture at a device pixel ratio of 1); SVG and PDF draw the same lines as vectors.
enum class ChartFormat { Png, Svg, Pdf };

// "png", "svg", "pdf"; none for anything else.
std::optional<ChartFormat> chartFormatFromName(const QString &name);
// From a file name's suffix, case aside; none for another suffix.
std::optional<ChartFormat> chartFormatOfPath(const QString &path);
QString chartFormatSuffix(ChartFormat format); // ".png", ".svg", ".pdf"

// Margins the window keeps round the graph box for the axis labels.
constexpr int kBoxLeft = 64;
constexpr int kBoxTop = 24;
constexpr int kBoxRightMargin = 76;
constexpr int kBoxBottomMargin = 48;
constexpr int kMaxChartSide = 10000;
QSize defaultGraphImageSize();
QSize minimumGraphImageSize();
// The graph box inside a picture of this size; empty when the picture is too small.
QSize graphBoxSize(QSize picture);

// Everything a picture needs besides its size.
struct ChartRequest {
    const GraphScale *scale = nullptr;
    const Settings *colours = nullptr;
    ChartContent content;
    QFont font;       // the labels' font (the window font)
    QPalette palette; // the window's: round the box, the frequency labels, dark or light plot
};

struct ChartPicture {
    QImage image; // PNG: the picture, `ratio` pixels per pixel of its size
    QByteArray bytes;
    ViewDrawn drawn;
};

// The picture at device pixel ratio `ratio`: a null image when the size is too small.
ChartPicture chartImage(const ChartRequest &request, QSize picture, qreal ratio = 1.0);
// Draws the picture onto an open painter whose device is `picture` big.
ViewDrawn paintChart(QPainter &painter, QSize picture, const ChartRequest &request);
// The file's bytes in the format (PNG at `ratio`); empty bytes when the size is too small or
// the encoding failed.
ChartPicture chartFile(const ChartRequest &request, ChartFormat format, QSize picture,
                       qreal ratio = 1.0);
