#pragma once

#include "ImpedanceSource.h"

#include <map>
#include <string>

// What --driver, --added-mass and --box say about the modelled loudspeaker, kept as typed until
// every option has been read: a driver is given either by its resonance (Fs, Qms, Qes, optionally
// Mms and Sd) or physically (Bl, Mms, Cms, Rms, optionally Sd); Re and Le belong to both.
// R2 (ohm) and L2 (mH) add the coil's eddy-current branch to either.
// Units as typed: Re ohm, Le mH, Bl T*m, Mms g, Cms mm/N, Rms kg/s, Sd cm^2, Fs Hz.
struct DriverInput {
    std::map<std::string, double> given; // by the names above
    double addedMassGrams = 0;           // 0: nothing on the cone
    double boxLitres = 0;                // 0: free air
    double ventLitres = 0;               // a vented box of ventLitres tuned to ventFbHz
    double ventFbHz = 0;
    double ventQl = 7; // leakage; 0: none
};

// "LITRES,FB_HZ[,QL]" into the driver's vented box; QL 0 or inf for a lossless box.
bool setVentedBox(const std::string &text, DriverInput &driver, std::string &error);

// "Re=5.7,Bl=7,Mms=15,..." (any case) into `driver.given`; a later value replaces an earlier one.
bool addDriverParams(const std::string &text, DriverInput &driver, std::string &error);

// The impedance model of the driver as it is measured: with the added mass on its cone and in
// its sealed or vented box. Without mass or box, a resonance-given driver keeps its values exactly.
bool resolveDriver(const DriverInput &driver, LoudspeakerParams &params, std::string &error);

// Stiffness of air, rho * c^2 in Pa, with the analysis's default air (20 degrees C, 1013.25 hPa).
double airStiffnessPa();
