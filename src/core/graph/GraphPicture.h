#pragma once

#include "core/graph/ChartScheme.h"
#include "core/graph/ViewPicture.h"
#include "core/model/GraphScale.h"
#include "core/model/Settings.h"

#include <QImage>
#include <QRect>

class QPainter;

// What a picture shows, for drawing it again elsewhere (a vector file).
struct ChartContent {
    // drawMeasurement, drawReferences, drawAll; the empty grid
    enum Curves { Measurement, References, All, Grid };
    Curves curves = Measurement;
    ViewOptions options;
    ViewSources sources;
    bool rOnly = false;
    bool wide = false;
};

// The impedance chart without its labels: the plot is composed in an off-screen bitmap one
// pixel smaller than the box on every side and shown inside a one-pixel black frame. Axis
// ranges and the shown curves are read from the graph scale on every call, the line colours
// from the settings. Screen, image export and printout draw through it.
class GraphPicture
{
public:
    GraphPicture(const GraphScale *graphScale, const Settings *settings);

    // Takes the box size (frame included) and the screen's device pixel ratio: the bitmap has
    // that many pixels per pixel of the box, the same picture at full resolution. The bitmap
    // keeps what it held where it still fits.
    void resize(QSize box, qreal ratio = 1.0);
    // The colours of background, grid and frame; the classic light ones unless set.
    void setScheme(const ChartScheme &scheme) { m_scheme = scheme; }
    const ChartScheme &scheme() const { return m_scheme; }
    // Frame and bitmap with the box's top left at the painter's origin; never redraws.
    void paint(QPainter &painter) const;
    // The empty grid.
    void clear();

    // Curves over the current picture.
    void drawMeasurement(bool rOnly, bool wide);
    // The live curve from the band's first point through `count` segments.
    void drawLive(bool rOnly, int count, bool wide);
    // One live segment, ending at grid index `index`.
    // Returns the part of the paint box it changed (empty for none).
    QRect drawLiveSegment(bool rOnly, int index, bool wide);
    void drawReferences(bool rOnly);
    void drawAll(bool rOnly, bool wide);

    // Grid and curves in a printer bitmap with the printing pen widths; leaves this picture
    // alone.
    void drawForPrint(QImage &bitmap, bool rOnly, bool wide, bool withReferences) const;

    // A view other than the classic chart (see drawView) over a fresh grid, with the screen's
    // pens; the references when any is loaded.
    ViewDrawn drawView(const ViewOptions &options, const ViewSources &sources, bool rOnly,
                       bool wide);
    // The same in a printer bitmap with the printing pens; leaves this picture alone.
    ViewDrawn drawViewForPrint(QImage &bitmap, const ViewOptions &options,
                               const ViewSources &sources, bool rOnly, bool wide,
                               bool withReferences, int textPixels) const;

    // Frame, grid and curves of a box of `box` (frame included) straight onto a painter, the
    // box's top left at its origin, as clear() and then the drawing `content` names would
    // leave the bitmap; leaves this picture alone.
    ViewDrawn paintContent(QPainter &painter, QSize box, const ChartContent &content) const;

    const QImage &bitmap() const { return m_bitmap; }
    const Settings *colours() const { return m_colours; }
    QSize plotSize() const { return m_sourceRect.size(); }

private:
    QImage m_bitmap;
    QRect m_frameRect;
    QRect m_destRect;
    QRect m_sourceRect;
    const GraphScale *m_graphScale;
    const Settings *m_colours;
    ChartScheme m_scheme;
};
