#pragma once

#include "core/graph/AxisLabelLayout.h"
#include "core/graph/AxisLabels.h"
#include "core/graph/ChartExport.h"
#include "core/graph/GraphPicture.h"
#include "core/graph/ViewPicture.h"
#include "core/model/GraphScale.h"
#include "core/model/Settings.h"

#include <QFont>
#include <QImage>
#include <QPointer>
#include <QRect>
#include <array>

class QLabel;
class QPainter;
class QWidget;
class TPaintBox;

// The impedance chart of the main window: the picture (see GraphPicture) shown in the paint
// box, and the tick labels, which are the main window's 35 label controls, filled and moved
// around the box as the label layout says. Nothing but the picture is owned.
class Graph_RTF
{
public:
    // labelSlots: the main window's table of 35 labels, in the order R ticks (Label0..Label9,
    // Label00), Label01, phase ticks (Label20..Label30), Label31, frequency ticks
    // (Label10..Label19), Label199. A null slot is never touched.
    Graph_RTF(QWidget *mainWindow, TPaintBox *box, const Settings *settings,
              QLabel *const *labelSlots, const GraphScale *graphScale);
    ~Graph_RTF();
    Graph_RTF(const Graph_RTF &) = delete;
    Graph_RTF &operator=(const Graph_RTF &) = delete;

    // Re-reads the box size after the box was moved or resized; the caller redraws.
    void resize();
    // Takes the desktop's colours and the screen's pixel ratio again; true when either changed
    // (the caller redraws).
    bool followLook();
    // Presents the current bitmap inside the frame (the box's paint handler); never redraws.
    void paint(QPainter &painter);
    // Resets the picture to the empty grid and presents it; the labels stay as they are.
    void clear();
    // Writes and places every tick and unit label for the current scale.
    void layoutLabels(bool rOnly);

    // Curve drawing over the current picture; each but drawLiveSegment lays out the labels
    // first, and each presents the result.
    void drawMeasurement(bool rOnly, bool wide);
    // The live curve from the band's first point through `count` segments.
    void drawLive(bool rOnly, int count, bool wide);
    // One live segment, ending at grid index `index`.
    void drawLiveSegment(bool rOnly, int index, bool wide);
    void drawReferences(bool rOnly);
    void drawAll(bool rOnly, bool wide);

    // The view the drawing operations draw and the names and phases of its curves; the
    // classic chart unless set. In another view every drawing operation redraws the whole view.
    void setView(const ViewOptions &options, const ViewSources &sources);
    const ViewOptions &viewOptions() const { return m_viewOptions; }
    // How the last drawing of another view went, and its frame for the cursor.
    const ViewDrawn &lastView() const { return m_lastView; }
    // The axes of what the box shows now, the classic chart's included.
    ViewFrame shownFrame() const;

    // Draws grid and curves into a printer bitmap with the printing pen widths; touches
    // neither the screen nor the labels.
    void drawForPrint(QImage &bitmap, bool rOnly, bool wide, bool withReferences) const;
    // Printed positions of the label texts (see AxisLabels.h); label sizes are those of the
    // screen labels.
    void printRLabelPositions(int xs[12], int ys[12], int plotLeft, int plotTop, int plotHeight,
                              float scale, int textHeight) const;
    void printThetaLabelPositions(int xs[12], int ys[12], int plotRight, int plotTop,
                                  int plotHeight, float scale, int textHeight) const;
    void printFrequencyLabelPositions(int xs[11], int ys[11], int plotLeft, int plotBottom,
                                      int plotWidth, float scale, int textHeight) const;

    static int axisStartHz(float f);
    static int axisEndHz(float f);

    // What the box shows now, for drawing it again as a file or a clipboard picture.
    ChartRequest chartRequest() const;

    // The composed plot area (for checks and image export).
    const QImage &bitmap() const { return m_picture.bitmap(); }

private:
    // Draws the chosen view when it is not the classic chart; false for the classic chart.
    bool drawChosenView(bool rOnly, bool wide);
    void measureBox();
    void present();
    QRect boxInLabelSpace() const;
    QFont labelFont() const;
    void applyLabel(QLabel *label, const AxisLabelPlacement &placement);
    QSize labelSize(int entry) const;
    LabelSizes labelSizes() const;

    QWidget *m_mainWindow;
    QPointer<TPaintBox> m_box;
    GraphPicture m_picture;
    std::array<QLabel *, kAxisLabelCount> m_labels{};
    const GraphScale *m_graphScale;
    ViewOptions m_viewOptions;
    ViewSources m_viewSources;
    ViewDrawn m_lastView;
    bool m_viewDrawn = false; // the picture shows m_lastView
    ChartContent m_content;   // the last drawing's curves and options
};
