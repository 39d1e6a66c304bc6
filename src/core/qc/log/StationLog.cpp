#include "core/qc/log/StationLog.h"

#include "core/qc/log/ResultsLog.h"

#include <QDeadlineTimer>
#include <QThread>

namespace {

// One record into the log opened for its target (opened again when the target changed). A
// server is not tried: the record is on the disk when this returns.
StationLogOutcome keepRecord(std::unique_ptr<ResultsLog> &log, QString &openTarget,
                             const StationLogQueue::Item &item)
{
    StationLogOutcome out;
    out.runId = item.record.runId;
    // One log per target; the spool keeps what a server has not taken yet.
    if (!log || item.target != openTarget) {
        log = std::make_unique<ResultsLog>();
        openTarget = item.target;
        if (!log->open(item.target, QString(), QString(), false)) {
            out.problem = log->problem();
            log.reset();
            return out;
        }
    }
    if (!log->record(item.record, false)) {
        out.problem = log->problem();
    } else if (!log->problem().isEmpty()) {
        out.state = StationLogOutcome::Spooled;
        out.problem = log->problem();
    } else {
        out.state = StationLogOutcome::Logged;
    }
    out.target = log->target().display();
    out.notice = log->notice();
    return out;
}

// A record kept in the spool, sent on to its server.
void forwardKept(ResultsLog &log, StationLogOutcome *out)
{
    log.forwardWhenDue();
    out->problem = log.problem();
    out->state = out->problem.isEmpty() ? StationLogOutcome::Logged : StationLogOutcome::Spooled;
    out->notice = log.notice();
}

} // namespace

StationLogKeeper::StationLogKeeper(std::shared_ptr<StationLogQueue> queue,
                                   StationLogForwarder *forwarder)
    : m_queue(std::move(queue)), m_forwarder(forwarder)
{
}

StationLogKeeper::~StationLogKeeper() = default;

void StationLogKeeper::keepNext()
{
    StationLogQueue::Item item;
    {
        QMutexLocker lock(&m_queue->mutex);
        if (m_queue->items.isEmpty())
            return; // kept by settle() or finish() meanwhile
        item = m_queue->items.takeFirst();
        m_queue->inHand = true;
    }
    const StationLogOutcome out = keepRecord(m_log, m_target, item);
    {
        QMutexLocker lock(&m_queue->mutex);
        m_queue->inHand = false;
        m_queue->settled.wakeAll();
    }
    if (out.state != StationLogOutcome::Spooled || !m_log || !m_log->target().isServer()) {
        emit kept(out);
        return;
    }
    StationLogForwarder *forwarder = m_forwarder;
    const QString target = item.target;
    QMetaObject::invokeMethod(
        forwarder, [forwarder, target, out] { forwarder->forward(target, out); },
        Qt::QueuedConnection);
}

void StationLogKeeper::end()
{
    m_log.reset(); // the connections close on the thread that opened them
    // Queued behind every record sent to it.
    StationLogForwarder *forwarder = m_forwarder;
    QMetaObject::invokeMethod(
        forwarder, [forwarder] { forwarder->end(); }, Qt::QueuedConnection);
    QThread::currentThread()->quit();
}

StationLogForwarder::StationLogForwarder() = default;

StationLogForwarder::~StationLogForwarder() = default;

void StationLogForwarder::forward(const QString &target, StationLogOutcome spooled)
{
    if (!m_log || target != m_target) {
        m_log = std::make_unique<ResultsLog>();
        m_target = target;
        if (!m_log->open(target, QString(), QString(), false)) {
            m_log.reset(); // the record waits in the spool, as the outcome says
            emit forwarded(spooled);
            return;
        }
    }
    forwardKept(*m_log, &spooled);
    emit forwarded(spooled);
}

void StationLogForwarder::end()
{
    m_log.reset();
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
        m_queue = std::make_shared<StationLogQueue>();
        m_forwardThread = new QThread;
        m_forwardThread->setObjectName(QStringLiteral("velo2-qc-forward"));
        m_forwarder = new StationLogForwarder;
        m_forwarder->moveToThread(m_forwardThread);
        connect(m_forwarder, &StationLogForwarder::forwarded, this, &StationLog::logged,
                Qt::QueuedConnection);
        m_thread = new QThread;
        m_thread->setObjectName(QStringLiteral("velo2-qc-log"));
        m_keeper = new StationLogKeeper(m_queue, m_forwarder);
        m_keeper->moveToThread(m_thread);
        connect(m_keeper, &StationLogKeeper::kept, this, &StationLog::logged, Qt::QueuedConnection);
        m_forwardThread->start();
        m_thread->start();
    }
    {
        QMutexLocker lock(&m_queue->mutex);
        m_queue->items.append({target, record});
    }
    StationLogKeeper *keeper = m_keeper;
    QMetaObject::invokeMethod(
        keeper, [keeper] { keeper->keepNext(); }, Qt::QueuedConnection);
}

bool StationLog::finish(int waitMs)
{
    if (!m_thread)
        return true;
    const QDeadlineTimer deadline(waitMs);
    StationLogKeeper *keeper = m_keeper;
    StationLogForwarder *forwarder = m_forwarder;
    QThread *thread = m_thread;
    QThread *forwardThread = m_forwardThread;
    const std::shared_ptr<StationLogQueue> queue = m_queue;
    m_keeper = nullptr;
    m_forwarder = nullptr;
    m_thread = m_forwardThread = nullptr;
    m_queue.reset();
    // Queued after the records given, so they are all kept first; the keeper then ends the
    // forwarder behind what it sent it. Each thread deletes its worker as it ends; the threads
    // go now or, when the wait ends first (a server still inside its time-outs), once they
    // have ended by themselves.
    QMetaObject::invokeMethod(
        keeper, [keeper] { keeper->end(); }, Qt::QueuedConnection);
    QObject::connect(thread, &QThread::finished, keeper, &QObject::deleteLater);
    QObject::connect(forwardThread, &QThread::finished, forwarder, &QObject::deleteLater);
    for (QThread *t : {thread, forwardThread})
        QObject::connect(t, &QThread::finished, t, &QObject::deleteLater);
    const bool kept = thread->wait(deadline);
    const bool sent = forwardThread->wait(deadline);
    if (kept)
        delete thread;
    else
        keepHere(queue.get());
    if (sent)
        delete forwardThread;
    return kept && sent;
}

bool StationLog::settle(int waitMs)
{
    if (!m_thread)
        return true;
    const QDeadlineTimer deadline(waitMs);
    bool kept = true;
    {
        QMutexLocker lock(&m_queue->mutex);
        while ((m_queue->inHand || !m_queue->items.isEmpty()) &&
               m_queue->settled.wait(&m_queue->mutex, deadline)) {
        }
        kept = !m_queue->inHand;
    }
    keepHere(m_queue.get());
    return kept;
}
void StationLog::keepHere(StationLogQueue *queue)
{
    // The records the thread has not taken go into the spool now; only a local file is
    // written, no server is tried.
    QList<StationLogQueue::Item> left;
    {
        QMutexLocker lock(&queue->mutex);
        left.swap(queue->items);
    }
    std::unique_ptr<ResultsLog> log;
    QString openTarget;
    for (const StationLogQueue::Item &item : left) {
        const StationLogOutcome out = keepRecord(log, openTarget, item);
        QMetaObject::invokeMethod(
            this, [this, out] { emit logged(out); }, Qt::QueuedConnection);
    }
}
