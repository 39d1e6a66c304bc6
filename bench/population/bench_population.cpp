// Many units: 16 units split exactly into four sets of four, and `velo2-cli stats` over a
// folder of 200 data files, each timed and set against its goal of one second.

#include "SpeakerCurve.h"
#include "core/analysis/population/MatchedSets.h"
#include "core/files/AnsiText.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <random>

namespace {

constexpr double kGoalS = 1.0;
constexpr int kMatchCases = 20;
constexpr int kFiles = 200;

// Exact matching of random (seeded) units on Fs alone (the hardest case: many splits tie) and
// on Fs, Qts and Qes: the slowest and the mean case of each.
void benchMatch(int params)
{
    std::mt19937 gen(16);
    std::normal_distribution<double> value(1.0, 0.1);
    double worst = 0.0;
    double total = 0.0;
    for (int c = 0; c < kMatchCases; ++c) {
        MatchInput in;
        for (int u = 0; u < 16; ++u) {
            in.values.emplace_back();
            for (int p = 0; p < params; ++p)
                in.values.back().push_back(value(gen));
        }
        in.sizes = {4, 4, 4, 4};
        QElapsedTimer t;
        t.start();
        const MatchResult r = matchSets(in);
        const double s = double(t.nsecsElapsed()) / 1e9;
        if (!r.ok() || !r.exact)
            std::printf("match: case %d failed\n", c);
        worst = std::max(worst, s);
        total += s;
    }
    std::printf("match 16 units into 4 x 4 (exact, %d parameter(s), %d cases): mean %.4f s, "
                "slowest %.4f s (goal <= %.1f s: %s)\n",
                params, kMatchCases, total / kMatchCases, worst, kGoalS,
                worst <= kGoalS ? "met" : "MISSED");
}

// The program's writer makes 200 band-4 files; the tool opens the folder and prints the table.
void benchStats()
{
    QTemporaryDir dir;
    std::mt19937 gen(200);
    std::normal_distribution<double> fs(50.0, 3.0);
    auto record = std::make_unique<MeasurementRecord>();
    for (int i = 0; i < kFiles; ++i) {
        SpeakerModel m;
        m.fs = fs(gen);
        fillRecord(*record, 4, m);
        record->dateTime = toAnsi(QStringLiteral("2024/05/01 9:00:00"));
        VELO_File().writeDataFile(
            dir.filePath(QStringLiteral("u%1.DTA").arg(i, 3, 10, QLatin1Char('0'))), "S", 3,
            record.get());
    }
    QProcess p;
    QElapsedTimer t;
    t.start();
    p.start(QStringLiteral(VELO2_BINARY_DIR "/tools/velo2-cli/velo2-cli"),
            {QStringLiteral("stats"), dir.path(), QStringLiteral("--re"), QStringLiteral("6.2"),
             QStringLiteral("--json")});
    p.waitForFinished(60000);
    const double s = double(t.nsecsElapsed()) / 1e9;
    const int units =
        int(QJsonDocument::fromJson(p.readAllStandardOutput())["units"].toArray().size());
    std::printf("velo2-cli stats over a folder of %d data files (%d units in the table): %.3f s "
                "(goal <= %.1f s: %s)\n",
                kFiles, units, s, kGoalS, s <= kGoalS && units == kFiles ? "met" : "MISSED");
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    benchMatch(1);
    benchMatch(3);
    benchStats();
    return 0;
}
