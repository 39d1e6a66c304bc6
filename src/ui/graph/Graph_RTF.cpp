#include "ui/graph/Graph_RTF.h"

#include "core/graph/AxisMath.h"
#include "ui/graph/TPaintBox.h"

#include <QLabel>
#include <QPainter>
#include <algorithm>

Graph_RTF::Graph_RTF(QWidget *mainWindow, TPaintBox *box, const Settings *settings,
                     QLabel *const *labelSlots, const GraphScale *graphScale)
    : m_mainWindow(mainWindow), m_box(box), m_picture(graphScale, settings),
      m_graphScale(graphScale)
{
    for (int i = 0; i < kAxisLabelCount; ++i) {
        m_labels[size_t(i)] = labelSlots ? labelSlots[i] : nullptr;
        if (QLabel *label = m_labels[size_t(i)])
            label->adjustSize();
    }
    // A dark desktop gets a dark plot; a light one keeps the classic colours.
    if (m_mainWindow)
        m_picture.setScheme(chartSchemeFor(m_mainWindow->palette()));
    m_content.curves = ChartContent::Grid;
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
    // A HiDPI screen gets the same picture at its full resolution.
    if (m_box)
        m_picture.resize(m_box->size(), m_box->devicePixelRatioF());
}

void Graph_RTF::resize()
{
    measureBox();
}

bool Graph_RTF::followLook()
{
    if (!m_box)
        return false;
    // The box's palette: it is the one already brought up to date when the box is told.
    const ChartScheme scheme = chartSchemeFor(m_box->palette());
    if (scheme == m_picture.scheme() &&
        m_box->devicePixelRatioF() == m_picture.bitmap().devicePixelRatio())
        return false;
    m_picture.setScheme(scheme);
    measureBox();
    return true;
}

void Graph_RTF::paint(QPainter &painter)
{
    m_picture.paint(painter);
}

void Graph_RTF::present()
{
    if (m_box)
        m_box->update();
}

