#pragma once

#include "core/qc/QcRecord.h"

#include <QList>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QWaitCondition>
#include <memory>

class QThread;
class ResultsLog;
class StationLogKeeper;

// What became of one record given to a StationLog.
struct StationLogOutcome {
    enum State { Logged, Spooled, Failed };
    State state = Failed;
    QString runId;   // the record's
    QString target;  // where it was logged, passwords hidden
    QString problem; // why it waits in the spool, or why it was not kept
    QString notice;  // what else the spool holds
};

// Records given to a StationLog and not yet taken by its thread.
struct StationLogQueue {
    struct Item {
        QString target;
        QcRecord record;
    };
    QMutex mutex;
    QList<Item> items;
    bool inHand = false;    // the thread has taken a record it has not kept yet
    QWaitCondition settled; // inHand went false
};

// The station's results log on a thread of its own, so a busy or silent server never holds up
// the window. Records are kept one after another in the order given; each outcome comes back
// by a queued signal. The ResultsLog and its connections are made, used and closed on that
// thread only.
class StationLog : public QObject
{
    Q_OBJECT
public:
    explicit StationLog(QObject *parent = nullptr);
    // finish(kFinishWaitMs)
    ~StationLog() override;

    // Long enough for a forward's connection and statement time-outs, short enough to end
    // within the grace the program has after a signal.
    static constexpr int kFinishWaitMs = 8000;

    // Queues the record for the target (an SQLite path or a server URI); the thread starts and
    // the log is opened on first use, and opened again when the target changes.
    void log(const QString &target, const QcRecord &record);
    // Makes sure every record given is kept in the log or the spool: waits at most waitMs for
    // the one the thread is keeping, and keeps the ones it has not taken yet here, in the spool
    // (a local file only, no server is tried). A forward in progress goes on on the thread.
    // Their outcomes still come. False when the record in hand was not kept within the wait;
    // the thread keeps it later.
    bool settle(int waitMs);
    // Lets the records given be kept and forwarded, waiting at most waitMs, and ends the thread
    // (the next log() starts another); their outcomes still come. When the thread is still held
    // by a server after the wait, the records it has not taken yet are kept in the spool here, so
    // nothing given is lost. False in that case.
    bool finish(int waitMs);

signals:
    void logged(const StationLogOutcome &outcome);

private:
    void keepHere(StationLogQueue *queue);

    QThread *m_thread = nullptr;
    StationLogKeeper *m_keeper = nullptr; // lives on m_thread
    std::shared_ptr<StationLogQueue> m_queue;
};

// StationLog's worker: owns the ResultsLog; every call runs on the log's thread.
class StationLogKeeper : public QObject
{
    Q_OBJECT
public:
    explicit StationLogKeeper(std::shared_ptr<StationLogQueue> queue);
    ~StationLogKeeper() override;
    // Keeps the next record of the queue, then forwards it.
    void keepNext();
    void end();

signals:
    void kept(const StationLogOutcome &outcome);

private:
    std::shared_ptr<StationLogQueue> m_queue;
    std::unique_ptr<ResultsLog> m_log;
    QString m_target;
};
