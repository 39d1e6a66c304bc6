// One unit at the station: a run of its own on the unit station, then the verdict, the saved
// file and the log.
#include "core/files/VELO_File.h"
#include "core/qc/QcLimitsFile.h"
#include "core/qc/QcStationFiles.h"
#include "ui/common/RunDriver.h"
#include "ui/common/UnitTexts.h"
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

namespace T = QcTexts;

namespace {

QString serialProblem(const QString &serial)
{
    if (serial.isEmpty())
        return T::serialMissing();
    if (!QcStationFiles::serialUsableAsFileName(serial))
        return T::serialNotAFileName(serial);
    if (serial.size() > kQcSerialMaxLength)
        return T::serialTooLong(int(serial.size()), kQcSerialMaxLength);
    return QString();
}

} // namespace

void TFormQc::connectRunDriver()
{
    if (!m_host.station)
        return;
    m_run = new RunDriver(*m_host.station, UnitTexts::qcStationHolder(), this);
    // Counted from the record's first point: a fast sweep's later bands start further up.
    connect(m_run, &RunDriver::point, this, [this](const MeasurementRun::StepEvent &e) {
        showPoint(e.gridIndex - bandFirstIndex(m_record->band), e.converted);
    });
    connect(m_run, &RunDriver::finished, this, &TFormQc::finishRun);
    connect(m_run, &RunDriver::failed, this, &TFormQc::failRun);
    connect(m_run, &RunDriver::abandoned, this, [this] {
        setRunning(false);
        RunLabel->setText(T::stopped());
        readyForNextScan();
    });
    connect(m_run, &RunDriver::busyElsewhereChanged, this, [this] { setRunning(running()); });
}

bool TFormQc::running() const
{
    return m_run && m_run->running();
}

void TFormQc::startRun()
{
    if (running())
        return refuseScanWhileRunning();
    if (studyWaiting())
        return;
    clearPreviousUnit();
    auto refuse = [this](const QString &text) {
        RunLabel->setText(text);
        ReasonsText->setPlainText(text);
        readyForNextScan();
    };
    QString serial = SerialEdit->text().trimmed();
    if (const QString problem = studying() ? takeStudyCell(&serial) : serialProblem(serial);
        !problem.isEmpty())
        return refuse(problem);
    // Read afresh for every unit: an edited limits file counts from the next unit on.
    const QString limitsPath = LimitsEdit->text().trimmed();
    m_haveLimits = false;
    if (const QString problem = readQcLimitsFile(limitsPath, &m_limits); !problem.isEmpty()) {
        redrawGraph(0);
        return refuse(problem);
    }
    m_haveLimits = true;
    const QString folder = QcStationFiles::folderFor(FolderEdit->text().trimmed(), limitsPath);
    if (!QFileInfo(folder).isDir())
        return refuse(T::folderMissing(folder));
    if (!m_run)
        return refuse(T::measureFailed(UnitTexts::outcomeText(UnitOutcome::PortNotOpen, {}).text));

    // The station starts with these next time.
    QcStationSettings station = m_station;
    station.limitsPath = limitsPath;
    station.folder = FolderEdit->text().trimmed();
    station.database = databaseText();
    if (!(station == m_station) && writeQcStationSettings(qcStationSettingsPath(), station))
        m_station = station;

    m_runSerial = serial;
    m_runFolder = folder;
    m_runPath = QcStationFiles::dataFilePath(folder, serial);
    QString problem;
    if (!m_run->start(m_host.comPort ? m_host.comPort() : 1, m_limits.sweep, m_limits.band,
                      *m_record, *m_raw, *m_avg, &problem))
        return failRun(problem);
    setRunning(true);
    m_pointsShown = 0;
    redrawGraph(0);
    RunLabel->setText(T::measuring(serial, 0, m_run->run().pointsExpected()));
    readyForNextScan();
}

void TFormQc::showPoint(int point, bool converted)
{
    m_pointsShown = point + 1;
    if (converted)
        redrawGraph(m_pointsShown);
    RunLabel->setText(
        T::measuring(m_runSerial, m_run->run().pointsReceived(), m_run->run().pointsExpected()));
}

void TFormQc::finishRun(bool converted)
{
    if (!converted)
        return failRun(UnitTexts::calcErrorText());
    const QByteArray unitSerial = m_run->unit().unitSerial();
    endRun();
    if (!checkQcUnit(m_limits, *m_raw, m_record->band, &m_verdict).isEmpty())
        return failRun(T::reasonBadData());
    if (studying())
        return finishStudyRun();
    m_haveVerdict = true;
    redrawGraph(bandPointCount(m_record->band));
    showVerdict();

    QcStationFiles::keepEarlierFile(m_runPath);
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
    if (!running())
        return;
    m_run->stop();
    endRun();
    RunLabel->setText(T::stopped());
    readyForNextScan();
}

void TFormQc::endRun()
{
    setRunning(false);
}

void TFormQc::setRunning(bool on)
{
    // Start waits while this window or another one measures; a scan is refused with the reason.
    StartButton->setEnabled(!on && !(m_run && m_run->busyElsewhere()));
    LimitsEdit->setEnabled(!on);
    LimitsButton->setEnabled(!on);
    FolderEdit->setEnabled(!on);
    DbEdit->setEnabled(!on);
    StopButton->setEnabled(on);
    StudyButton->setEnabled(!on);
}
