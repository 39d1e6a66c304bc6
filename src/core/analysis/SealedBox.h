#pragma once

// The known-box method: the driver in a sealed box of volume Vb resonates at Fc with Qec.

// Vas = Vb ((Fc Qec) / (Fs Qes) - 1), in the unit of Vb.
double vasFromSealedBox(double vb, double fs, double qes, double fc, double qec);

// The moving mass that Vas [m³] implies: Cms = Vas / (rho c² Sd²), Mms = 1 / ((2π Fs)² Cms).
double mmsFromVas(double vas, double fs, double sd, double rho, double c);
