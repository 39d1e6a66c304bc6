// A checked unit's record handed to the station's log, and the log line when the log says
// what became of it. The log keeps the record on a thread of its own.
#include "core/qc/QcStationFiles.h"
#include "core/qc/log/StationLog.h"
#include "ui/qc/QcTexts.h"
#include "ui/qc/TFormQc.h"

#include <QDateTime>
#include <QDir>
#include <QLabel>

namespace T = QcTexts;

void TFormQc::logResult(const QString &folder, const QString &dataFile)
{
    const QString target = QcStationFiles::logTarget(databaseText(), folder);
    QcRecord record = qcRecordOf(m_verdict, m_limits, m_runSerial);
    record.timeUtc = QDateTime::currentDateTimeUtc();
    record.runId = newQcRunId(record.timeUtc);
    record.dataFile = dataFile;
    if (!m_log) {
        m_log = std::make_unique<StationLog>();
        connect(m_log.get(), &StationLog::logged, this,
                [this](const StationLogOutcome &outcome) { showLogged(outcome); });
    }
    m_loggingRun = record.runId;
    LogLabel->setText(T::logging(m_runSerial));
    m_log->log(target, record);
}

void TFormQc::showLogged(const StationLogOutcome &outcome)
{
    // Once the next unit has started, only a record that could not be kept is still said.
    if (outcome.runId != m_loggingRun && outcome.state != StationLogOutcome::Failed)
        return;
    QString line;
    switch (outcome.state) {
    case StationLogOutcome::Logged:
        line = T::logged(outcome.target);
        break;
    case StationLogOutcome::Spooled:
        line = T::logSpooled(outcome.problem);
        break;
    case StationLogOutcome::Failed:
        line = T::logFailed(outcome.problem);
        break;
    }
    // Results for another log, set aside, or a damaged spool put aside: said under the line.
    if (!outcome.notice.isEmpty())
        line += QLatin1Char('\n') + outcome.notice;
    LogLabel->setText(line);
}
