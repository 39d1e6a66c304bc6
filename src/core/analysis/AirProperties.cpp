#include "core/analysis/AirProperties.h"

#include <cmath>

namespace {

constexpr double kGasConstantDryAir = 287.05; // J/(kg K)
constexpr double kHeatCapacityRatio = 1.4;
constexpr double kZeroCelsius = 273.15;

} // namespace

Air airAt(double tempC, double pressureHPa)
{
    const double kelvin = tempC + kZeroCelsius;
    return {pressureHPa * 100.0 / (kGasConstantDryAir * kelvin),
            std::sqrt(kHeatCapacityRatio * kGasConstantDryAir * kelvin)};
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
