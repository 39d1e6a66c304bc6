#pragma once

#include "core/graph/ViewFrame.h"

#include <QPoint>
#include <QRect>
#include <QRectF>
#include <optional>

// The zoom a view option holds (see ViewOptions::zoom), from what the mouse did over a drawn
// frame. Pixels are the plot's (the bitmap inside the frame).

// Smaller drags are clicks: they read a value and do not zoom.
constexpr int kMinZoomDragPixels = 4;
// One wheel step zooms in or out by this factor about the pointer.
constexpr double kWheelZoomFactor = 0.8;

// The data under a dragged rectangle; nothing for a drag under kMinZoomDragPixels either way.
std::optional<QRectF> zoomForDrag(const ViewFrame &frame, const QRect &pixels);
// The frame's ranges shrunk (factor < 1) or grown about the pointer, which keeps its data.
QRectF zoomAbout(const ViewFrame &frame, QPoint pixel, double factor);
