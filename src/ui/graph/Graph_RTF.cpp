#include "ui/graph/Graph_RTF.h"

#include "core/graph/AxisMath.h"
#include "core/graph/CurvePlotter.h"
#include "core/graph/GraphColors.h"
#include "core/graph/GridPainter.h"
#include "core/graph/PenStyle.h"
#include "ui/graph/TPaintBox.h"

#include <QLabel>
#include <QPainter>

Graph_RTF::Graph_RTF(QWidget *mainWindow, TPaintBox *box, const Settings *settings,
                     QLabel *const *labelSlots, const GraphScale *graphScale)
    : m_mainWindow(mainWindow), m_box(box), m_graphScale(graphScale), m_colours(settings)
{
    for (int i = 0; i < kAxisLabelCount; ++i) {
        m_labels[size_t(i)] = labelSlots ? labelSlots[i] : nullptr;
        if (QLabel *label = m_labels[size_t(i)])
            label->adjustSize();
    }
    measureBox();
    if (m_box)
        m_box->onPaint = [this](QPainter &painter) { paint(painter); };
}

Graph_RTF::~Graph_RTF()
{
    if (m_box)
        m_box->onPaint = nullptr;
}

void Graph_RTF::measureBox()
{
    if (!m_box)
        return;
    m_boxWidth = m_box->width();
    m_boxHeight = m_box->height();
    m_bitmapWidth = m_boxWidth - 2;
    m_bitmapHeight = m_boxHeight - 2;
    m_frameRect = QRect(0, 0, m_boxWidth, m_boxHeight);
    m_destRect = QRect(1, 1, m_bitmapWidth, m_bitmapHeight);
    m_sourceRect = QRect(0, 0, m_bitmapWidth, m_bitmapHeight);
    // The resized bitmap keeps what it held where it still fits; the rest is blank until the
    // next redraw.
    QImage resized(std::max(m_bitmapWidth, 0), std::max(m_bitmapHeight, 0), QImage::Format_RGB32);
    clearBitmap(resized);
    if (!m_bitmap.isNull() && !resized.isNull()) {
        QPainter painter(&resized);
        painter.drawImage(0, 0, m_bitmap);
    }
    m_bitmap = resized;
}

void Graph_RTF::resize()
{
    measureBox();
}

void Graph_RTF::paint(QPainter &painter)
{
    painter.setPen(toQColor(kFrameColor));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(m_frameRect.adjusted(0, 0, -1, -1));
    if (!m_bitmap.isNull())
        painter.drawImage(m_destRect, m_bitmap, m_sourceRect);
}

void Graph_RTF::present()
{
    if (m_box)
        m_box->update();
}

void Graph_RTF::clear()
{
    clearBitmap(m_bitmap);
    drawFrequencyGrid(m_bitmap, *m_graphScale, false);
    drawLevelGrid(m_bitmap, false);
    present();
}

QRect Graph_RTF::boxInLabelSpace() const
{
    if (!m_box)
        return {};
    // Labels are placed in their parent's coordinates, which need not be the box's parent
    // (a main window keeps its controls in a central widget below the menu bar).
    QWidget *space = m_mainWindow;
    for (QLabel *label : m_labels)
        if (label && label->parentWidget()) {
            space = label->parentWidget();
            break;
        }
    if (!space || space == m_box->parentWidget())
        return m_box->geometry();
    if (space->isAncestorOf(m_box))
        return QRect(m_box->mapTo(space, QPoint(0, 0)), m_box->size());
    return QRect(space->mapFromGlobal(m_box->mapToGlobal(QPoint(0, 0))), m_box->size());
}

void Graph_RTF::setLabel(int entry, const QString &text)
{
    if (QLabel *label = m_labels[size_t(entry)]) {
        label->setText(text);
        label->adjustSize();
    }
}

void Graph_RTF::placeLabel(int entry, QPoint position, bool visible)
{
    if (QLabel *label = m_labels[size_t(entry)]) {
        label->move(position);
        label->setVisible(visible);
    }
}

QSize Graph_RTF::labelSize(int entry) const
{
    const QLabel *label = m_labels[size_t(entry)];
    return label ? label->size() : QSize(0, 0);
}

LabelSizes Graph_RTF::labelSizes() const
{
    LabelSizes sizes;
    for (int i = 0; i < kAxisLabelCount; ++i)
        sizes[size_t(i)] = labelSize(i);
    return sizes;
}

void Graph_RTF::layoutLabels(bool rOnly)
{
    const QRect box = boxInLabelSpace();
    layoutFrequencyLabels(box.x(), box.y() + box.height(), box.x() + box.width());
    layoutRLabels(box.y(), box.x());
    if (rOnly)
        hideThetaLabels();
    else
        layoutThetaLabels(box.y(), box.x() + box.width());
}

