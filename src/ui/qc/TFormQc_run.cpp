// One unit at the station: a run of its own over the main window's unit, then the verdict,
// the saved file and the log.
#include "core/files/VELO_File.h"
#include "core/measure/MeasurementRun.h"
#include "core/qc/QcLimitsFile.h"
#include "ui/qc/QcTexts.h"
#include "ui/qc/TFormQc.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace T = QcTexts;

namespace {

QString connectReason(UnitOutcome outcome)
{
    switch (outcome) {
    case UnitOutcome::PortAccessDenied:
    case UnitOutcome::PortOpenFailed:
        return T::reasonPortOpen();
    case UnitOutcome::UnitNotFound:
        return T::reasonUnitNotFound();
    default:
        return T::reasonUnit();
    }
}

QString failureReason(MeasurementRun::Failure failure)
{
    switch (failure) {
    case MeasurementRun::Failure::Silent:
        return T::reasonSilent();
    case MeasurementRun::Failure::DeviceLost:
        return T::reasonDeviceLost();
    default:
        return T::reasonBadData();
    }
}

bool usableAsFileName(const QString &serial)
{
    return serial != QLatin1String(".") && serial != QLatin1String("..") &&
           !serial.contains(QLatin1Char('/')) && !serial.contains(QChar(0));
}

// A unit tested again keeps its earlier file under the time it was written.
void keepEarlierFile(const QString &path)
{
    const QFileInfo old(path);
    if (!old.exists())
        return;
    const QString stamp = old.lastModified().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString kept = old.dir().filePath(old.completeBaseName() + QLatin1Char('_') + stamp +
                                      QStringLiteral(".DTA"));
    for (int n = 2; QFileInfo::exists(kept); ++n)
        kept = old.dir().filePath(old.completeBaseName() + QLatin1Char('_') + stamp +
                                  QLatin1Char('-') + QString::number(n) + QStringLiteral(".DTA"));
    QFile::rename(path, kept);
}

} // namespace

bool TFormQc::running() const
{
    return m_run != nullptr;
}

void TFormQc::startRun()
{
    if (running())
        return refuseScanWhileRunning();
    clearPreviousUnit();
    auto refuse = [this](const QString &text) {
        RunLabel->setText(text);
        ReasonsText->setPlainText(text);
        readyForNextScan();
    };
    const QString serial = SerialEdit->text().trimmed();
    if (serial.isEmpty())
        return refuse(T::serialMissing());
    if (!usableAsFileName(serial))
        return refuse(T::serialNotAFileName(serial));
    if (serial.size() > kQcSerialMaxLength)
        return refuse(T::serialTooLong(int(serial.size()), kQcSerialMaxLength));
    // Read afresh for every unit: an edited limits file counts from the next unit on.
    const QString limitsPath = LimitsEdit->text().trimmed();
    m_haveLimits = false;
    if (const QString problem = readQcLimitsFile(limitsPath, &m_limits); !problem.isEmpty()) {
        redrawGraph(0);
        return refuse(problem);
    }
    m_haveLimits = true;
    QString folder = FolderEdit->text().trimmed();
    if (folder.isEmpty())
        folder = QFileInfo(limitsPath).absolutePath();
    if (!QFileInfo(folder).isDir())
        return refuse(T::folderMissing(folder));
    if (m_host.busy && m_host.busy())
        return refuse(T::mainWindowBusy());
    UnitProtocol *unit = m_host.unit ? m_host.unit() : nullptr;
    if (!unit)
        return refuse(T::measureFailed(T::reasonPortOpen()));

    // The station starts with these next time.
    QcStationSettings station = m_station;
    station.limitsPath = limitsPath;
    station.folder = FolderEdit->text().trimmed();
    station.database = databaseText();
    if (!(station == m_station) && writeQcStationSettings(qcStationSettingsPath(), station))
        m_station = station;

    m_runSerial = serial;
    m_runFolder = folder;
    m_runPath = QDir(folder).filePath(serial + QStringLiteral(".DTA"));
    m_run = std::make_unique<MeasurementRun>(*unit);
    setRunning(true);
    const UnitOutcome connected = m_run->connect(m_host.comPort ? m_host.comPort() : 1);
    if (connected != UnitOutcome::Ok)
        return failRun(connectReason(connected));
    const int band = m_limits.band;
    m_run->prepare(band, *m_record, *m_raw, *m_avg);
    if (m_run->checkBand(band) != UnitOutcome::Ok || m_run->requestBand() != UnitOutcome::Ok) {
        m_run->release();
        return failRun(T::reasonBand());
    }
    m_pointsShown = 0;
    redrawGraph(0);
    RunLabel->setText(T::measuring(serial, 0, m_run->pointsExpected()));
    readyForNextScan();
    m_runTimer->start();
}

void TFormQc::runStep()
{
    if (!m_run)
        return;
    // Each step waits in the driver's read for up to one point, so this does not spin.
    const MeasurementRun::StepEvent e = m_run->step();
    switch (e.event) {
    case MeasurementRun::Event::Nothing:
        break;
    case MeasurementRun::Event::Point:
        m_pointsShown = e.point + 1;
        if (e.converted)
            redrawGraph(m_pointsShown);
        RunLabel->setText(
            T::measuring(m_runSerial, m_run->pointsReceived(), m_run->pointsExpected()));
        break;
    case MeasurementRun::Event::Finished:
        finishRun();
        break;
    case MeasurementRun::Event::Failed:
        failRun(failureReason(e.failure));
        break;
    }
}

void TFormQc::finishRun()
{
    if (!m_run->finish())
        return failRun(T::reasonBadData());
    const QByteArray unitSerial = m_run->unit().unitSerial();
    endRun();
    if (!checkQcUnit(m_limits, *m_raw, m_record->band, &m_verdict).isEmpty())
        return failRun(T::reasonBadData());
    m_haveVerdict = true;
    redrawGraph(bandPointCount(m_record->band));
    showVerdict();

    keepEarlierFile(m_runPath);
    const bool saved = VELO_File().writeDataFile(
        m_runPath, unitSerial, m_host.comPort ? m_host.comPort() : 1, m_record.get());
    RunLabel->setText(saved ? T::saved(m_runPath) : T::saveFailed(m_runPath));
    logResult(m_runFolder, saved ? m_runPath : QString());
    readyForNextScan();
    emit unitChecked(m_verdict.passed, saved ? m_runPath : QString());
}

void TFormQc::failRun(const QString &reason)
{
    endRun();
    RunLabel->setText(T::measureFailed(reason));
    ReasonsText->setPlainText(T::measureFailed(reason));
    readyForNextScan();
}

void TFormQc::stopRun()
{
    if (!m_run)
        return;
    if (m_run->receiving())
        m_run->stop();
    endRun();
    RunLabel->setText(T::stopped());
    readyForNextScan();
}

void TFormQc::endRun()
{
    m_runTimer->stop();
    m_run.reset();
    setRunning(false);
}

void TFormQc::setRunning(bool on)
{
    StartButton->setEnabled(!on);
    LimitsEdit->setEnabled(!on);
    LimitsButton->setEnabled(!on);
    FolderEdit->setEnabled(!on);
    DbEdit->setEnabled(!on);
    StopButton->setEnabled(on);
    if (m_host.lockMain)
        m_host.lockMain(on);
}
