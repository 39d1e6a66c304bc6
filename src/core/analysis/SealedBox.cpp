#include "core/analysis/SealedBox.h"

#include <cmath>

double vasFromSealedBox(double vb, double fs, double qes, double fc, double qec)
{
    return vb * ((fc * qec) / (fs * qes) - 1.0);
}

double mmsFromVas(double vas, double fs, double sd, double rho, double c)
{
    const double cms = vas / (rho * c * c * sd * sd);
    const double w = 2.0 * M_PI * fs;
    return 1.0 / (w * w * cms);
}
