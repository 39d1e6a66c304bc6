#pragma once

#include "core/model/Settings.h"
#include "core/print/PrintLayout.h"

#include <QString>

class GraphPrintSource;
class QLabel;
class QPainter;
class QPrinter;

// One graph printout: made for one print job and destroyed right after it. The plot comes
// from the renderer as a bitmap at printer resolution; label texts are those the screen
// labels hold, placed where the renderer says; below the graph follow the title and the
// non-empty information lines of Settings.printInfo.
class THKA_Print
{
public:
    // labels: the main window's table of kAxisLabelCount axis labels in the renderer's
    // order (R ticks, "[Ω]", θ ticks, "[deg]", frequency ticks, "[Hz]"); a null entry is
    // never printed. Nothing is owned.
    THKA_Print(GraphPrintSource *renderer, QPrinter *printer, const Settings *settings,
               QLabel *const *labels);

    // Composes and prints the page. The θ labels are left out in the R-only view, where
    // the screen no longer updates them. False when nothing was printed: a printable area
    // too small for a plot, no memory for the bitmap, or a printer that would not start.
    bool printGraph(bool rOnly, bool unitIsHKA, bool thickLines, bool withReferences);

    // The printer's values as the layout needs them, with the screen's logical dpi.
    PrintDevice deviceValues() const;
    // The geometry the last printGraph used.
    const PrintLayout &layout() const { return m_layout; }
    static QString title(bool unitIsHKA);

private:
    void printLabelGroup(QPainter &painter, int firstEntry, int count, const int *xs,
                         const int *ys) const;
    static void printText(QPainter &painter, int x, int y, const QString &text);

    QPrinter *m_printer;
    GraphPrintSource *m_renderer;
    QLabel *const *m_labels;
    const Settings *m_settings;
    PrintLayout m_layout;
};
