#include "core/analysis/AddedMass.h"

double mmsFromAddedMass(double fs, double fsLoaded, double mass)
{
    const double ratio = fs / fsLoaded;
    return mass / (ratio * ratio - 1.0);
}

double resonanceShift(double fs, double fsLoaded)
{
    return 1.0 - fsLoaded / fs;
}

double massForShift(double mms, double shift)
{
    // Fs' / Fs = sqrt(Mms / (Mms + M)).
    const double ratio = 1.0 - shift;
    return mms * (1.0 / (ratio * ratio) - 1.0);
}
