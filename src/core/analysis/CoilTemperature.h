#pragma once

#include <QString>

// The voice coil's resistance rises with its temperature: Re(T) = Re20·(1 + α·(T − 20 °C)).
// A coil measured warm (or in a warm room) is compared with others at 20 °C.

constexpr double kReferenceCoilTempC = 20.0;

enum class CoilMaterial { Copper, Aluminium };

struct CoilTemperature {
    double tempC = kReferenceCoilTempC; // the coil's temperature, or the room's when not known
    CoilMaterial material = CoilMaterial::Copper;
};

// α at 20 °C, per kelvin: annealed copper 0.00393 (IEC 60028), hard-drawn aluminium 0.00403
// (IEC 60889).
double coilTempCoefficient(CoilMaterial material);

// Re at 20 °C from the Re measured at coil.tempC.
double reAt20C(double re, const CoilTemperature &coil);

// Coil temperatures the formula is meant for, with room to spare: -40..250 °C.
bool isPlausibleCoilTemp(double tempC);

// "copper", "aluminium" (also "aluminum"), as files and the command line write them.
QString coilMaterialName(CoilMaterial material);
bool coilMaterialFromName(const QString &name, CoilMaterial *out);
