#pragma once

#include "core/model/CurveBlock.h"
#include "core/qc/QcLimits.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QSize>

// The QC station's graph: the limits' band on |Z| as two lines, and the measured curve (R and
// phase) over it, drawn by the program's own graph picture and axis labels. The main window's
// graph is not involved.
struct QcGraphInput {
    const QcLimits *limits = nullptr; // the band is drawn when given
    const CurveBlock *raw = nullptr;  // the measured curve, when there is one
    int pointsShown = 0;              // of raw, from the band's first point (a run fills it)
    QSize size;                       // the whole picture, labels included
    QFont font;
    QColor background;
    QColor text;
};

QImage renderQcGraph(const QcGraphInput &in);

// The band's low and high |Z| as two curves (phase 0), to draw as reference lines.
void qcBandCurves(const QcLimits &limits, CurveBlock &low, CurveBlock &high);
