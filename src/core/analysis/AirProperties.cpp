#include "core/analysis/AirProperties.h"

#include <cmath>

namespace {

constexpr double kGasConstantDryAir = 287.05; // J/(kg K)
constexpr double kHeatCapacityRatio = 1.4;
constexpr double kZeroCelsius = 273.15;
constexpr double kMolarMassDryAir = 28.9645; // g/mol
constexpr double kMolarMassWater = 18.01528; // g/mol

// Saturation vapour pressure over water [hPa] (Buck 1996).
double saturationHPa(double tempC)
{
    return 6.1121 * std::exp((18.678 - tempC / 234.5) * (tempC / (257.14 + tempC)));
}

} // namespace

Air airAt(double tempC, double pressureHPa)
{
    const double kelvin = tempC + kZeroCelsius;
    return {pressureHPa * 100.0 / (kGasConstantDryAir * kelvin),
            std::sqrt(kHeatCapacityRatio * kGasConstantDryAir * kelvin)};
}

Air airAt(double tempC, double pressureHPa, double humidityPct)
{
    const Air dry = airAt(tempC, pressureHPa);
    if (!(humidityPct > 0.0))
        return dry;
    // x: mole fraction of water vapour. The mixture's molar mass falls with x; its heat
    // capacities mix per mole (vapour: cv = 3 R, dry air: cv = 5/2 R).
    const double x = humidityPct / 100.0 * saturationHPa(tempC) / pressureHPa;
    const double massRatio = 1.0 - x * (1.0 - kMolarMassWater / kMolarMassDryAir);
    const double cv = (1.0 - x) * 2.5 + x * 3.0;
    const double gamma = (cv + 1.0) / cv;
    return {dry.rho * massRatio, dry.c * std::sqrt(gamma / kHeatCapacityRatio / massRatio)};
}

bool isPlausibleHumidity(double humidityPct)
{
    return std::isfinite(humidityPct) && humidityPct >= 0.0 && humidityPct <= 100.0;
}

bool isPlausibleAirConstants(const Air &air)
{
    return std::isfinite(air.rho) && std::isfinite(air.c) && air.rho >= 0.5 && air.rho <= 2.0 &&
           air.c >= 250.0 && air.c <= 450.0;
}

bool isPlausibleAir(double tempC, double pressureHPa)
{
    return std::isfinite(tempC) && std::isfinite(pressureHPa) && tempC >= -40.0 && tempC <= 60.0 &&
           pressureHPa >= 500.0 && pressureHPa <= 1100.0;
}

double pistonAreaM2(double diameterMm)
{
    const double r = diameterMm * 0.5e-3;
    return M_PI * r * r;
}
