#include "core/analysis/CoilTemperature.h"

#include <cmath>

double coilTempCoefficient(CoilMaterial material)
{
    return material == CoilMaterial::Aluminium ? 0.00403 : 0.00393;
}

double reAt20C(double re, const CoilTemperature &coil)
{
    return re / (1.0 + coilTempCoefficient(coil.material) * (coil.tempC - kReferenceCoilTempC));
}

bool isPlausibleCoilTemp(double tempC)
{
    return std::isfinite(tempC) && tempC >= -40.0 && tempC <= 250.0;
}

QString coilMaterialName(CoilMaterial material)
{
    return material == CoilMaterial::Aluminium ? QStringLiteral("aluminium")
                                               : QStringLiteral("copper");
}

bool coilMaterialFromName(const QString &name, CoilMaterial *out)
{
    const QString n = name.trimmed().toLower();
    if (n == QLatin1String("copper") || n == QLatin1String("cu"))
        *out = CoilMaterial::Copper;
    else if (n == QLatin1String("aluminium") || n == QLatin1String("aluminum") ||
             n == QLatin1String("al"))
        *out = CoilMaterial::Aluminium;
    else
        return false;
    return true;
}
