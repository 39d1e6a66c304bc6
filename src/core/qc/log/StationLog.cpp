#include "core/qc/log/StationLog.h"

#include "core/qc/log/ResultsLog.h"

#include <QDeadlineTimer>
#include <QThread>
#include <memory>

StationLogKeeper::StationLogKeeper() = default;

StationLogKeeper::~StationLogKeeper() = default;

void StationLogKeeper::keep(const QString &target, const QcRecord &record)
{
    StationLogOutcome out;
    out.runId = record.runId;
    // One log per target; the spool keeps what a server has not taken yet.
    if (!m_log || target != m_target) {
        m_log = std::make_unique<ResultsLog>();
        m_target = target;
        if (!m_log->open(target)) {
            out.problem = m_log->problem();
            m_log.reset();
            emit kept(out);
            return;
        }
    }
    if (!m_log->record(record)) {
        out.problem = m_log->problem();
    } else if (!m_log->problem().isEmpty()) {
        out.state = StationLogOutcome::Spooled;
        out.problem = m_log->problem();
    } else {
        out.state = StationLogOutcome::Logged;
    }
    out.target = m_log->target().display();
    out.notice = m_log->notice();
    emit kept(out);
}

void StationLogKeeper::end()
{
    m_log.reset(); // the connections close on the thread that opened them
    QThread::currentThread()->quit();
}

StationLog::StationLog(QObject *parent) : QObject(parent) {}

StationLog::~StationLog()
{
    finish(kFinishWaitMs);
}

void StationLog::log(const QString &target, const QcRecord &record)
{
    if (!m_thread) {
        m_thread = new QThread;
        m_thread->setObjectName(QStringLiteral("velo2-qc-log"));
        m_keeper = new StationLogKeeper;
        m_keeper->moveToThread(m_thread);
        connect(m_keeper, &StationLogKeeper::kept, this, &StationLog::logged, Qt::QueuedConnection);
        m_thread->start();
    }
    StationLogKeeper *keeper = m_keeper;
    QMetaObject::invokeMethod(
        keeper, [keeper, target, record] { keeper->keep(target, record); }, Qt::QueuedConnection);
}

bool StationLog::finish(int waitMs)
{
    if (!m_thread)
        return true;
    StationLogKeeper *keeper = m_keeper;
    QThread *thread = m_thread;
    m_keeper = nullptr;
    m_thread = nullptr;
    // Queued after the records given, so they are all kept first.
    QMetaObject::invokeMethod(
        keeper, [keeper] { keeper->end(); }, Qt::QueuedConnection);
    // The thread deletes the keeper as it ends; the thread itself goes now or, when the wait
    // ends first (a server still inside its time-outs), once it has ended by itself.
    QObject::connect(thread, &QThread::finished, keeper, &QObject::deleteLater);
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    if (!thread->wait(QDeadlineTimer(waitMs)))
        return false;
    delete thread;
    return true;
}
