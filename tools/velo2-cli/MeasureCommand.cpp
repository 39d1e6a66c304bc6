#include "CliIo.h"
#include "CliJson.h"
#include "CliMessages.h"
#include "CommandLine.h"
#include "Commands.h"
#include "DocumentFiles.h"
#include "MeasurementSummary.h"
#include "OutputTarget.h"
#include "ProgressBar.h"
#include "core/files/VELO_File.h"
#include "core/graph/ReadoutFormat.h"
#include "core/measure/StopSignals.h"
#include "core/measure/UnitStation.h"
#include "core/model/ComPortName.h"

#include <QDir>
#include <QFileInfo>
#include <csignal>

namespace {

// Longer digit strings are taken as file names, as any other text.
constexpr int kBarePortDigits = 3;

// "3" and "COM3" name COM port 3; anything else is a device path.
QString portName(const QString &text)
{
    const ComPortName bare = ComPortName::parseNumber(text);
    return bare.isNumbered() && text.size() <= kBarePortDigits ? ComPortName::nameOf(bare.number)
                                                               : text;
}

// The number the data file records as its COM port: that of a "COMn" name (also the name of
// a link such as the settings directory's entries), otherwise 1.
qint32 comPortNumber(const QString &name)
{
    for (const QString &candidate : {name, QFileInfo(name).fileName()}) {
        const ComPortName parsed = ComPortName::parse(candidate);
        if (parsed.kind == ComPortName::Kind::Valid)
            return parsed.number;
    }
    return 1;
}

// One measurement with the window's run and writer.
class CliRun
{
public:
    CliRun(const CommandLine &cl, const QString &port, int band, const QString &out)
        : m_cl(cl), m_port(port), m_band(band), m_out(out), m_unit(m_station.unit()),
          m_run(m_station.run())
    {
    }

    int run(bool json);

private:
    int fail(const QString &problem);
    int stopped();
    int receive(bool json);
    int finish(bool json);
    QString portDescription() const;

    const CommandLine &m_cl;
    QString m_port;
    int m_band;
    QString m_out;
    StopSignals m_stop;
    UnitStation m_station;
    UnitProtocol &m_unit;
    MeasurementRun &m_run;
    VELO_File m_file;
    MeasurementRecord m_record;
    CurveBlock m_raw;
    CurveBlock m_avg;
};

QString CliRun::portDescription() const
{
    const QString device = m_station.driver().DevicePath();
    return device.isEmpty() || device == m_port ? m_port
                                                : QStringLiteral("%1 (%2)").arg(m_port, device);
}

int CliRun::fail(const QString &problem)
{
    // Every way out leaves the unit stopped and the port closed.
    m_station.shutdown();
    return m_cl.failure(problem);
}

int CliRun::stopped()
{
    // The window's stop (three tries of "ME"), and the port closed whatever it left.
    m_station.shutdown();
    printErr(CliMessages::program() + QStringLiteral(" measure: ") +
             CliMessages::measureStopped(m_out));
    m_stop.endBySignal();
}

int CliRun::run(bool json)
{
    const MeasurementRun::Start start = m_run.start(m_port, m_band, m_record, m_raw, m_avg);
    if (m_stop.requested())
        return stopped();
    switch (start.stage) {
    case MeasurementRun::Stage::Started:
        return receive(json);
    case MeasurementRun::Stage::Band:
        return fail(CliMessages::bandUnsupported(m_unit.modelText(), m_band));
    case MeasurementRun::Stage::Connect:
        return fail(CliMessages::unitProblem(start.outcome, portDescription(),
                                             m_station.driver().LastOpenError()));
    case MeasurementRun::Stage::Request:
        break;
    }
    return fail(CliMessages::unitProblem(start.outcome, portDescription(), 0));
}

int CliRun::receive(bool json)
{
    ProgressBar progress(m_run.pointsExpected());
    const MeasurementRun::StepEvent end = m_run.runToEnd(
        [this] { return m_stop.requested(); },
        [&](const MeasurementRun::StepEvent &e) {
            const char *slot = m_record.points[e.gridIndex];
            progress.update(e.point + 1,
                            formatFrequency(slot) + QStringLiteral("  ") + formatResistance(slot));
        });
    progress.finish();
    switch (end.event) {
    case MeasurementRun::Event::Finished:
        return finish(json);
    case MeasurementRun::Event::Failed:
        if (end.failure == MeasurementRun::Failure::Silent)
            return fail(
                CliMessages::unitFellSilent(m_run.pointsReceived(), m_run.pointsExpected()));
        return fail(CliMessages::receiveError(m_run.pointsReceived(), m_run.pointsExpected()));
    default:
        return stopped();
    }
}

int CliRun::finish(bool json)
{
    if (!m_run.finish())
        return fail(CliMessages::calcDataError());
    if (!m_file.writeDataFile(m_out, m_unit.unitSerial(), comPortNumber(m_port), &m_record))
        return m_cl.fileFailure(m_out, OutputTarget::writeProblem(m_out));

    // What was written, read back the way every other command reads it.
    QString problem;
    const auto saved = std::make_unique<MeasurementDocument>();
    if (!openMeasurement(*saved, m_out, &problem))
        return m_cl.fileFailure(m_out, problem);
    if (json) {
        QJsonObject o = summaryJson(*saved);
        o.insert(QStringLiteral("unitVersion"), m_unit.unitVersion());
        printJson(o);
    } else {
        printOut(summaryText(*saved));
    }
    return finishOutput() ? ExitOk : ExitFailed;
}

} // namespace

int runMeasure(const QStringList &args)
{
    CommandLine cl(QStringLiteral("measure"),
                   QStringLiteral("--port COMn|DEVICE --band N -o OUT.DTA [--json]"),
                   CliMessages::measureDescription());
    cl.addValue({QStringLiteral("port")}, QStringLiteral("PORT"), CliMessages::portHelp());
    cl.addValue({QStringLiteral("band")}, QStringLiteral("N"), CliMessages::measureBandHelp());
    cl.addValue({QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("OUT.DTA"),
                CliMessages::measureOutputHelp());
    cl.addFlag(QStringLiteral("json"), CliMessages::jsonHelp());
    if (const int code = cl.parse(args); code >= 0)
        return code;
    if (const int code = cl.expectPositional(0, 0, QString()); code >= 0)
        return code;
    if (!cl.isSet(QStringLiteral("port")) || cl.value(QStringLiteral("port")).isEmpty())
        return cl.usageError(CliMessages::missingArgument(QStringLiteral("--port COMn|DEVICE")));
    if (!cl.isSet(QStringLiteral("band")))
        return cl.usageError(CliMessages::missingArgument(QStringLiteral("--band N")));
    bool ok = false;
    const int band = cl.value(QStringLiteral("band")).toInt(&ok);
    if (!ok || !isValidBand(band))
        return cl.usageError(CliMessages::badBand(cl.value(QStringLiteral("band"))));
    const QString out = cl.value(QStringLiteral("o"));
    if (out.isEmpty() || out == QLatin1String("-"))
        return cl.usageError(CliMessages::missingArgument(QStringLiteral("-o OUT.DTA")));
    // A run takes minutes: a file that cannot be written is found out before it starts.
    if (QFileInfo(out).isDir() || !QFileInfo(QFileInfo(out).absolutePath()).isDir())
        return cl.fileFailure(out, OutputTarget::writeProblem(out));

    // Progress and messages must reach the end even when nobody reads them any more.
    std::signal(SIGPIPE, SIG_IGN);
    CliRun run(cl, portName(cl.value(QStringLiteral("port"))), band, out);
    return run.run(cl.isSet(QStringLiteral("json")));
}
