#include "CliIo.h"
#include "CliJson.h"
#include "CliMessages.h"
#include "CommandLine.h"
#include "Commands.h"
#include "DocumentFiles.h"
#include "core/analysis/MotionalCircle.h"
#include "core/model/BandTable.h"

#include <QJsonObject>
#include <algorithm>

namespace {

const char *const kJsonKeys[kCircleValueCount] = {"Res_ohm", "fs_Hz", "fa_Hz",
                                                  "fb_Hz",   "Qms",   "residual_ohm"};

void printCircleJson(const QString &input, int band, const MotionalCircle &c)
{
    QJsonObject o{{QStringLiteral("file"), input},
                  {QStringLiteral("band"), band},
                  {QStringLiteral("centreR_ohm"), c.centreROhm},
                  {QStringLiteral("centreX_ohm"), c.centreXOhm},
                  {QStringLiteral("points"), c.last - c.first + 1}};
    const auto values = circleValues(c);
    for (int i = 0; i < kCircleValueCount; ++i)
        o.insert(QLatin1String(kJsonKeys[i]), values[std::size_t(i)]);
    printJson(o);
}

// The analysis window's rows: a label and the value's text.
void printCircleText(const MotionalCircle &c)
{
    const auto values = circleValues(c);
    int width = 0;
    for (int i = 0; i < kCircleValueCount; ++i)
        width = std::max(width, int(CliMessages::circleLabel(i).size()));
    QStringList rows;
    for (int i = 0; i < kCircleValueCount; ++i)
        rows << CliMessages::circleLabel(i).leftJustified(width + 2) +
                    circleValueText(i, values[std::size_t(i)]);
    printOut(rows.join(QLatin1Char('\n')));
}

} // namespace

int runCircle(const QStringList &args)
{
    CommandLine cl(QStringLiteral("circle"), QStringLiteral("FILE [--band N] [--json]"),
                   CliMessages::circleDescription());
    cl.addValue({QStringLiteral("band")}, QStringLiteral("N"), CliMessages::convertBandHelp());
    cl.addFlag(QStringLiteral("json"), CliMessages::jsonHelp());
    if (const int code = cl.parse(args); code >= 0)
        return code;
    if (const int code = cl.expectPositional(1, 1, QStringLiteral("FILE")); code >= 0)
        return code;
    const QString input = cl.positional().first();
    const auto doc = std::make_unique<MeasurementDocument>();
    if (const int code = openWithBandOption(cl, *doc, input); code >= 0)
        return code;

    // The analysis window's curve: the unaveraged one.
    const MotionalCircle circle = fitMotionalCircle(doc->curveRaw(), doc->measurement().band);
    if (!circle.ok())
        return cl.fileFailure(input, CliMessages::circleRefused(circle.outcome));
    if (cl.isSet(QStringLiteral("json")))
        printCircleJson(input, doc->measurement().band, circle);
    else
        printCircleText(circle);
    return finishOutput() ? ExitOk : ExitFailed;
}
