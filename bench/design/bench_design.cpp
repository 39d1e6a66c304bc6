// The compensation networks' fits on a real driver's curve (SEAS L16RN-X, free air, as the
// document puts the table on band 2): the Zobel over 300 Hz-20 kHz and the resonance notch,
// each timed over repeated runs; and the vented box's fit (the free-air model fit, then the
// lossy box) on the simulator's driver in a 20 L box at 30 Hz with QL 5, swept on band 9.
// Goal: each fit at most 50 ms.

#include "DriverInput.h"
#include "SimulatorReplay.h"
#include "core/analysis/design/Compensation.h"
#include "core/analysis/design/VentedBoxFit.h"
#include "core/document/MeasurementDocument.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

constexpr int kRuns = 20;

// Slowest and fastest of kRuns, in milliseconds.
std::pair<double, double> timed(const std::function<bool()> &fit)
{
    double slowest = 0.0;
    double fastest = 1e9;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer t;
        t.start();
        if (!fit())
            return {-1.0, -1.0};
        const double ms = t.nsecsElapsed() / 1e6;
        slowest = std::max(slowest, ms);
        fastest = std::min(fastest, ms);
    }
    return {fastest, slowest};
}

std::unique_ptr<CurveBlock> simulatedSweep(const char *ventedBox, int band)
{
    DriverInput input;
    LoudspeakerParams p;
    std::string error;
    if (!addDriverParams("Re=5.7,Le=0.3,Bl=7,Mms=15,Cms=1,Rms=0.5,Sd=130", input, error) ||
        (ventedBox && !setVentedBox(ventedBox, input, error)) || !resolveDriver(input, p, error))
        return nullptr;
    return replaySweep(LoudspeakerModel(p), band);
}

std::pair<double, double> timedVentedBox()
{
    constexpr int kBand = 9;
    const auto freeAir = simulatedSweep(nullptr, kBand);
    const auto box = simulatedSweep("20,30,5", kBand);
    if (!freeAir || !box)
        return {-1.0, -1.0};
    VentedBoxFitResult r;
    const auto t = timed([&] {
        r = fitVentedBox(ventedBoxFitInput(*freeAir, kBand, *box, kBand, 20.0, 0.0));
        return r.ok();
    });
    std::printf("vented box (free-air fit, then the box)  %6.2f-%6.2f ms per fit  Vas %.2f L "
                "(textbook %.2f L), Fb %.2f Hz, QL %.2f\n",
                t.first, t.second, r.vasLitres, r.textbook.vasLitres, r.fbHz, r.ql);
    return t;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString path = QStringLiteral(VELO2_SHARED_DATA_DIR "/real-drivers/seas_l16rnx_0g.zma");
    auto doc = std::make_unique<MeasurementDocument>();
    if (!doc->importMeasurement(path).ok()) {
        std::fprintf(stderr, "bench_design: %s cannot be read\n", qPrintable(path));
        return 1;
    }
    const CurveBlock &curve = doc->curveRaw();
    std::printf("bench_design: SEAS L16RN-X free air, band %d, %d runs each\n",
                doc->measurement().band, kRuns);
    double flatness = 0.0;
    const auto zobel = timed([&] {
        const ZobelDesign d = designZobel(curve, 300.0, 20000.0, ESeries::E24);
        flatness = d.fitted.flatnessPct;
        return d.ok();
    });
    std::printf("zobel 300 Hz-20 kHz  %6.2f-%6.2f ms per fit  flatness +-%.2f %%\n", zobel.first,
                zobel.second, flatness);
    const auto second = timed([&] {
        const ZobelDesign d = designZobel(curve, 300.0, 20000.0, ESeries::E24, true);
        flatness = d.fitted.flatnessPct;
        return d.ok();
    });
    std::printf("zobel, two pairs    %6.2f-%6.2f ms per fit  flatness +-%.2f %%\n", second.first,
                second.second, flatness);
    const auto notch = timed([&] {
        const NotchDesign d = designNotch(curve);
        flatness = d.flatnessPct;
        return d.ok();
    });
    std::printf("notch               %6.2f-%6.2f ms per fit  flatness +-%.2f %%\n", notch.first,
                notch.second, flatness);
    const auto box = timedVentedBox();
    return zobel.first >= 0.0 && second.first >= 0.0 && notch.first >= 0.0 && box.first >= 0.0 ? 0
                                                                                               : 1;
}
