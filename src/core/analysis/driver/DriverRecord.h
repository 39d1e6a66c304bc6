#pragma once

// A driver as box and crossover simulators take it: the worksheet's values in one flat record
// with the measured impedance curve. SI units throughout; 0 means not known.
//
// Mms as measured in free air carries the air moved on both sides of the cone. Simulators
// that add their own air load want the cone alone (Mmd): Mmd = Mms − Mair with
// Mair = 2 · 8/3 · ρ · a³, a = √(Sd / π): the load of a rigid piston in an infinite baffle,
// counted once per side.

#include "core/analysis/AirProperties.h"

#include <QString>
#include <QVector>

struct TsWorksheetResult;
struct FitResult;
struct CurveBlock;

struct DriverCurvePoint {
    double hz = 0.0;
    double ohm = 0.0;
    double deg = 0.0;
};

// A single added mass and the resonance it gave: enough to compute Mms again from numbers.
struct DriverMassPoint {
    double grams = 0.0;
    double fsLoadedHz = 0.0;
};

struct DriverRecord {
    QString name;
    QString method;  // where Mms comes from: "singleMass", "dualMass", "box"; empty if none
    double re = 0.0; // Ω
    double le = 0.0; // H
    double fs = 0.0; // Hz
    double qms = 0.0;
    double qes = 0.0;
    double qts = 0.0;
    double sd = 0.0;   // m²
    double mms = 0.0;  // kg, with the air load
    double mmd = 0.0;  // kg, the cone alone
    double mair = 0.0; // kg
    double cms = 0.0;  // m/N
    double rms = 0.0;  // kg/s
    double bl = 0.0;   // T·m
    double vas = 0.0;  // m³
    Air air;
    QVector<DriverMassPoint> masses;
    int band = 0;
    QVector<DriverCurvePoint> curve;

    bool hasMechanics() const { return sd > 0.0 && mms > 0.0 && bl > 0.0; }
};

// 2 · 8/3 · ρ · a³ for a piston of area sd.
double airLoadMass(double sdM2, double rho);

// The record of a computed worksheet: its basis values, the first mechanical set the
// worksheet gives (dual mass, else the first single mass, else the box) and Le from the fit
// when one is given.
DriverRecord driverRecord(const TsWorksheetResult &sheet, const FitResult *fit);

// The measured points of the band, in frequency order.
void setDriverCurve(DriverRecord *record, const CurveBlock &raw, int band);
