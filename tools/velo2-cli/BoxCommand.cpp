#include "CliIo.h"
#include "CliJson.h"
#include "CliMessages.h"
#include "CommandLine.h"
#include "Commands.h"
#include "DocumentFiles.h"
#include "core/analysis/design/VentedBox.h"

#include <QJsonObject>
#include <array>
#include <cmath>
#include <memory>

namespace {

constexpr int kRows = 7;
const char *const kJsonKeys[kRows] = {"fL_Hz", "fM_Hz", "fH_Hz", "Fb_Hz",
                                      "alpha", "fs_Hz", "Vas_L"};
const char *const kUnits[kRows] = {"Hz", "Hz", "Hz", "Hz", "", "Hz", "L"};

std::array<double, kRows> rowValues(const VentedBoxTextbook &t)
{
    return {t.fLHz, t.fMHz, t.fHHz, t.fbHz, t.alpha, t.fsHz, t.vasLitres};
}

void printBoxText(const VentedBoxTextbook &t)
{
    const auto values = rowValues(t);
    QStringList rows;
    for (int i = 0; i < kRows; ++i)
        rows << CliMessages::boxLabel(i).leftJustified(18) +
                    QString::number(values[std::size_t(i)], 'f', i == 4 ? 3 : 2) +
                    (kUnits[i][0] ? QLatin1Char(' ') + QLatin1String(kUnits[i]) : QString());
    printOut(rows.join(QLatin1Char('\n')));
}

} // namespace

int runBox(const QStringList &args)
{
    CommandLine cl(QStringLiteral("box"), QStringLiteral("FREE BOX --vb LITRES [--json]"),
                   CliMessages::boxDescription());
    cl.addValue({QStringLiteral("vb")}, QStringLiteral("LITRES"), CliMessages::boxVbHelp());
    cl.addFlag(QStringLiteral("json"), CliMessages::jsonHelp());
    if (const int code = cl.parse(args); code >= 0)
        return code;
    if (const int code = cl.expectPositional(2, 2, QStringLiteral("FREE and BOX")); code >= 0)
        return code;
    bool numeric = false;
    const QString vbText = cl.value(QStringLiteral("vb"));
    const double vb = vbText.toDouble(&numeric);
    if (!numeric || !(vb > 0) || !std::isfinite(vb))
        return cl.usageError(CliMessages::boxBadVb(vbText));

    const QString freeFile = cl.positional().at(0);
    const QString boxFile = cl.positional().at(1);
    const auto freeDoc = std::make_unique<MeasurementDocument>();
    const auto boxDoc = std::make_unique<MeasurementDocument>();
    QString problem;
    if (!openMeasurement(*freeDoc, freeFile, &problem))
        return cl.fileFailure(freeFile, problem);
    if (!openMeasurement(*boxDoc, boxFile, &problem))
        return cl.fileFailure(boxFile, problem);
    const int band = boxDoc->measurement().band;
    if (freeDoc->measurement().band != band)
        return cl.fileFailure(boxFile,
                              CliMessages::boxOtherBand(freeDoc->measurement().band, band));

    const VentedBoxTextbook t = analyseVentedBox(boxDoc->curveRaw(), band, vb);
    if (!t.ok())
        return cl.fileFailure(boxFile, CliMessages::boxRefused(t.outcome));
    if (cl.isSet(QStringLiteral("json"))) {
        QJsonObject textbook;
        const auto values = rowValues(t);
        for (int i = 0; i < kRows; ++i)
            textbook.insert(QLatin1String(kJsonKeys[i]), values[std::size_t(i)]);
        printJson(QJsonObject{{QStringLiteral("free"), freeFile},
                              {QStringLiteral("box"), boxFile},
                              {QStringLiteral("band"), band},
                              {QStringLiteral("Vb_L"), vb},
                              {QStringLiteral("textbook"), textbook}});
    } else {
        printBoxText(t);
    }
    return finishOutput() ? ExitOk : ExitFailed;
}
