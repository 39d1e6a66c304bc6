#pragma once

#include <QStringList>

// Each subcommand takes the arguments after its name and returns the exit code.
int runInfo(const QStringList &args);
int runExport(const QStringList &args);
int runZma(const QStringList &args);
int runConvert(const QStringList &args);
int runPeaks(const QStringList &args);
int runCircle(const QStringList &args);
int runTs(const QStringList &args);
int runFit(const QStringList &args);
int runRender(const QStringList &args);
int runCompare(const QStringList &args);
int runMeasure(const QStringList &args);
// "qc limits" and "qc check" (and the log's "qc report"), dispatched by runQc.
int runQc(const QStringList &args);
int runQcLimits(const QStringList &args);
int runQcCheck(const QStringList &args);
int runQcReport(const QStringList &args);
int runQcGrr(const QStringList &args);
int runQcReplicate(const QStringList &args);
// "qc limits --from-db": new windows from the units that passed in production.
bool isQcLimitsFromLog(const QStringList &args);
int runQcLimitsFromLog(const QStringList &args);
int runPorts(const QStringList &args);
// Many units: statistics, matched sets and the trend over time.
int runStats(const QStringList &args);
int runMatch(const QStringList &args);
int runTrend(const QStringList &args);
int runBox(const QStringList &args);
int runZobel(const QStringList &args);
int runNotch(const QStringList &args);
// Driver files: "driver export" (beside ts, whose options it shares) and "driver show".
int runDriver(const QStringList &args);
int runDriverExport(const QStringList &args);

struct Command {
    const char *name;
    int (*run)(const QStringList &args);
    bool needsGui; // draws with Qt Gui (fonts, images), so it needs a QGuiApplication
};

// The subcommands in the order the overall help lists them; nullptr for an unknown name.
const Command *findCommand(const QString &name);
const Command *commands(int *count);
