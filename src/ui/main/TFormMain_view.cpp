#include "ui/main/TFormMain.h"

#include "core/graph/CursorReadout.h"
#include "core/graph/ViewScale.h"
#include "ui/common/HStatus.h"
#include "ui/graph/Graph_RTF.h"
#include "ui/graph/TPaintBox.h"

#include <QMouseEvent>

// View operations and graph options.

namespace {

constexpr int kReadoutPanel = 2;

// The window keeps each reference slot in its own allocation; the scale maths takes one
// pointer per slot.
template <typename T>
std::array<const T *, kReferenceSlots>
ownedSlots(const std::array<std::unique_ptr<T>, kReferenceSlots> &owned)
{
    std::array<const T *, kReferenceSlots> result{};
    for (int k = 0; k < kReferenceSlots; ++k)
        result[k] = owned[k].get();
    return result;
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
    ::selectShownCurves(graphScale, MenuGraph_Ave->isChecked(), *curveRaw, *curveAvg,
                        ownedSlots(refCurveRaw), ownedSlots(refCurveAvg));
}

void TFormMain::scaleForMeasurement()
{
    selectShownCurves();
    ::scaleForMeasurement(graphScale, *measurement, *curveRaw);
}

void TFormMain::scaleForReferences()
{
    selectShownCurves();
    ::scaleForReferences(graphScale, ownedSlots(references), ownedSlots(refCurveRaw));
}

void TFormMain::scaleForBoth()
{
    selectShownCurves();
    ::scaleForBoth(graphScale, *measurement, *curveRaw, ownedSlots(references),
                   ownedSlots(refCurveRaw));
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
    if (measurement->valid == 1)
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
    if (measurement->valid == 1)
        showMeasurementView();
}

void TFormMain::MenuSet_WarningClick()
{
    // Only the mark changes; the open and reference commands read it.
}

void TFormMain::ComboBox2Change()
{
    graphScale.band = selectedBand();
    if (measurement->valid == 1) {
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
    const int x = int(event->position().x());
    const auto text = cursorReadout(*measurement, *curveRaw, graphScale, x, PaintBox1->width());
    if (text && status)
        status->showText(*text, kReadoutPanel);
}

void TFormMain::FormPaint()
{
    // The box paints the renderer's picture itself; a window repaint only asks it to.
    if (graph)
        PaintBox1->update();
}
