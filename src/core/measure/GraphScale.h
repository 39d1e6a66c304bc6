#pragma once

#include <QtGlobal>

// Axis ranges the graph renderer draws against; read on every redraw.
struct GraphScale {
    qint32 fStartHz = 10;
    qint32 fEndHz = 100000;
    float rMin = 0.0f;
    float rMax = 25.0f;
    float thetaMin = -90.0f;
    float thetaMax = 90.0f;
    qint32 band = 2;
};

void initGraphScale(GraphScale &scale, int band);
