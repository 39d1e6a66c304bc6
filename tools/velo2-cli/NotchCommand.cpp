#include "CliIo.h"
#include "CliJson.h"
#include "CliMessages.h"
#include "CommandLine.h"
#include "Commands.h"
#include "CompensatedZma.h"
#include "DocumentFiles.h"
#include "core/analysis/design/Compensation.h"

#include <QJsonObject>

int runNotch(const QStringList &args)
{
    CommandLine cl(QStringLiteral("notch"), QStringLiteral("FILE [--json] [--zma OUT.zma]"),
                   CliMessages::notchDescription());
    cl.addValue({QStringLiteral("band")}, QStringLiteral("N"), CliMessages::convertBandHelp());
    cl.addFlag(QStringLiteral("json"), CliMessages::jsonHelp());
    addCompensatedZmaOption(cl);
    if (const int code = cl.parse(args); code >= 0)
        return code;
    if (const int code = cl.expectPositional(1, 1, QStringLiteral("FILE")); code >= 0)
        return code;
    if (const int code = checkCompensatedZmaOption(cl); code >= 0)
        return code;
    const QString input = cl.positional().first();
    const auto doc = std::make_unique<MeasurementDocument>();
    if (const int code = openWithBandOption(cl, *doc, input); code >= 0)
        return code;
    const NotchDesign d = designNotch(doc->curveRaw());
    if (!d.ok())
        return cl.fileFailure(input, CliMessages::notchRefused(d.outcome));
    if (const int code =
            writeCompensatedZma(cl, *doc, input, notchNetwork(d), QStringLiteral("notch"));
        code >= 0)
        return code;
    if (cl.isSet(QStringLiteral("json"))) {
        printJson(QJsonObject{{QStringLiteral("file"), input},
                              {QStringLiteral("fs_Hz"), d.fsHz},
                              {QStringLiteral("Re_ohm"), d.reOhm},
                              {QStringLiteral("from_Hz"), d.fromHz},
                              {QStringLiteral("to_Hz"), d.toHz},
                              {QStringLiteral("R_ohm"), d.rOhm},
                              {QStringLiteral("L_mH"), d.lMh},
                              {QStringLiteral("C_uF"), d.cUf},
                              {QStringLiteral("flatnessPct"), d.flatnessPct},
                              {QStringLiteral("textbookFlatnessPct"), d.textbookFlatnessPct}});
    } else {
        printOut(QStringLiteral("fs %1 Hz  Re %2 ohm  Qms %3  Qes %4\n"
                                "R %5 ohm  L %6 mH  C %7 uF  flatness ±%8 % (%9-%10 Hz; "
                                "textbook values ±%11 %)")
                     .arg(QString::number(d.fsHz, 'f', 2), QString::number(d.reOhm, 'f', 3),
                          QString::number(d.qms, 'f', 3), QString::number(d.qes, 'f', 3),
                          QString::number(d.rOhm, 'g', 4), QString::number(d.lMh, 'g', 4),
                          QString::number(d.cUf, 'g', 4), QString::number(d.flatnessPct, 'f', 2),
                          QString::number(d.fromHz, 'f', 1))
                     .arg(QString::number(d.toHz, 'f', 1),
                          QString::number(d.textbookFlatnessPct, 'f', 2)));
    }
    return finishOutput() ? ExitOk : ExitFailed;
}
