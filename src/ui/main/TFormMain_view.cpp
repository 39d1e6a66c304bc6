#include "ui/main/TFormMain.h"

#include "core/files/ViewChoice.h"
#include "core/graph/CursorReadout.h"
#include "core/graph/ViewReadout.h"
#include "ui/common/HStatus.h"
#include "ui/common/TH_Message.h"
#include "ui/graph/Graph_RTF.h"
#include "ui/graph/TPaintBox.h"
#include "ui/main/MainRun.h"
#include "ui/main/MainView.h"

#include <QActionGroup>
#include <QMenu>
#include <QMouseEvent>
#include <algorithm>

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

void TFormMain::buildViewMenu()
{
    const StoredViewChoice stored = readViewChoice(viewChoiceFilePath());
    const GraphView storedView = graphViewFromName(stored.view).value_or(GraphView::ZPhase);
    MenuGraph->addSeparator();
    auto *group = new QActionGroup(this);
    auto entry = [&](GraphView view, const char *name, const QString &caption) {
        QAction *item = MenuGraph->addAction(caption);
        item->setObjectName(QString::fromLatin1(name));
        item->setCheckable(true);
        item->setChecked(view == storedView);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, view] { MenuGraph_ViewClick(view); });
        MenuGraph_View[size_t(view)] = item;
    };
    entry(GraphView::ZPhase, "MenuGraph_ViewZPhase", tr("|Z|と位相を表示"));
    entry(GraphView::RX, "MenuGraph_ViewRX", tr("RとXを表示"));
    entry(GraphView::Nyquist, "MenuGraph_ViewNyquist", tr("ナイキスト線図を表示"));
    entry(GraphView::Diff, "MenuGraph_ViewDiff", tr("参照データとの差を表示"));
    entry(GraphView::Ratio, "MenuGraph_ViewRatio", tr("参照データとの比を表示"));
    MenuGraph->addSeparator();
    auto option = [&](const char *name, const QString &caption, bool on) {
        QAction *item = MenuGraph->addAction(caption);
        item->setObjectName(QString::fromLatin1(name));
        item->setCheckable(true);
        item->setChecked(on);
        connect(item, &QAction::triggered, this, [this] { MenuGraph_ViewOptionClick(); });
        return item;
    };
    MenuGraph_DiffPct = option("MenuGraph_DiffPct", tr("差を%で表示"), stored.diffPercent);
    MenuGraph_Legend = option("MenuGraph_Legend", tr("凡例を表示"), stored.legend);
    MenuGraph_LogZ = option("MenuGraph_LogZ", tr("|Z|を対数目盛で表示"), stored.logZ);
    QMenu *compared = MenuGraph->addMenu(tr("比べる参照データ"));
    compared->setObjectName(QStringLiteral("MenuGraph_CompareRef"));
    auto *compareGroup = new QActionGroup(this);
    for (int k = 0; k < kReferenceSlots; ++k) {
        QAction *item = compared->addAction(tr("参照データ%1").arg(k + 1));
        item->setObjectName(QStringLiteral("MenuGraph_CompareRef%1").arg(k + 1));
        item->setCheckable(true);
        item->setChecked(k == stored.referenceSlot);
        compareGroup->addAction(item);
        connect(item, &QAction::triggered, this, [this] { MenuGraph_ViewOptionClick(); });
        MenuGraph_CompareRef[size_t(k)] = item;
    }
}

ViewOptions TFormMain::chosenViewOptions() const
{
    ViewOptions options;
    for (size_t v = 0; v < MenuGraph_View.size(); ++v)
        if (MenuGraph_View[v] && MenuGraph_View[v]->isChecked())
            options.view = GraphView(v);
    options.diffPercent = MenuGraph_DiffPct && MenuGraph_DiffPct->isChecked();
    options.legend = MenuGraph_Legend && MenuGraph_Legend->isChecked();
    options.logZ = MenuGraph_LogZ && MenuGraph_LogZ->isChecked();
    for (int k = 0; k < kReferenceSlots; ++k)
        if (MenuGraph_CompareRef[size_t(k)] && MenuGraph_CompareRef[size_t(k)]->isChecked())
            options.referenceSlot = k;
    return options;
}

