#include "core/graph/GraphPicture.h"

#include "core/graph/CurvePlotter.h"
#include "core/graph/GraphColors.h"
#include "core/graph/GridPainter.h"
#include "core/graph/PenStyle.h"

#include <QPainter>
#include <algorithm>

GraphPicture::GraphPicture(const GraphScale *graphScale, const Settings *settings)
    : m_graphScale(graphScale), m_colours(settings)
{
}

void GraphPicture::resize(QSize box)
{
    const int plotWidth = box.width() - 2;
    const int plotHeight = box.height() - 2;
    m_frameRect = QRect(0, 0, box.width(), box.height());
    m_destRect = QRect(1, 1, plotWidth, plotHeight);
    m_sourceRect = QRect(0, 0, plotWidth, plotHeight);
    QImage resized(std::max(plotWidth, 0), std::max(plotHeight, 0), QImage::Format_RGB32);
    clearBitmap(resized);
    if (!m_bitmap.isNull() && !resized.isNull()) {
        QPainter painter(&resized);
        painter.drawImage(0, 0, m_bitmap);
    }
    m_bitmap = resized;
}

void GraphPicture::paint(QPainter &painter) const
{
    painter.setPen(toQColor(kFrameColor));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(m_frameRect.adjusted(0, 0, -1, -1));
    if (!m_bitmap.isNull())
        painter.drawImage(m_destRect, m_bitmap, m_sourceRect);
}

void GraphPicture::clear()
{
    clearBitmap(m_bitmap);
    drawFrequencyGrid(m_bitmap, *m_graphScale, false);
    drawLevelGrid(m_bitmap, false);
}

void GraphPicture::drawMeasurement(bool rOnly, bool wide)
{
    CurvePlotter plotter(m_bitmap, *m_graphScale, *m_colours);
    plotter.plotSpread(rOnly);
    plotter.plotMeasurement(rOnly, screenMeasurementPen(wide));
    plotter.plotFit(rOnly, kScreenReferencePen);
}

void GraphPicture::drawLive(bool rOnly, int count, bool wide)
{
    CurvePlotter(m_bitmap, *m_graphScale, *m_colours)
        .plotMeasurementPart(rOnly, count, screenMeasurementPen(wide));
}

QRect GraphPicture::drawLiveSegment(bool rOnly, int index, bool wide)
{
    const QRect drawn = CurvePlotter(m_bitmap, *m_graphScale, *m_colours)
                            .plotSegment(rOnly, index, screenMeasurementPen(wide));
    // The bitmap sits inside the frame; the box shows it at the destination's corner.
    return drawn.intersected(m_sourceRect).translated(m_destRect.topLeft());
}

void GraphPicture::drawReferences(bool rOnly)
{
    CurvePlotter(m_bitmap, *m_graphScale, *m_colours).plotReferences(rOnly, kScreenReferencePen);
}

void GraphPicture::drawAll(bool rOnly, bool wide)
{
    CurvePlotter plotter(m_bitmap, *m_graphScale, *m_colours);
    plotter.plotSpread(rOnly);
    plotter.plotAll(rOnly, screenMeasurementPen(wide), kScreenReferencePen);
    plotter.plotFit(rOnly, kScreenReferencePen);
}

void GraphPicture::drawForPrint(QImage &bitmap, bool rOnly, bool wide, bool withReferences) const
{
    clearBitmap(bitmap);
    drawFrequencyGrid(bitmap, *m_graphScale, true);
    drawLevelGrid(bitmap, true);
    CurvePlotter plotter(bitmap, *m_graphScale, *m_colours);
    const int pen = printMeasurementPen(wide, withReferences);
    plotter.plotSpread(rOnly);
    if (withReferences)
        plotter.plotAll(rOnly, pen, kPrintReferencePen);
    else
        plotter.plotMeasurement(rOnly, pen);
}

ViewDrawn GraphPicture::drawView(const ViewOptions &options, const ViewSources &sources, bool rOnly,
                                 bool wide)
{
    ViewPens pens;
    pens.measurement = screenMeasurementPen(wide);
    pens.reference = kScreenReferencePen;
    return ::drawView(m_bitmap, *m_graphScale, *m_colours, options, sources, rOnly, true, pens);
}

ViewDrawn GraphPicture::drawViewForPrint(QImage &bitmap, const ViewOptions &options,
                                         const ViewSources &sources, bool rOnly, bool wide,
                                         bool withReferences, int textPixels) const
{
    ViewPens pens;
    pens.measurement = printMeasurementPen(wide, withReferences);
    pens.reference = kPrintReferencePen;
    pens.forPrint = true;
    pens.textPixels = textPixels;
    return ::drawView(bitmap, *m_graphScale, *m_colours, options, sources, rOnly, withReferences,
                      pens);
}
