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

// The range airAt is meant for; anything outside is a typing error rather than weather.
bool isPlausibleAir(double tempC, double pressureHPa);

// Area of a piston of the given diameter [mm], in m².
double pistonAreaM2(double diameterMm);