void TFormMain::MenuGraph_ViewClick(GraphView view)
{
    const GraphView before = m_view->viewOptions().view;
    m_view->setViewOptions(chosenViewOptions());
    m_view->refreshView();
    const ViewDrawn &drawn = graph->lastView();
    const bool drawnNow = m_document->hasMeasurement() || m_document->anyReferenceLoaded();
    if (drawnNow && view != GraphView::ZPhase && drawn.refusal != ViewRefusal::None) {
        // Nothing to show: say why and go back to the view before.
        if (drawn.refusal == ViewRefusal::NoPhase)
            message->msgViewNeedsPhase();
        else
            message->msgViewNeedsReference();
        MenuGraph_View[size_t(before)]->setChecked(true);
        m_view->setViewOptions(chosenViewOptions());
        m_view->refreshView();
    }
    MenuGraph_ViewOptionClick();
}

void TFormMain::reportView(const ViewDrawn &drawn)
{
    if (!status)
        return;
    if (drawn.refusal != ViewRefusal::None)
        status->showViewRefused();
    else if (drawn.uncompared > 0)
        status->showUncompared(drawn.uncompared);
}

void TFormMain::MenuGraph_ViewOptionClick()
{
    ViewOptions options = chosenViewOptions();
    // A zoom belongs to its view's axes: another view starts whole.
    if (options.view == m_view->viewOptions().view)
        options.zoom = m_view->viewOptions().zoom;
    if (options.view != m_view->viewOptions().view ||
        options.legend != m_view->viewOptions().legend ||
        options.logZ != m_view->viewOptions().logZ ||
        options.diffPercent != m_view->viewOptions().diffPercent ||
        options.referenceSlot != m_view->viewOptions().referenceSlot) {
        m_view->setViewOptions(options);
        m_view->refreshView();
    }
    StoredViewChoice stored;
    stored.view = graphViewName(options.view);
    stored.legend = options.legend;
    stored.logZ = options.logZ;
    stored.diffPercent = options.diffPercent;
    stored.referenceSlot = std::max(options.referenceSlot, 0);
    writeViewChoice(viewChoiceFilePath(), stored);
}

void TFormMain::MenuSet_WarningClick()
{
    // Only the mark changes; the open and reference commands read it.
}

void TFormMain::ComboBox2Change()
{
    shownScale().band = selectedBand();
    // Another band is shown whole.
    ViewOptions options = m_view->viewOptions();
    options.zoom.reset();
    m_view->setViewOptions(options);
    m_view->showRecordOrGrid();
}

void TFormMain::PaintBox1MouseDown(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    PaintBox1ReadAt(at.x(), at.y());
}

void TFormMain::PaintBox1ReadAt(int x, int y)
{
    const ViewOptions &options = m_view->viewOptions();
    std::optional<QString> text;
    if (options.view == GraphView::ZPhase && !options.zoom) {
        text = cursorReadout(m_document->measurement(), m_document->curveRaw(), shownScale(), x,
                             PaintBox1->width());
    } else if (graph->lastView().refusal == ViewRefusal::None) {
        const int slot = graph->lastView().referenceSlot;
        ReadoutCurves curves;
        curves.measurement = &m_document->measurement();
        curves.curve = &m_document->curveRaw();
        if (slot >= 0) {
            curves.reference = &m_document->refCurveRaw(slot);
            curves.withPhase =
                m_document->measurementHasPhase() && m_document->referenceHasPhase(slot);
        }
        // The bitmap sits inside a one-pixel frame.
        text = viewCursorReadout(curves, graph->shownFrame(), shownScale().band,
                                 QPoint(x - 1, y - 1), y < 0);
    }
    if (text && status) {
        status->showText(*text, HStatus::kReadoutPanel);
        // A screen reader reads the value with the focused graph.
        PaintBox1->setAccessibleDescription(*text);
    }
}

void TFormMain::zoomView(std::optional<QRectF> zoom)
{
    // A run draws its band whole; nothing drawn has nothing to zoom.
    if (m_run->measuring() || !graph ||
        !(m_document->hasMeasurement() || m_document->anyReferenceLoaded()))
        return;
    ViewOptions options = m_view->viewOptions();
    if (!zoom && !options.zoom)
        return;
    options.zoom = zoom;
    m_view->setViewOptions(options);
    m_view->refreshView();
}

void TFormMain::FormPaint()
{
    // The box paints the renderer's picture itself; a window repaint only asks it to.
    if (graph)
        PaintBox1->update();
}
