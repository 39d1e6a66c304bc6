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
class StationLogForwarder;
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

// The station's results log off the window's thread, so a busy or silent server never holds up
// the window. One thread keeps the records given on the disk, one after another in the order
// given (the SQLite log, or the spool for a server); a second forwards the spool to the server,
// so a server inside its time-outs never keeps a record off the disk. Each outcome comes back
// by a queued signal once the record is logged or waits in the spool. Each thread makes, uses
// and closes its own ResultsLog and connections.
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

    // Queues the record for the target (an SQLite path or a server URI); the threads start and
    // the log is opened on first use, and opened again when the target changes.
    void log(const QString &target, const QcRecord &record);
    // Makes sure every record given is on the disk: waits at most waitMs for the keeping thread,
    // then keeps what it has not taken here, in the spool (a local file only, no server is
    // tried). A forward in progress goes on. Their outcomes still come. False when a record in
    // hand was not kept within the wait; the thread keeps it later.
    bool settle(int waitMs);
    // Lets the records given be kept and forwarded, waiting at most waitMs, and ends the threads
    // (the next log() starts others); their outcomes still come. What the keeping thread has not
    // taken by then is kept in the spool here, so nothing given is lost; what the server has not
    // taken stays in the spool. False when the wait ran out.
    bool finish(int waitMs);

signals:
    void logged(const StationLogOutcome &outcome);

private:
    void keepHere(StationLogQueue *queue);

    QThread *m_thread = nullptr;
    StationLogKeeper *m_keeper = nullptr; // lives on m_thread
    QThread *m_forwardThread = nullptr;
    StationLogForwarder *m_forwarder = nullptr; // lives on m_forwardThread
    std::shared_ptr<StationLogQueue> m_queue;
};

// StationLog's keeping worker: owns a ResultsLog that writes the records; runs on its thread.
class StationLogKeeper : public QObject
{
    Q_OBJECT
public:
    StationLogKeeper(std::shared_ptr<StationLogQueue> queue, StationLogForwarder *forwarder);
    ~StationLogKeeper() override;
    // Keeps the next record of the queue, and has the forwarder send it on.
    void keepNext();
    // Ends this thread, and the forwarder's after the records sent to it.
    void end();

signals:
    void kept(const StationLogOutcome &outcome);

private:
    std::shared_ptr<StationLogQueue> m_queue;
    StationLogForwarder *m_forwarder;
    std::unique_ptr<ResultsLog> m_log;
    QString m_target;
};

// StationLog's forwarding worker: owns a ResultsLog that sends the spool to the server; runs on
// its thread.
class StationLogForwarder : public QObject
{
    Q_OBJECT
public:
    StationLogForwarder();
    ~StationLogForwarder() override;
    // The record of `spooled`, kept in the spool for the target, sent on with what else waits.
    void forward(const QString &target, StationLogOutcome spooled);
    void end();

signals:
    void forwarded(const StationLogOutcome &outcome);

private:
    std::unique_ptr<ResultsLog> m_log;
    QString m_target;
};