void Graph_RTF::clear()
{
    m_content.curves = ChartContent::Grid;
    m_viewDrawn = false;
    m_picture.clear();
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

QFont Graph_RTF::labelFont() const
{
    for (const QLabel *label : m_labels)
        if (label)
            return label->font();
    return m_mainWindow ? m_mainWindow->font() : QFont();
}

void Graph_RTF::applyLabel(QLabel *label, const AxisLabelPlacement &placement)
{
    switch (placement.action) {
    case AxisLabelAction::Keep:
        return;
    case AxisLabelAction::Hide:
        label->setVisible(false);
        return;
    case AxisLabelAction::Clear:
        label->setText(QString());
        label->adjustSize();
        label->setVisible(false);
        return;
    case AxisLabelAction::Show:
        label->setText(placement.text);
        label->adjustSize();
        label->move(placement.rect.topLeft());
        label->setVisible(true);
        return;
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

void Graph_RTF::setView(const ViewOptions &options, const ViewSources &sources)
{
    m_viewOptions = options;
    m_viewSources = sources;
}

bool Graph_RTF::drawChosenView(bool rOnly, bool wide)
{
    if (m_viewOptions.isClassic())
        return false;
    m_lastView = m_picture.drawView(m_viewOptions, m_viewSources, rOnly, wide);
    m_viewDrawn = true;
    layoutLabels(rOnly);
    present();
    return true;
}

ViewFrame Graph_RTF::shownFrame() const
{
    if (m_viewOptions.isClassic() || !m_viewDrawn)
        return classicViewFrame(*m_graphScale, m_picture.plotSize());
    return m_lastView.frame;
}

void Graph_RTF::layoutLabels(bool rOnly)
{
    const AxisLabelLayout layout = m_viewOptions.isClassic() || !m_viewDrawn
                                       ? layoutAxisLabels(*m_graphScale, boxInLabelSpace(),
                                                          m_picture.plotSize(), rOnly, labelFont())
                                       : layoutViewLabels(m_lastView, *m_graphScale, m_viewOptions,
                                                          boxInLabelSpace(), rOnly, labelFont());
    for (int i = 0; i < kAxisLabelCount; ++i)
        if (QLabel *label = m_labels[size_t(i)])
            applyLabel(label, layout[size_t(i)]);
}

void Graph_RTF::drawMeasurement(bool rOnly, bool wide)
{
    m_content = {ChartContent::Measurement, {}, {}, rOnly, wide};
    if (drawChosenView(rOnly, wide))
        return;
    layoutLabels(rOnly);
    m_picture.drawMeasurement(rOnly, wide);
    present();
}

void Graph_RTF::drawLive(bool rOnly, int count, bool wide)
{
    m_content = {ChartContent::Measurement, {}, {}, rOnly, wide};
    if (drawChosenView(rOnly, wide))
        return;
    layoutLabels(rOnly);
    m_picture.drawLive(rOnly, count, wide);
    present();
}

void Graph_RTF::drawLiveSegment(bool rOnly, int index, bool wide)
{
    m_content = {ChartContent::Measurement, {}, {}, rOnly, wide};
    // Another view moves its axes with every point: it is drawn again whole.
    if (drawChosenView(rOnly, wide))
        return;
    // Only what the segment changed is painted again: a run adds one each 20 ms.
    const QRect changed = m_picture.drawLiveSegment(rOnly, index, wide);
    if (m_box && !changed.isEmpty())
        m_box->update(changed);
}

void Graph_RTF::drawReferences(bool rOnly)
{
    m_content = {ChartContent::References, {}, {}, rOnly, false};
    if (drawChosenView(rOnly, false))
        return;
    layoutLabels(rOnly);
    m_picture.drawReferences(rOnly);
    present();
}

void Graph_RTF::drawAll(bool rOnly, bool wide)
{
    m_content = {ChartContent::All, {}, {}, rOnly, wide};
    if (drawChosenView(rOnly, wide))
        return;
    layoutLabels(rOnly);
    m_picture.drawAll(rOnly, wide);
    present();
}

void Graph_RTF::drawForPrint(QImage &bitmap, bool rOnly, bool wide, bool withReferences) const
{
    if (!m_viewOptions.isClassic()) {
        // The legend's and the marks' text as large on paper as on the screen.
        const int screenHeight = std::max(m_picture.plotSize().height(), 1);
        const int textPixels = labelFont().pixelSize() > 0 ? labelFont().pixelSize() : 12;
        m_picture.drawViewForPrint(bitmap, m_viewOptions, m_viewSources, rOnly, wide,
                                   withReferences, textPixels * bitmap.height() / screenHeight);
        return;
    }
    m_picture.drawForPrint(bitmap, rOnly, wide, withReferences);
}

void Graph_RTF::printRLabelPositions(int xs[12], int ys[12], int plotLeft, int plotTop,
                                     int plotHeight, float scale, int textHeight) const
{
    ::printRLabelPositions(labelSizes(), xs, ys, plotLeft, plotTop, plotHeight, scale, textHeight);
}

void Graph_RTF::printThetaLabelPositions(int xs[12], int ys[12], int plotRight, int plotTop,
                                         int plotHeight, float scale, int textHeight) const
{
    // Nyquist has no right axis.
    if (!m_viewOptions.isClassic() && m_viewDrawn && !m_lastView.frame.hasRight)
        return;
    ::printThetaLabelPositions(labelSizes(), xs, ys, plotRight, plotTop, plotHeight, scale,
                               textHeight);
}

void Graph_RTF::printFrequencyLabelPositions(int xs[11], int ys[11], int plotLeft, int plotBottom,
                                             int plotWidth, float scale, int textHeight) const
{
    if (!m_viewOptions.isClassic() && m_viewDrawn) {
        // Another view's bottom ticks sit where the screen put them, in proportion.
        const QRect box = boxInLabelSpace();
        const int screenWidth = std::max(m_picture.plotSize().width(), 1);
        for (int k = 0; k < kFreqTickSlots; ++k) {
            const QLabel *label = m_labels[size_t(kFreqTickFirst + k)];
            if (!label || label->text().isEmpty())
                continue;
            const double centre = label->x() + label->width() / 2.0 - box.x() - 1;
            xs[k] = int(plotLeft + centre * plotWidth / screenWidth - label->width() * scale * 0.5);
            ys[k] = int(plotBottom + 5.0 * scale);
        }
        const QSize unit = labelSize(kFreqUnitLabel);
        xs[10] = int(plotLeft + plotWidth - unit.width() * scale * 0.5);
        ys[10] = int(plotBottom + textHeight + 10.0 * scale);
        return;
    }
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

ChartRequest Graph_RTF::chartRequest() const
{
    ChartRequest request;
    request.scale = m_graphScale;
    request.colours = m_picture.colours();
    request.content = m_content;
    request.content.options = m_viewOptions;
    request.content.sources = m_viewSources;
    request.font = labelFont();
    if (m_mainWindow)
        request.palette = m_mainWindow->palette();
    return request;
}
