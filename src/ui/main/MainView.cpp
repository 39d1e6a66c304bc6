#include "ui/main/MainView.h"

#include "core/document/DocumentView.h"
#include "core/document/MeasurementDocument.h"
#include "core/graph/ViewScale.h"
#include "ui/graph/Graph_RTF.h"

#include <QAction>
#include <algorithm>
#include <cmath>

namespace {

RecordSlots referenceSlots(const MeasurementDocument &doc)
{
    return slotsOf(&doc.reference(0));
}

CurveSlots refRawSlots(const MeasurementDocument &doc)
{
    return slotsOf(&doc.refCurveRaw(0));
}

} // namespace

// Edges of the band: two sigma each side, about 95 % of single sweeps for normal scatter.
constexpr double kSpreadSigmas = 2.0;

MainView::MainView(const MeasurementDocument &document, Options options)
    : m_doc(document), m_options(options), m_spreadUpper(std::make_unique<CurveBlock>()),
      m_spreadLower(std::make_unique<CurveBlock>())
{
}

MainView::~MainView() = default;

bool MainView::rOnly() const
{
    return m_options.rOnly->isChecked();
}

bool MainView::wide() const
{
    return m_options.wide->isChecked();
}

bool MainView::averaging() const
{
    return m_options.averaging->isChecked();
}

bool MainView::spread() const
{
    return m_options.spread && m_options.spread->isChecked();
}

void MainView::passView()
{
    if (m_graph)
        m_graph->setView(m_viewOptions, viewSourcesOf(m_doc));
}

void MainView::reportView()
{
    if (m_graph && m_viewReport && !m_viewOptions.isClassic())
        m_viewReport(m_graph->lastView());
}

void MainView::selectShownCurves()
{
    // Any view of the document's own curves (a file opened, a run) takes the graph back.
    dropUnits();
    passView();
    m_doc.selectShownCurves(m_scale, averaging());
    const RepeatSet *repeats = m_doc.repeats();
    if (spread() && repeats && m_doc.hasMeasurement()) {
        repeats->spreadCurves(kSpreadSigmas, *m_spreadUpper, *m_spreadLower);
        m_scale.spreadUpper = m_spreadUpper.get();
        m_scale.spreadLower = m_spreadLower.get();
    } else {
        m_scale.spreadUpper = m_scale.spreadLower = nullptr;
    }
}

void MainView::scaleForMeasurement()
{
    selectShownCurves();
    ::scaleForMeasurement(m_scale, m_doc.measurement(), m_doc.curveRaw());
}

void MainView::scaleForReferences()
{
    selectShownCurves();
    ::scaleForReferences(m_scale, referenceSlots(m_doc), refRawSlots(m_doc));
}

void MainView::scaleForBoth()
{
    selectShownCurves();
    ::scaleForBoth(m_scale, m_doc.measurement(), m_doc.curveRaw(), referenceSlots(m_doc),
                   refRawSlots(m_doc));
}

void MainView::showMeasurement()
{
    if (!m_graph)
        return;
    scaleForMeasurement();
    m_graph->clear();
    m_graph->drawMeasurement(rOnly(), wide());
    reportView();
}

void MainView::showReferences()
{
    if (!m_graph)
        return;
    scaleForReferences();
    m_graph->clear();
    m_graph->drawReferences(rOnly());
    reportView();
}

void MainView::showMeasurementAndReferences()
{
    if (!m_graph)
        return;
    scaleForBoth();
    m_graph->clear();
    m_graph->drawAll(rOnly(), wide());
    reportView();
}

void MainView::showMeasurementView()
{
    if (m_doc.anyReferenceLoaded())
        showMeasurementAndReferences();
    else
        showMeasurement();
}

void MainView::refreshView()
{
    if (showingUnits()) {
        drawUnits();
        return;
    }
    if (m_doc.hasMeasurement())
        showMeasurementView();
    else if (m_doc.anyReferenceLoaded())
        showReferences();
}

void MainView::showRecordOrGrid()
{
    if (m_doc.hasMeasurement()) {
        showMeasurementView();
    } else if (m_doc.anyReferenceLoaded()) {
        showReferences();
    } else if (m_graph) {
        // An empty grid with the band's frequency axis.
        scaleForMeasurement();
        m_graph->clear();
        m_graph->layoutLabels(rOnly());
    }
}

void MainView::clear()
{
    if (m_graph)
        m_graph->clear();
}

void MainView::showLive(int points)
{
    dropUnits();
    if (!m_graph)
        return;
    passView();
    m_graph->clear();
    m_graph->drawLive(rOnly(), points - 1, wide());
}

void MainView::showUnits(const CurveBlock *upper, const CurveBlock *lower, const CurveBlock *unit,
                         int band)
{
    if (!upper || !lower || !unit) {
        if (!dropUnits())
            return;
        m_scale = m_scaleBeforeUnits;
        if (m_doc.hasMeasurement() || m_doc.anyReferenceLoaded())
            refreshView();
        else
            showRecordOrGrid();
        return;
    }
    if (!showingUnits())
        m_scaleBeforeUnits = m_scale;
    m_unitsUpper = upper;
    m_unitsLower = lower;
    m_unitsCurve = unit;
    m_unitsBand = band;
    drawUnits();
}

bool MainView::dropUnits()
{
    if (!showingUnits())
        return false;
    m_unitsUpper = m_unitsLower = m_unitsCurve = nullptr;
    m_scale.spreadUpper = m_scale.spreadLower = nullptr;
    m_doc.selectShownCurves(m_scale, averaging());
    return true;
}

void MainView::drawUnits()
{
    initGraphScale(m_scale, m_unitsBand);
    float rTop = 0.0f;
    float thetaTop = 0.0f;
    for (int i = 0; i < kRecordSlots; ++i) {
        if (m_unitsUpper->freq[i] > 0) {
            rTop = std::max(rTop, m_unitsUpper->r[i]);
            thetaTop = std::max(
                {thetaTop, std::abs(m_unitsUpper->theta[i]), std::abs(m_unitsLower->theta[i])});
        }
    }
    m_scale.rMin = 0.0f;
    m_scale.rMax = roundUpRScale(rTop);
    m_scale.thetaMax = thetaFullScale(thetaTop);
    m_scale.thetaMin = -m_scale.thetaMax;
    m_scale.curveShown = m_unitsCurve;
    std::fill(std::begin(m_scale.refCurveShown), std::end(m_scale.refCurveShown), nullptr);
    m_scale.spreadUpper = m_unitsUpper;
    m_scale.spreadLower = m_unitsLower;
    if (!m_graph)
        return;
    passView();
    m_graph->clear();
    m_graph->layoutLabels(rOnly());
    m_graph->drawMeasurement(rOnly(), wide());
}
