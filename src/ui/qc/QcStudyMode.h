#pragma once

#include "core/qc/QcRecord.h"
#include "core/qc/grr/StudyLog.h"

#include <QFutureWatcher>
#include <QObject>
#include <QStringList>
#include <functional>

// The station's gauge study: which cell is measured next, and the log's work (setting the
// study up, keeping each measurement, working the study out at the end) done one step at a
// time off the window's thread, each outcome sent back as a signal.
class QcStudyMode : public QObject
{
    Q_OBJECT
public:
    struct Outcome {
        enum Kind { Opened, Recorded, Analysed } kind = Opened;
        int generation = 0; // outcomes of a study ended meanwhile are dropped
        QString problem;    // empty when the step succeeded
        QVector<GaugeCell> done;
        GaugeCell cell;
        QVector<GaugeParameterResult> results; // at the end: each parameter's
    };

    explicit QcStudyMode(QObject *parent = nullptr);

    // Sets the study up in the log of `target`; opened() follows.
    void begin(const QString &target, const GaugeStudyPlan &plan, const QString &station);
    void end();
    bool active() const { return m_active; }
    bool complete() const;
    const GaugeStudyPlan &plan() const { return m_plan; }
    // The cell to measure next: none on its way to the log or kept already. False when done.
    bool next(GaugeCell *cell) const;
    // How many cells are kept or on their way.
    int measured() const { return int(m_done.size() + m_pending.size()); }
    // Keeps a measured cell's parameters; recorded() follows, then analysed() after the last.
    void record(const GaugeCell &cell, const QVector<QcParameter> &values);

signals:
    void opened(const QString &problem);
    void recorded(const GaugeCell &cell, const QString &problem);
    void analysed(const QcStudyMode::Outcome &outcome);

private:
    void submit(std::function<Outcome()> step);
    void runNext();
    void finished(const Outcome &outcome);

    GaugeStudyPlan m_plan;
    QString m_target;
    QString m_station;
    bool m_active = false;
    int m_generation = 0;
    QVector<GaugeCell> m_done;
    QVector<GaugeCell> m_pending;
    QList<std::function<Outcome()>> m_queue;
    QFutureWatcher<Outcome> m_watcher;
};
