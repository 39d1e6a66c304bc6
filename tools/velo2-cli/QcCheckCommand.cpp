#include "CliIo.h"
#include "CliJson.h"
#include "CliMessages.h"
#include "CommandLine.h"
#include "Commands.h"
#include "DocumentFiles.h"
#include "core/analysis/WorksheetMessages.h"
#include "core/qc/QcLimitsFile.h"
#include "core/qc/QcVerdict.h"
#include "core/qc/log/LogMessages.h"
#include "core/qc/log/ResultsLog.h"

#include <QDateTime>
#include <QFileInfo>
#include <QJsonArray>
#include <cmath>
#include <memory>

namespace {

QJsonObject verdictJson(const QString &file, const QString &serial, const QcLimits &limits,
                        const QcVerdict &v)
{
    QJsonObject parameters;
    for (int p = 0; p < kQcParameterCount; ++p)
        parameters.insert(QLatin1String(kQcParameterNames[p]),
                          QJsonObject{{QStringLiteral("value"), jsonNumber(v.values.parameters[p])},
                                      {QStringLiteral("low"), limits.parameters[p].low},
                                      {QStringLiteral("high"), limits.parameters[p].high},
                                      {QStringLiteral("pass"), !v.parameterFailed[p]}});
    QJsonArray outside;
    for (const QcBandRange &r : v.outside)
        outside.append(QJsonObject{
            {QStringLiteral("fromHz"), jsonFloat(float(r.fromHz))},
            {QStringLiteral("toHz"), jsonFloat(float(r.toHz))},
            {QStringLiteral("side"), r.above ? QStringLiteral("above") : QStringLiteral("below")}});
    QJsonObject o{{QStringLiteral("file"), file},
                  {QStringLiteral("serial"), serial},
                  {QStringLiteral("limits"), limits.title()},
                  {QStringLiteral("band"), limits.band},
                  {QStringLiteral("passed"), v.passed},
                  {QStringLiteral("parameters"), parameters},
                  {QStringLiteral("outOfBand"), outside},
                  {QStringLiteral("failures"), QJsonArray::fromStringList(v.failures)}};
    // Only limits with a Re window check Re.
    if (limits.reWindow)
        o.insert(QStringLiteral("re"),
                 QJsonObject{{QStringLiteral("value"), jsonNumber(v.re)},
                             {QStringLiteral("low"), limits.reWindow->low},
                             {QStringLiteral("high"), limits.reWindow->high},
                             {QStringLiteral("at20C"), limits.reAt20C},
                             {QStringLiteral("pass"), limits.reWindow->contains(v.re)}});
    return o;
}

QStringList verdictText(const QString &serial, const QcLimits &limits, const QcVerdict &v)
{
    QStringList out{(v.passed ? CliMessages::qcPassed() : CliMessages::qcFailed()) +
                    QLatin1Char(' ') + serial + QStringLiteral(" (") + limits.title() +
                    QLatin1Char(')')};
    for (int p = 0; p < kQcParameterCount; ++p) {
        const double value = v.values.parameters[p];
        out << QStringLiteral("  %1 %2  %3 ... %4%5")
                   .arg(QString::fromLatin1(kQcParameterNames[p]).leftJustified(5),
                        (std::isfinite(value) ? QString::number(value, 'g', 5)
                                              : QStringLiteral("---"))
                            .rightJustified(9),
                        QString::number(limits.parameters[p].low, 'g', 5),
                        QString::number(limits.parameters[p].high, 'g', 5),
                        v.parameterFailed[p] ? QStringLiteral("  *") : QString());
    }
    for (const QString &f : v.failures)
        out << QStringLiteral("  - ") + f;
    return out;
}

} // namespace

