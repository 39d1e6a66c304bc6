#pragma once

// The air the cone moves: density and speed of sound from temperature and pressure, and the
// piston area from its diameter.

constexpr double kDefaultAirTempC = 20.0;
constexpr double kDefaultAirPressureHPa = 1013.25;

struct Air {
    double rho = 0.0; // kg/m³
    double c = 0.0;   // m/s
};

// Dry air as an ideal gas: rho = p / (R T), c = sqrt(gamma R T).
Air airAt(double tempC, double pressureHPa);

// Humid air at a relative humidity [%]: the water vapour (its saturation pressure after Buck)
// lightens the air and speeds up sound. 0 % is airAt itself.
Air airAt(double tempC, double pressureHPa, double humidityPct);

// The range airAt is meant for; anything outside is a typing error rather than weather.
bool isPlausibleAir(double tempC, double pressureHPa);
bool isPlausibleHumidity(double humidityPct);
// Air constants typed directly: any air a driver is measured in, not a unit mix-up.
bool isPlausibleAirConstants(const Air &air);

// Area of a piston of the given diameter [mm], in m².
double pistonAreaM2(double diameterMm);
