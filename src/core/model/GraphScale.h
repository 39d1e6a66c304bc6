#pragma once

#include <QtGlobal>

struct CurveBlock;

// Axis ranges the graph renderer draws against; read on every redraw.
// The shown-curve pointers travel with the scale so that the renderer reaches the axis
// ranges and the curves it draws through the one reference it is given.
struct GraphScale {
    qint32 fStartHz = 10;
    qint32 fEndHz = 100000;
    float rMin = 0.0f;
    float rMax = 25.0f;
    float thetaMin = -90.0f;
    float thetaMax = 90.0f;
    qint32 band = 2;
    const CurveBlock *curveShown = nullptr;  // raw or averaged block of the measurement
    const CurveBlock *refCurveShown[5] = {}; // the same for each reference slot
    // A fitted model's curve drawn dashed over the measurement; none when null.
    const CurveBlock *fitShown = nullptr;
    quint32 fitColor = 0; // ColorRef of the fitted curve, |Z| and phase alike
    // The edges of a shaded band under the measurement (mean ± 2 sigma of repeated sweeps);
    // none unless both are set.
    const CurveBlock *spreadUpper = nullptr;
    const CurveBlock *spreadLower = nullptr;
};

// Sets the axis ranges for a band; the shown-curve pointers stay as they are.
void initGraphScale(GraphScale &scale, int band);
