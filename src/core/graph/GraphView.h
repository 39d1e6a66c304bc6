#pragma once

#include <QRectF>
#include <QString>
#include <QStringList>
#include <optional>

// What the graph shows. ZPhase is the classic |Z| and phase chart and the default.
enum class GraphView { ZPhase, RX, Nyquist, Diff, Ratio };

// The views' command-line names, in menu order: zphase, rx, nyquist, diff, ratio.
QString graphViewName(GraphView view);
std::optional<GraphView> graphViewFromName(const QString &name);
QStringList graphViewNames();

// How a view is drawn. Every option off and ZPhase is the classic chart, drawn by the classic
// code path pixel for pixel.
struct ViewOptions {
    GraphView view = GraphView::ZPhase;
    bool diffPercent = false; // Diff: the |Z| difference in % of the reference, not in ohms
    int referenceSlot = -1;   // Diff and Ratio: the slot compared against; -1 for the first loaded
    bool legend = false;      // a box naming each drawn curve
    bool logZ = false;        // a logarithmic |Z| axis in the |Z| and phase view
    // A zoomed part of the view in data units: x from left() to right() (Hz on a frequency
    // axis, ohms in Nyquist), the left axis from top() to bottom(); none for the whole band.
    std::optional<QRectF> zoom;

    // True when the classic chart draws it unchanged.
    bool isClassic() const { return view == GraphView::ZPhase && !legend && !logZ && !zoom; }
};

// Views that need the phase of the curves they draw.
bool viewNeedsPhase(GraphView view);
// Views drawn against a reference.
bool viewNeedsReference(GraphView view);
