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

void GraphPicture::resize(QSize box, qreal ratio)
{
    const int plotWidth = box.width() - 2;
    const int plotHeight = box.height() - 2;
    m_frameRect = QRect(0, 0, box.width(), box.height());
    m_destRect = QRect(1, 1, plotWidth, plotHeight);
    m_sourceRect = QRect(0, 0, plotWidth, plotHeight);
    QImage resized(qRound(std::max(plotWidth, 0) * ratio), qRound(std::max(plotHeight, 0) * ratio),
                   QImage::Format_RGB32);
    resized.setDevicePixelRatio(ratio);
    clearBitmap(resized, m_scheme);
    if (!m_bitmap.isNull() && !resized.isNull()) {
        QPainter painter(&resized);
        painter.drawImage(0, 0, m_bitmap);
    }
    m_bitmap = resized;
}

void GraphPicture::paint(QPainter &painter) const
{
    painter.setPen(toQColor(m_scheme.frame));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(m_frameRect.adjusted(0, 0, -1, -1));
    if (!m_bitmap.isNull())
        painter.drawImage(m_destRect, m_bitmap);
}

void GraphPicture::clear()
{
    clearBitmap(m_bitmap, m_scheme);
    drawFrequencyGrid(m_bitmap, *m_graphScale, false, m_scheme);
    drawLevelGrid(m_bitmap, false, m_scheme);
}

void GraphPicture::drawMeasurement(bool rOnly, bool wide)
{
    CurvePlotter plotter(m_bitmap, *m_graphScale, *m_colours, m_scheme);
    plotter.plotSpread(rOnly);
    plotter.plotMeasurement(rOnly, screenMeasurementPen(wide));
    plotter.plotFit(rOnly, kScreenReferencePen);
}

void GraphPicture::drawLive(bool rOnly, int count, bool wide)
{
    CurvePlotter(m_bitmap, *m_graphScale, *m_colours, m_scheme)
        .plotMeasurementPart(rOnly, count, screenMeasurementPen(wide));
}

QRect GraphPicture::drawLiveSegment(bool rOnly, int index, bool wide)
{
    const QRect drawn = CurvePlotter(m_bitmap, *m_graphScale, *m_colours, m_scheme)
                            .plotSegment(rOnly, index, screenMeasurementPen(wide));
    // The bitmap sits inside the frame; the box shows it at the destination's corner.
    return drawn.intersected(m_sourceRect).translated(m_destRect.topLeft());
}

void GraphPicture::drawReferences(bool rOnly)
{
    CurvePlotter(m_bitmap, *m_graphScale, *m_colours, m_scheme)
        .plotReferences(rOnly, kScreenReferencePen);
}

void GraphPicture::drawAll(bool rOnly, bool wide)
{
    CurvePlotter plotter(m_bitmap, *m_graphScale, *m_colours, m_scheme);
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
    pens.scheme = m_scheme;
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

ViewDrawn GraphPicture::paintContent(QPainter &painter, QSize box,
                                     const ChartContent &content) const
{
    const QSize plot(box.width() - 2, box.height() - 2);
    painter.save();
    painter.translate(1, 1);
    painter.setClipRect(QRect(QPoint(0, 0), plot));
    ViewDrawn drawn;
    if (!content.options.isClassic()) {
        ViewPens pens;
        pens.measurement = screenMeasurementPen(content.wide);
        pens.reference = kScreenReferencePen;
        pens.scheme = m_scheme;
        drawn = ::drawView(painter, plot, *m_graphScale, *m_colours, content.options,
                           content.sources, content.rOnly, true, pens);
    } else {
        fillPlot(painter, plot, m_scheme);
        drawFrequencyGrid(painter, plot, *m_graphScale, false, m_scheme);
        drawLevelGrid(painter, plot, false, m_scheme);
        CurvePlotter plotter(painter, plot, *m_graphScale, *m_colours, m_scheme);
        const int pen = screenMeasurementPen(content.wide);
        switch (content.curves) {
        case ChartContent::Measurement:
            plotter.plotSpread(content.rOnly);
            plotter.plotMeasurement(content.rOnly, pen);
            plotter.plotFit(content.rOnly, kScreenReferencePen);
            break;
        case ChartContent::References:
            plotter.plotReferences(content.rOnly, kScreenReferencePen);
            break;
        case ChartContent::All:
            plotter.plotSpread(content.rOnly);
            plotter.plotAll(content.rOnly, pen, kScreenReferencePen);
            plotter.plotFit(content.rOnly, kScreenReferencePen);
            break;
        case ChartContent::Grid:
            break;
        }
        drawn.frame = classicViewFrame(*m_graphScale, plot);
    }
    painter.restore();
    // The frame last, over any line a painter without clipping let through.
    painter.setPen(toQColor(m_scheme.frame));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(QPoint(0, 0), box).adjusted(0, 0, -1, -1));
    return drawn;
}
