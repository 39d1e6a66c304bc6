#pragma once

#include "core/model/CurveBlock.h"
#include "core/model/Settings.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QSize>

// The compensation window's graph: the measured |Z| and the |Z| with the network across it on
// one axis, drawn by the program's own graph picture and axis labels.
struct CompensationGraphInput {
    const CurveBlock *measured = nullptr;
    const CurveBlock *compensated = nullptr; // none drawn when null
    int band = kStartupBand;
    QSize size; // the whole picture, labels included
    QFont font;
    QColor background;
    QColor text;
};

// The colours the two curves are drawn in (the measurement's and the first reference's).
ColorRef compensationMeasuredColour();
ColorRef compensationCurveColour();

QImage renderCompensationGraph(const CompensationGraphInput &in);
