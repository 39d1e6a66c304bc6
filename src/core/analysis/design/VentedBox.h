#pragma once

struct CurveBlock;

// Why a box curve gave no textbook values.
enum class VentedBoxOutcome {
    Ok,
    NoData,    // the band holds no measured point
    BadVolume, // Vb not above 0
    OnePeak,   // one |Z| peak only: a sealed box or a blocked port
};

// The textbook reading of a vented box's impedance: the two |Z| peaks fL < fH and the minimum
// fM between them, each interpolated between grid points; exact for a lossless box only.
struct VentedBoxTextbook {
    VentedBoxOutcome outcome = VentedBoxOutcome::NoData;
    double fLHz = 0, fMHz = 0, fHHz = 0;
    double fbHz = 0;      // ≈ fM
    double alpha = 0;     // Vas / Vb
    double fsHz = 0;      // ≈ fL·fH/fM
    double vasLitres = 0; // α·Vb
    bool ok() const { return outcome == VentedBoxOutcome::Ok; }
};

// The box curve's band (1..9) of raw |Z|, the box's net volume in litres.
VentedBoxTextbook analyseVentedBox(const CurveBlock &raw, int band, double vbLitres);

// The relations alone, from the three frequencies.
double ventedBoxAlpha(double fL, double fM, double fH);
