#include "CliIo.h"
#include "CliJson.h"
#include "CliMessages.h"
#include "CommandLine.h"
#include "Commands.h"
#include "DocumentFiles.h"
#include "core/analysis/AnalysisMessages.h"
#include "core/analysis/ThieleSmall.h"
#include "core/analysis/design/VentedBox.h"
#include "core/analysis/design/VentedBoxFit.h"
#include "core/analysis/fit/FitMessages.h"

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

// The fit's rows: value and standard error; an infinite Q is a loss the curve does not show.
constexpr int kFitRows = 6;
const char *const kFitJsonKeys[kFitRows] = {"Fb_Hz", "Vas_L", "QL", "QA", "QP", "fs_Hz"};
const char *const kFitUnits[kFitRows] = {"Hz", "L", "", "", "", "Hz"};

std::array<std::pair<double, double>, kFitRows> fitValues(const VentedBoxFitResult &f)
{
    return {{{f.fbHz, f.fbStderr},
             {f.vasLitres, f.vasStderr},
             {f.ql, f.qlStderr},
             {f.qa, f.qaStderr},
             {f.qp, f.qpStderr},
             {f.fsHz, f.fsStderr}}};
}

QString withUnit(const QString &number, const char *unit)
{
    return unit[0] ? number + QLatin1Char(' ') + QLatin1String(unit) : number;
}

QString losses(const VentedBoxFitResult &f)
{
    QStringList names;
    const std::pair<double, const char *> all[] = {
        {f.ql, "leakage"}, {f.qa, "absorption"}, {f.qp, "port"}};
    for (const auto &[q, name] : all)
        if (std::isfinite(q))
            names << QLatin1String(name);
    return names.isEmpty() ? CliMessages::boxNoLoss() : names.join(QStringLiteral(", "));
}

void printBoxText(const VentedBoxTextbook &t, const VentedBoxFitResult &f)
{
    const auto values = rowValues(t);
    QStringList rows{CliMessages::boxTextbookHeading()};
    for (int i = 0; i < kRows; ++i)
        rows << QStringLiteral("  ") + CliMessages::boxLabel(i).leftJustified(18) +
                    withUnit(QString::number(values[std::size_t(i)], 'f', i == 4 ? 3 : 2),
                             kUnits[i]);
    rows << QString() << CliMessages::boxFitHeading(fitModelName(f.driver.model), losses(f));
    const auto fit = fitValues(f);
    for (int i = 0; i < kFitRows; ++i) {
        const auto [v, e] = fit[std::size_t(i)];
        QString line = CliMessages::boxFitLabel(i).leftJustified(18);
        if (!std::isfinite(v)) {
            line += CliMessages::boxNoLoss();
        } else {
            line += withUnit(QString::number(v, 'f', 2), kFitUnits[i]).leftJustified(12);
            if (std::isfinite(e))
                line += QStringLiteral("± ") + QString::number(e, 'g', 2);
        }
        rows << QStringLiteral("  ") + line.trimmed();
    }
    rows << QStringLiteral("  ") + CliMessages::boxFitLabel(kFitRows).leftJustified(18) +
                QString::number(f.rmsMagPct, 'f', 2) + QStringLiteral(" %");
    printOut(rows.join(QLatin1Char('\n')));
}

QJsonObject fitJson(const VentedBoxFitResult &f)
{
    QJsonObject o{{QStringLiteral("model"), fitModelName(f.driver.model)}};
    const auto fit = fitValues(f);
    for (int i = 0; i < kFitRows; ++i) {
        const QString key = QLatin1String(kFitJsonKeys[i]);
        o.insert(key, jsonNumber(fit[std::size_t(i)].first));
        o.insert(key + QStringLiteral("_stderr"), jsonNumber(fit[std::size_t(i)].second));
    }
    o.insert(QStringLiteral("rmsMagPct"), jsonNumber(f.rmsMagPct));
    o.insert(QStringLiteral("rmsPhaseDeg"), jsonNumber(f.rmsPhaseDeg));
    return o;
}

} // namespace

int runBox(const QStringList &args)
{
    CommandLine cl(QStringLiteral("box"),
                   QStringLiteral("FREE BOX --vb LITRES [--re OHMS] [--json]"),
                   CliMessages::boxDescription());
    cl.addValue({QStringLiteral("vb")}, QStringLiteral("LITRES"), CliMessages::boxVbHelp());
    cl.addValue({QStringLiteral("re")}, QStringLiteral("OHMS"), CliMessages::boxReHelp());
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
    // The Re entry's own rule for what counts as a number.
    float re = 0.0f;
    const QString reText = cl.value(QStringLiteral("re"));
    if (cl.isSet(QStringLiteral("re")) && !parseReText(reText, &re))
        return cl.usageError(CliMessages::reNotANumber(reText, AnalysisMessages::badRe()));

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

    const VentedBoxFitResult f = fitVentedBox(
        ventedBoxFitInput(freeDoc->curveRaw(), band, boxDoc->curveRaw(), band, vb, re));
    const VentedBoxTextbook &t = f.textbook;
    if (!t.ok())
        return cl.fileFailure(boxFile, CliMessages::boxRefused(t.outcome));
    if (!f.ok())
        return cl.fileFailure(
            f.outcome == VentedBoxFitOutcome::FreeAirFailed ? freeFile : boxFile,
            CliMessages::boxFitRefused(f.outcome, FitMessages::outcomeText(f.driver)));
    if (cl.isSet(QStringLiteral("json"))) {
        QJsonObject textbook;
        const auto values = rowValues(t);
        for (int i = 0; i < kRows; ++i)
            textbook.insert(QLatin1String(kJsonKeys[i]), values[std::size_t(i)]);
        printJson(QJsonObject{{QStringLiteral("free"), freeFile},
                              {QStringLiteral("box"), boxFile},
                              {QStringLiteral("band"), band},
                              {QStringLiteral("Vb_L"), vb},
                              {QStringLiteral("textbook"), textbook},
                              {QStringLiteral("fit"), fitJson(f)}});
    } else {
        printBoxText(t, f);
    }
    return finishOutput() ? ExitOk : ExitFailed;
}
