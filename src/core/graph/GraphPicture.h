#pragma once

#include "core/graph/ViewPicture.h"
#include "core/model/GraphScale.h"
#include "core/model/Settings.h"

#include <QImage>
#include <QRect>

class QPainter;

// The impedance chart without its labels: the plot is composed in an off-screen bitmap one
// pixel smaller than the box on every side and shown inside a one-pixel black frame. Axis
// ranges and the shown curves are read from the graph scale on every call, the line colours
// from the settings. Screen, image export and printout draw through it.
class GraphPicture
{
public:
    GraphPicture(const GraphScale *graphScale, const Settings *settings);

    // Takes the box size (frame included); the bitmap keeps what it held where it still fits.
    void resize(QSize box);
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

    const QImage &bitmap() const { return m_bitmap; }
    QSize plotSize() const { return m_sourceRect.size(); }

private:
    QImage m_bitmap;
    QRect m_frameRect;
    QRect m_destRect;
    QRect m_sourceRect;
    const GraphScale *m_graphScale;
    const Settings *m_colours;
};
