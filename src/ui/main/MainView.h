#pragma once

#include "core/graph/GraphView.h"
#include "core/graph/ViewPicture.h"
#include "core/model/CurveBlock.h"
#include "core/model/GraphScale.h"

#include <functional>
#include <memory>

class Graph_RTF;
class MeasurementDocument;
class QAction;

// What the main window's graph shows: the scale it draws against, the graph options (their
// menu marks are their state) and the view operations that rescale and redraw.
class MainView
{
public:
    struct Options {
        QAction *rOnly = nullptr;
        QAction *wide = nullptr;
        QAction *averaging = nullptr;
        // Shades mean ± 2 sigma under a measurement that is the mean of repeated sweeps.
        QAction *spread = nullptr;
    };

    MainView(const MeasurementDocument &document, Options options);
    ~MainView();

    // The renderer, once the window has created it; until then nothing is drawn.
    void setGraph(Graph_RTF *graph) { m_graph = graph; }
    Graph_RTF *graph() const { return m_graph; }
    GraphScale &scale() { return m_scale; }
    const GraphScale &scale() const { return m_scale; }

    // The view the graph draws (the classic chart by default) and its options.
    void setViewOptions(const ViewOptions &options) { m_viewOptions = options; }
    const ViewOptions &viewOptions() const { return m_viewOptions; }
    // Told how each drawing of a view other than the classic chart went.
    void setViewReport(std::function<void(const ViewDrawn &)> report)
    {
        m_viewReport = std::move(report);
    }

    bool rOnly() const;
    bool wide() const;
    bool averaging() const;
    bool spread() const;

    void selectShownCurves();
    void scaleForMeasurement();
    void scaleForReferences();
    void scaleForBoth();
    void showMeasurement();
    void showReferences();
    void showMeasurementAndReferences();
    // The measurement, with the references when any is loaded.
    void showMeasurementView();
    // Whatever is loaded; with nothing loaded the graph keeps its picture.
    void refreshView();
    // What the record holds, or else the references, or else the band's empty grid.
    void showRecordOrGrid();
    // The empty grid, labels as they are.
    void clear();
    // The live curve so far, without touching the scales the run may have raised.
    void showLive(int points);
    // The units window's band (shaded) and chosen unit over the band's grid, until called with
    // nulls (the scale and curves are then as before) or the main window shows its own curves
    // or another band.
    void showUnits(const CurveBlock *upper, const CurveBlock *lower, const CurveBlock *unit,
                   int band);
    bool showingUnits() const { return m_unitsUpper != nullptr; }

private:
    // Hands the renderer the chosen view and the document's names and phases.
    void passView();
    void reportView();

    const MeasurementDocument &m_doc;
    ViewOptions m_viewOptions;
    std::function<void(const ViewDrawn &)> m_viewReport;
    Options m_options;
    Graph_RTF *m_graph = nullptr;
    GraphScale m_scale;
    std::unique_ptr<CurveBlock> m_spreadUpper;
    std::unique_ptr<CurveBlock> m_spreadLower;
    const CurveBlock *m_unitsUpper = nullptr;
    const CurveBlock *m_unitsLower = nullptr;
    const CurveBlock *m_unitsCurve = nullptr;
    int m_unitsBand = 0;
    GraphScale m_scaleBeforeUnits;
    void drawUnits();
    // Forgets the units' curves; false when none were shown.
    bool dropUnits();
};
