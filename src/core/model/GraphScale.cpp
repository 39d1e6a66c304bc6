#include "core/model/GraphScale.h"

#include "core/model/BandTable.h"

void initGraphScale(GraphScale &scale, int band)
{
    scale.fStartHz = bandStartHz(band);
    scale.fEndHz = bandEndHz(band);
    scale.rMin = 0.0f;
    scale.rMax = 25.0f;
    scale.thetaMin = -90.0f;
    scale.thetaMax = 90.0f;
    scale.band = band;
}