void Graph_RTF::layoutFrequencyLabels(int left, int bottom, int right)
{
    const auto ticks = frequencyTicks(*m_graphScale, m_bitmapWidth);
    if (!ticks)
        return;
    int k = 0;
    for (const FrequencyTick &tick : *ticks) {
        const int entry = kFreqTickFirst + k;
        setLabel(entry, tick.text);
        placeLabel(entry, frequencyTickPosition(left, bottom, tick.x, labelSize(entry)));
        ++k;
    }
    for (; k < kFreqTickSlots; ++k) {
        setLabel(kFreqTickFirst + k, QString());
        if (QLabel *label = m_labels[size_t(kFreqTickFirst + k)])
            label->setVisible(false);
    }
    setLabel(kFreqUnitLabel, frequencyUnitText());
    placeLabel(kFreqUnitLabel, frequencyUnitPosition(right, bottom, labelSize(kFreqUnitLabel)));
}

void Graph_RTF::layoutRLabels(int top, int left)
{
    for (int i = 0; i < kLevelTicks; ++i) {
        const int entry = kRTickFirst + i;
        setLabel(entry, rTickText(m_graphScale->rMax, i));
        placeLabel(entry, rTickPosition(top, left, m_bitmapHeight, i, labelSize(entry)));
    }
    setLabel(kRUnitLabel, rUnitText());
    placeLabel(kRUnitLabel, rUnitPosition(top, left, labelSize(kRUnitLabel)));
}

void Graph_RTF::layoutThetaLabels(int top, int right)
{
    for (int i = 0; i < kLevelTicks; ++i) {
        const int entry = kThetaTickFirst + i;
        const int v = thetaTickValue(m_graphScale->thetaMin, m_graphScale->thetaMax, i);
        setLabel(entry, formatThetaTick(v));
        placeLabel(entry, thetaTickPosition(top, right, m_bitmapHeight, i, labelSize(entry)));
    }
    setLabel(kThetaUnitLabel, thetaUnitText());
    placeLabel(kThetaUnitLabel, thetaUnitPosition(top, right, labelSize(kThetaUnitLabel)));
}

void Graph_RTF::hideThetaLabels()
{
    for (int entry = kThetaTickFirst; entry <= kThetaUnitLabel; ++entry)
        if (QLabel *label = m_labels[size_t(entry)])
            label->setVisible(false);
}

void Graph_RTF::drawMeasurement(bool rOnly, bool wide)
{
    layoutLabels(rOnly);
    CurvePlotter(m_bitmap, *m_graphScale, *m_colours)
        .plotMeasurement(rOnly, screenMeasurementPen(wide));
    present();
}

void Graph_RTF::drawLive(bool rOnly, int count, bool wide)
{
    layoutLabels(rOnly);
    CurvePlotter(m_bitmap, *m_graphScale, *m_colours)
        .plotMeasurementPart(rOnly, count, screenMeasurementPen(wide));
    present();
}

void Graph_RTF::drawLiveSegment(bool rOnly, int index, bool wide)
{
    CurvePlotter(m_bitmap, *m_graphScale, *m_colours)
        .plotSegment(rOnly, index, screenMeasurementPen(wide));
    present();
}

void Graph_RTF::drawReferences(bool rOnly)
{
    layoutLabels(rOnly);
    CurvePlotter(m_bitmap, *m_graphScale, *m_colours).plotReferences(rOnly, kScreenReferencePen);
    present();
}

void Graph_RTF::drawAll(bool rOnly, bool wide)
{
    layoutLabels(rOnly);
    CurvePlotter(m_bitmap, *m_graphScale, *m_colours)
        .plotAll(rOnly, screenMeasurementPen(wide), kScreenReferencePen);
    present();
}

void Graph_RTF::drawForPrint(QImage &bitmap, bool rOnly, bool wide, bool withReferences) const
{
    clearBitmap(bitmap);
    drawFrequencyGrid(bitmap, *m_graphScale, true);
    drawLevelGrid(bitmap, true);
    CurvePlotter plotter(bitmap, *m_graphScale, *m_colours);
    const int pen = printMeasurementPen(wide, withReferences);
    if (withReferences)
        plotter.plotAll(rOnly, pen, kPrintReferencePen);
    else
        plotter.plotMeasurement(rOnly, pen);
}

void Graph_RTF::printRLabelPositions(int xs[12], int ys[12], int plotLeft, int plotTop,
                                     int plotHeight, float scale, int textHeight) const
{
    ::printRLabelPositions(labelSizes(), xs, ys, plotLeft, plotTop, plotHeight, scale, textHeight);
}

void Graph_RTF::printThetaLabelPositions(int xs[12], int ys[12], int plotRight, int plotTop,
                                         int plotHeight, float scale, int textHeight) const
{
    ::printThetaLabelPositions(labelSizes(), xs, ys, plotRight, plotTop, plotHeight, scale,
                               textHeight);
}

void Graph_RTF::printFrequencyLabelPositions(int xs[11], int ys[11], int plotLeft, int plotBottom,
                                             int plotWidth, float scale, int textHeight) const
{
    ::printFrequencyLabelPositions(labelSizes(), *m_graphScale, xs, ys, plotLeft, plotBottom,
                                   plotWidth, scale, textHeight);
}

int Graph_RTF::axisStartHz(float f)
{
    return ::axisStartHz(f);
}
int Graph_RTF::axisEndHz(float f)
{
    return ::axisEndHz(f);
}
