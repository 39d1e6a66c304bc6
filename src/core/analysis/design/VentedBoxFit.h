#pragma once

#include "core/analysis/design/VentedBox.h"
#include "core/analysis/fit/ImpedanceFit.h"

#include <complex>
#include <vector>

struct CurveBlock;

// A lossy vented box fitted to the whole complex box curve. The driver is the free-air model
// fit of the free-air curve, held; the box behind the cone is the textbook circuit, acoustic
// elements in parallel: the box's compliance Cab (with absorption Rab in series), the port's
// mass Map (with its loss Rap in series) and the leakage Ral, scaled by Fb = 1/(2π√(Map·Cab)):
//   QL = ωb·Cab·Ral, QA = 1/(ωb·Cab·Rab), QP = 1/(ωb·Cab·Rap).
// Fitted are α = Vas/Vb (Vas the driver's compliance at its Fs), Fb and QL; QA and QP only when
// each lowers the residuals clearly and the curve determines it.

enum class VentedBoxFitOutcome {
    Ok,
    Textbook,      // the textbook reading refused the curves (its outcome says why)
    OtherBand,     // the box curve is on another band than the free-air curve
    FreeAirFailed, // no model fits the free-air curve (the driver fit's outcome says why)
    NoConvergence, // no box fits the box curve
};

// What a fit is computed from; made on the caller's thread, cheap to copy into a task.
struct VentedBoxFitInput {
    VentedBoxTextbook textbook; // the start values
    double vbLitres = 0;
    int freeBand = 0, boxBand = 0;
    std::vector<FitPoint> freeAir;
    std::vector<FitPoint> box;
    // The free-air model: the classic one where it follows the curve within 0.5 % and 0.5°,
    // else this one; Re held at driver.re unless driver.reFree.
    FitSettings driver;
};

// The textbook reading and the points of both curves. re above 0 holds the coil's Re there;
// 0 fits it with the free-air model.
VentedBoxFitInput ventedBoxFitInput(const CurveBlock &freeRaw, int freeBand,
                                    const CurveBlock &boxRaw, int boxBand, double vbLitres,
                                    double re);

struct VentedBoxFitResult {
    VentedBoxFitOutcome outcome = VentedBoxFitOutcome::Textbook;
    VentedBoxTextbook textbook;
    FitResult driver; // the free-air fit
    double vbLitres = 0;
    // The fitted box; a loss the model leaves out is 0 (an infinite Q), its error 0 too. A
    // standard error the curve does not give is NaN.
    double alpha = 0, vasLitres = 0, fbHz = 0, ql = 0, qa = 0, qp = 0;
    double vasStderr = 0, fbStderr = 0, qlStderr = 0, qaStderr = 0, qpStderr = 0;
    double fsHz = 0, fsStderr = 0; // the driver's, from the free-air fit
    double rmsMagPct = 0;          // RMS of |Z|fit / |Z| - 1 over the box curve, per cent
    double rmsPhaseDeg = 0;
    int points = 0;
    int iterations = 0;
    bool ok() const { return outcome == VentedBoxFitOutcome::Ok; }
    // The fitted model's impedance at frequency hz.
    std::complex<double> impedance(double hz) const;
};

// The slow part: the free-air fit, then the box's. Safe to run off the window's thread.
VentedBoxFitResult fitVentedBox(const VentedBoxFitInput &in);

// The box's part of the motional admittance, 1/S with S the acoustic load seen through the
// cone in electrical terms, for the driver's compliance lces (H): exposed for the tests.
std::complex<double> ventedBoxLoadAdmittance(double lces, double alpha, double fbHz, double ql,
                                             double qa, double qp, double hz);