int runQcCheck(const QStringList &args)
{
    CommandLine cl(
        QStringLiteral("qc check"),
        QStringLiteral("FILE.DTA --limits LIMITS [--serial S] [--db URL] [--station NAME] "
                       "[--coil-temp C [--coil-material MATERIAL]] [--json]"),
        CliMessages::qcCheckDescription());
    cl.addValue({QStringLiteral("limits")}, QStringLiteral("LIMITS"),
                CliMessages::qcLimitsFileHelp());
    cl.addValue({QStringLiteral("serial")}, QStringLiteral("S"), CliMessages::qcSerialHelp());
    cl.addValue({QStringLiteral("db")}, QStringLiteral("URL"), CliMessages::qcDbHelp());
    cl.addValue({QStringLiteral("station")}, QStringLiteral("NAME"), CliMessages::qcStationHelp());
    cl.addValue({QStringLiteral("coil-temp")}, QStringLiteral("C"), CliMessages::qcCoilTempHelp());
    cl.addValue({QStringLiteral("coil-material")}, QStringLiteral("MATERIAL"),
                CliMessages::coilMaterialHelp());
    cl.addFlag(QStringLiteral("json"), CliMessages::jsonHelp());
    if (const int code = cl.parse(args); code >= 0)
        return code;
    CoilTemperature coil;
    const QString coilTemp = cl.value(QStringLiteral("coil-temp"));
    if (cl.isSet(QStringLiteral("coil-temp"))) {
        bool ok = false;
        coil.tempC = coilTemp.trimmed().toDouble(&ok);
        if (!ok)
            return cl.usageError(
                CliMessages::optionNotANumber(QStringLiteral("--coil-temp"), coilTemp));
        if (!isPlausibleCoilTemp(coil.tempC))
            return cl.usageError(WorksheetMessages::coilTempImplausible(coilTemp.trimmed()));
    }
    const QString material = cl.value(QStringLiteral("coil-material"));
    if (cl.isSet(QStringLiteral("coil-material")) &&
        !coilMaterialFromName(material, &coil.material))
        return cl.usageError(CliMessages::badCoilMaterial(material));
    if (const int code = cl.expectPositional(1, 1, QStringLiteral("FILE.DTA")); code >= 0)
        return code;
    if (!cl.isSet(QStringLiteral("limits")))
        return cl.usageError(CliMessages::missingArgument(QStringLiteral("--limits LIMITS")));
    if (cl.isSet(QStringLiteral("station")) && !cl.isSet(QStringLiteral("db")))
        return cl.usageError(CliMessages::missingArgument(QStringLiteral("--db URL")));
    if (const int length = int(cl.value(QStringLiteral("station")).size());
        length > kQcStationMaxLength)
        return cl.usageError(LogMessages::stationTooLong(length, kQcStationMaxLength));

    QcLimits limits;
    if (const QString problem = readQcLimitsFile(cl.value(QStringLiteral("limits")), &limits);
        !problem.isEmpty())
        return cl.failure(problem);
    const QString input = cl.positional().first();
    QString problem;
    const auto doc = std::make_unique<MeasurementDocument>();
    if (!openMeasurement(*doc, input, &problem))
        return cl.fileFailure(input, problem);
    QcVerdict verdict;
    if (const QString refusal =
            checkQcUnit(limits, doc->curveRaw(), doc->measurement().band, &verdict, coil);
        !refusal.isEmpty())
        return cl.fileFailure(input, refusal);
    const QString serial = cl.isSet(QStringLiteral("serial")) ? cl.value(QStringLiteral("serial"))
                                                              : QFileInfo(input).completeBaseName();
    if (cl.isSet(QStringLiteral("db")) && serial.size() > kQcSerialMaxLength)
        return cl.usageError(LogMessages::serialTooLong(serial.size(), kQcSerialMaxLength));

    // The log keeps the result before anything is printed: a unit whose result could not be
    // kept must not look checked to a calling script.
    if (cl.isSet(QStringLiteral("db"))) {
        ResultsLog log;
        QcRecord record = qcRecordOf(verdict, limits, serial);
        record.timeUtc = QDateTime::currentDateTimeUtc();
        record.runId = newQcRunId(record.timeUtc);
        record.dataFile = QFileInfo(input).absoluteFilePath();
        // The result goes to the local spool before the network is tried, so a signal during
        // a slow connection cannot lose it.
        if (!log.open(cl.value(QStringLiteral("db")), cl.value(QStringLiteral("station")),
                      QString(), false) ||
            !log.record(record))
            return cl.failure(log.problem());
        // A server that did not answer: the result waits in the station's spool. The spool may
        // also hold results for other logs, or set aside.
        for (const QString &text : {log.problem(), log.notice()})
            if (!text.isEmpty())
                printErr(CliMessages::program() + QStringLiteral(" qc check: ") + text);
    }

    if (cl.isSet(QStringLiteral("json")))
        printJson(verdictJson(input, serial, limits, verdict));
    else
        printOut(verdictText(serial, limits, verdict).join(QLatin1Char('\n')));
    if (!finishOutput())
        return ExitFailed;
    return verdict.passed ? ExitOk : ExitQcFail;
}
