#include "Commands.h"

namespace {

const Command kCommands[] = {
    {"info", runInfo, false},       {"export", runExport, false},   {"zma", runZma, false},
    {"convert", runConvert, false}, {"peaks", runPeaks, false},     {"ts", runTs, false},
    {"render", runRender, true},    {"measure", runMeasure, false}, {"fit", runFit, false},
    {"qc", runQc, false},           {"ports", runPorts, false},     {"compare", runCompare, false},
    {"circle", runCircle, false},   {"stats", runStats, false},     {"match", runMatch, false},
    {"trend", runTrend, false},     {"box", runBox, false},         {"zobel", runZobel, false},
    {"notch", runNotch, false},     {"driver", runDriver, false},
};

} // namespace

const Command *commands(int *count)
{
    *count = int(std::size(kCommands));
    return kCommands;
}

const Command *findCommand(const QString &name)
{
    for (const Command &c : kCommands)
        if (name == QLatin1String(c.name))
            return &c;
    return nullptr;
}
