#include "ui/main/TFormMain.h"

#include "core/graph/CursorReadout.h"
#include "core/graph/ViewScale.h"
#include "ui/common/HStatus.h"
#include "ui/graph/Graph_RTF.h"
#include "ui/graph/TPaintBox.h"

#include <QMouseEvent>

// View operations and graph options.

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

bool TFormMain::rOnly() const
{
    return MenuGraph_R_only->isChecked();
}
bool TFormMain::wide() const
{
    return MenuGraph_Wide->isChecked();
}

void TFormMain::selectShownCurves()
{
    m_document->selectShownCurves(graphScale, MenuGraph_Ave->isChecked());
}

void TFormMain::scaleForMeasurement()
{
    selectShownCurves();
    ::scaleForMeasurement(graphScale, m_document->measurement(), m_document->curveRaw());
}

void TFormMain::scaleForReferences()
{
    selectShownCurves();
    ::scaleForReferences(graphScale, referenceSlots(*m_document), refRawSlots(*m_document));
}

void TFormMain::scaleForBoth()
{
    selectShownCurves();
    ::scaleForBoth(graphScale, m_document->measurement(), m_document->curveRaw(),
                   referenceSlots(*m_document), refRawSlots(*m_document));
}

void TFormMain::showMeasurement()
{
    if (!graph)
        return;
    scaleForMeasurement();
    graph->clear();
    graph->drawMeasurement(rOnly(), wide());
}

void TFormMain::showReferences()
{
    if (!graph)
        return;
    scaleForReferences();
    graph->clear();
    graph->drawReferences(rOnly());
}

void TFormMain::showMeasurementAndReferences()
{
    if (!graph)
        return;
    scaleForBoth();
    graph->clear();
    graph->drawAll(rOnly(), wide());
}

void TFormMain::showMeasurementView()
{
    if (anyReferenceLoaded())
        showMeasurementAndReferences();
    else
        showMeasurement();
}

void TFormMain::refreshView()
{
    if (m_document->hasMeasurement())
        showMeasurementView();
    else if (anyReferenceLoaded())
        showReferences();
    // Nothing loaded: the graph keeps its picture.
}

// The graph options are checkable actions: the menu has already toggled the mark when a
// handler runs, so the handlers only act on the new state.

void TFormMain::MenuGraph_R_onlyClick()
{
    refreshView();
}

void TFormMain::MenuGraph_AveClick()
{
    refreshView();
}

void TFormMain::MenuGraph_WideClick()
{
    // References are always drawn one pixel wide, so only a measurement changes.
    if (m_document->hasMeasurement())
        showMeasurementView();
}

void TFormMain::MenuSet_WarningClick()
{
    // Only the mark changes; the open and reference commands read it.
}

void TFormMain::ComboBox2Change()
{
    graphScale.band = selectedBand();
    if (m_document->hasMeasurement()) {
        showMeasurementView();
    } else if (anyReferenceLoaded()) {
        showReferences();
    } else if (graph) {
        // An empty grid with the new band's frequency axis.
        scaleForMeasurement();
        graph->clear();
        graph->layoutLabels(rOnly());
    }
}

void TFormMain::PaintBox1MouseDown(QMouseEvent *event)
{
    PaintBox1ReadAt(int(event->position().x()));
}

void TFormMain::PaintBox1ReadAt(int x)
{
    const auto text = cursorReadout(*measurement, *curveRaw, graphScale, x, PaintBox1->width());
    if (text && status) {
        status->showText(*text, HStatus::kReadoutPanel);
        // A screen reader reads the value with the focused graph.
        PaintBox1->setAccessibleDescription(*text);
    }
}

void TFormMain::FormPaint()
{
    // The box paints the renderer's picture itself; a window repaint only asks it to.
    if (graph)
        PaintBox1->update();
}
