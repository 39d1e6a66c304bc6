#include "CliIo.h"
#include "CliJson.h"
#include "CliMessages.h"
#include "CommandLine.h"
#include "Commands.h"
#include "DocumentFiles.h"
#include "MeasurementSummary.h"
#include "OutputTarget.h"
#include "ProgressBar.h"
#include "core/files/FileNameRules.h"
#include "core/files/VELO_File.h"
#include "core/graph/ReadoutFormat.h"
#include "core/measure/StopSignals.h"
#include "core/measure/UnitStation.h"
#include "core/model/ComPortName.h"
#include "core/model/RepeatSet.h"

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

// One measurement with the window's run and writer; with repeats, N sweeps of the band whose
// mean the document writes, with every sweep in the repeat file beside it.
class CliRun
{
public:
    CliRun(const CommandLine &cl, const QString &port, int band, const QString &out)
        : m_cl(cl), m_port(port), m_band(band), m_out(out), m_unit(m_station.unit()),
          m_run(m_station.run())
    {
    }

    int run(bool json);
    int runRepeats(int planned, bool json);

private:
    // How one sweep ended; problem says why it failed, and streaming that the band had started
    // (the record holds this sweep's points, pointsReceived() of them).
    struct Sweep {
        enum class End { Finished, Stopped, Failed };
        End end = End::Finished;
        QString problem;
        bool streaming = false;
        bool brokenOff = false; // the unit failed while the points came
        QString failure() const
        {
            return brokenOff ? CliMessages::nothingWritten(problem) : problem;
        }
    };
    Sweep sweep(const QString &label);
    int fail(const QString &problem);
    int stopped();
    int finish(bool json);
    int finishRepeats(RepeatSet set, bool json);
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

CliRun::Sweep CliRun::sweep(const QString &label)
{
    using End = Sweep::End;
    const MeasurementRun::Start start = m_run.start(m_port, m_band, m_record, m_raw, m_avg);
    if (m_stop.requested())
        return {End::Stopped, QString(), start.started()};
    switch (start.stage) {
    case MeasurementRun::Stage::Started:
        break;
    case MeasurementRun::Stage::Band:
        return {End::Failed, CliMessages::bandUnsupported(m_unit.modelText(), m_band)};
    case MeasurementRun::Stage::Connect:
        return {End::Failed, CliMessages::unitProblem(start.outcome, portDescription(),
                                                      m_station.driver().LastOpenError())};
    case MeasurementRun::Stage::Request:
        return {End::Failed, CliMessages::unitProblem(start.outcome, portDescription(), 0)};
    }

    ProgressBar progress(m_run.pointsExpected());
    const QString prefix = label.isEmpty() ? QString() : label + QStringLiteral("  ");
    const MeasurementRun::StepEvent end = m_run.runToEnd(
        [this] { return m_stop.requested(); },
        [&](const MeasurementRun::StepEvent &e) {
            const char *slot = m_record.points[e.gridIndex];
            progress.update(e.point + 1, prefix + formatFrequency(slot) + QStringLiteral("  ") +
                                             formatResistance(slot));
        });
    progress.finish();
    switch (end.event) {
    case MeasurementRun::Event::Finished:
        if (!m_run.finish())
            return {End::Failed, CliMessages::calcDataError(), true};
        return {End::Finished, QString(), true};
    case MeasurementRun::Event::Failed:
        return {End::Failed,
                end.failure == MeasurementRun::Failure::Silent
                    ? CliMessages::unitFellSilent(m_run.pointsReceived(), m_run.pointsExpected())
                    : CliMessages::receiveError(m_run.pointsReceived(), m_run.pointsExpected()),
                true, true};
    default:
        return {End::Stopped, QString(), true};
    }
}

int CliRun::run(bool json)
{
    const Sweep s = sweep(QString());
    switch (s.end) {
    case Sweep::End::Finished:
        return finish(json);
    case Sweep::End::Failed:
        return fail(s.failure());
    case Sweep::End::Stopped:
        break;
    }
    return stopped();
}

int CliRun::finish(bool json)
{
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

int CliRun::runRepeats(int planned, bool json)
{
    RepeatSet set(planned);
    QString ending; // why a set ended before its N sweeps, said once it is written
    bool byStop = false;
    while (set.isOpen()) {
        const int k = set.count() + 1;
        const QString label = CliMessages::sweepOf(k, planned);
        printErr(CliMessages::program() + QStringLiteral(" measure: ") + label);
        const Sweep s = sweep(label);
        const QByteArray serial = m_unit.unitSerial();
        const QString model = m_unit.modelText();
        if (s.end == Sweep::End::Stopped) {
            // What the stopped sweep measured is kept: the set ends with it.
            if (s.streaming && m_run.pointsReceived() > 0)
                set.add(repeatSweepFromRecord(m_record, m_run.pointsReceived(), serial, model));
            if (set.isEmpty())
                return stopped();
            ending = CliMessages::repeatStopped(k, planned, m_out);
            byStop = true;
        } else if (s.end == Sweep::End::Failed) {
            // A failed sweep's points are not trusted; the sweeps before it are kept.
            if (set.isEmpty())
                return fail(s.failure());
            ending = CliMessages::repeatFailed(k, planned, s.problem, set.count(), m_out);
        } else if (const RepeatAdd added =
                       set.add(repeatSweepFromRecord(m_record, -1, serial, model));
                   added != RepeatAdd::Added) {
            ending = CliMessages::repeatFailed(k, planned,
                                               added == RepeatAdd::OtherUnit
                                                   ? CliMessages::sweepFromOtherUnit()
                                                   : CliMessages::sweepNotInSet(),
                                               set.count(), m_out);
        }
        if (!ending.isEmpty()) {
            set.stop();
            break;
        }
    }
    // The unit is stopped and the port closed before the files are written.
    m_station.shutdown();

    const int written = finishRepeats(std::move(set), json);
    if (written != ExitOk || ending.isEmpty())
        return written;
    printErr(CliMessages::program() + QStringLiteral(" measure: ") + ending);
    if (byStop)
        m_stop.endBySignal();
    return ExitFailed;
}

int CliRun::finishRepeats(RepeatSet set, bool json)
{
    const auto doc = std::make_unique<MeasurementDocument>();
    doc->setUnitSerial(set.serial());
    doc->takeRepeatMean(std::move(set));
    if (doc->save(m_out, comPortNumber(m_port)) != WriteOutcome::Written)
        return m_cl.fileFailure(m_out, OutputTarget::writeProblem(m_out));
    const QString sideFile = repeatFilePath(m_out);
    if (!doc->repeatFileWritten())
        return m_cl.fileFailure(
            sideFile, CliMessages::onlyMeanWritten(OutputTarget::writeProblem(sideFile), m_out));

    // Both files read back the way every other command and the window read them.
    QString problem;
    const auto saved = std::make_unique<MeasurementDocument>();
    if (!openMeasurement(*saved, m_out, &problem))
        return m_cl.fileFailure(m_out, problem);
    if (!saved->repeats())
        return m_cl.failure(CliMessages::repeatFileNotRead(sideFile));
    if (json) {
        QJsonObject o = summaryJson(*saved, true);
        o.insert(QStringLiteral("unitVersion"), m_unit.unitVersion());
        printJson(o);
    } else {
        printOut(summaryText(*saved, true));
    }
    return finishOutput() ? ExitOk : ExitFailed;
}

} // namespace

int runMeasure(const QStringList &args)
{
    CommandLine cl(QStringLiteral("measure"),
                   QStringLiteral("--port COMn|DEVICE --band N -o OUT.DTA [--repeat N] [--json]"),
                   CliMessages::measureDescription());
    cl.addValue({QStringLiteral("port")}, QStringLiteral("PORT"), CliMessages::portHelp());
    cl.addValue({QStringLiteral("band")}, QStringLiteral("N"), CliMessages::measureBandHelp());
    cl.addValue({QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("OUT.DTA"),
                CliMessages::measureOutputHelp());
    cl.addValue({QStringLiteral("repeat")}, QStringLiteral("N"), CliMessages::repeatHelp());
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
    int repeats = 0;
    if (cl.isSet(QStringLiteral("repeat"))) {
        repeats = cl.value(QStringLiteral("repeat")).toInt(&ok);
        if (!ok || !RepeatSet::isValidCount(repeats))
            return cl.usageError(CliMessages::badRepeat(cl.value(QStringLiteral("repeat"))));
    }
    const QString out = cl.value(QStringLiteral("o"));
    if (out.isEmpty() || out == QLatin1String("-"))
        return cl.usageError(CliMessages::missingArgument(QStringLiteral("-o OUT.DTA")));
    // A run takes minutes: a file that cannot be written is found out before it starts.
    if (QFileInfo(out).isDir() || !QFileInfo(QFileInfo(out).absolutePath()).isDir())
        return cl.fileFailure(out, OutputTarget::writeProblem(out));
    if (repeats > 0 && QFileInfo(repeatFilePath(out)).isDir())
        return cl.fileFailure(repeatFilePath(out), OutputTarget::writeProblem(repeatFilePath(out)));

    // Progress and messages must reach the end even when nobody reads them any more.
    std::signal(SIGPIPE, SIG_IGN);
    CliRun run(cl, portName(cl.value(QStringLiteral("port"))), band, out);
    const bool json = cl.isSet(QStringLiteral("json"));
    return repeats > 0 ? run.runRepeats(repeats, json) : run.run(json);
}
