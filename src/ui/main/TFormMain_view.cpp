#include "ui/main/TFormMain.h"

#include "core/graph/CursorReadout.h"
#include "ui/common/HStatus.h"
#include "ui/graph/TPaintBox.h"
#include "ui/main/MainView.h"

#include <QMouseEvent>

// The graph options and the graph's controls.

// The graph options are checkable actions: the menu has already toggled the mark when a
// handler runs, so the handlers only act on the new state.

void TFormMain::MenuGraph_R_onlyClick()
{
    m_view->refreshView();
}

void TFormMain::MenuGraph_AveClick()
{
    m_view->refreshView();
}

void TFormMain::MenuGraph_SpreadClick()
{
    m_view->refreshView();
}

void TFormMain::MenuGraph_WideClick()
{
    // References are always drawn one pixel wide, so only a measurement changes.
    if (m_document->hasMeasurement())
        m_view->showMeasurementView();
}

void TFormMain::MenuSet_WarningClick()
{
    // Only the mark changes; the open and reference commands read it.
}

void TFormMain::ComboBox2Change()
{
    shownScale().band = selectedBand();
    m_view->showRecordOrGrid();
}

void TFormMain::PaintBox1MouseDown(QMouseEvent *event)
{
    PaintBox1ReadAt(int(event->position().x()));
}

void TFormMain::PaintBox1ReadAt(int x)
{
    const auto text = cursorReadout(m_document->measurement(), m_document->curveRaw(), shownScale(),
                                    x, PaintBox1->width());
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
