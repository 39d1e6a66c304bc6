#include "ui/qc/QcStudyMode.h"

#include "core/qc/log/LogConnection.h"

#include <QtConcurrent>

QcStudyMode::QcStudyMode(QObject *parent) : QObject(parent)
{
    connect(&m_watcher, &QFutureWatcher<Outcome>::finished, this, [this] {
        const Outcome outcome = m_watcher.result();
        finished(outcome);
        runNext();
    });
}

void QcStudyMode::begin(const QString &target, const GaugeStudyPlan &plan, const QString &station)
{
    m_plan = plan;
    m_target = target;
    m_station = station;
    m_active = false;
    m_done.clear();
    m_pending.clear();
    ++m_generation;
    submit([target, plan, station, generation = m_generation] {
        Outcome o;
        o.generation = generation;
        LogConnection c;
        if (openStudyLogToWrite(target, &c, &o.problem))
            StudyLog::open(c.db(), plan, station, &o.done, &o.problem);
        return o;
    });
}

void QcStudyMode::end()
{
    // What is on its way to the log still goes; the window hears no more of it.
    m_active = false;
    ++m_generation;
}

bool QcStudyMode::complete() const
{
    GaugeCell cell;
    return m_active && m_pending.isEmpty() && !nextGaugeCell(m_plan, m_done, &cell);
}

bool QcStudyMode::next(GaugeCell *cell) const
{
    return m_active && nextGaugeCell(m_plan, m_done + m_pending, cell);
}

void QcStudyMode::record(const GaugeCell &cell, const QVector<QcParameter> &values)
{
    m_pending.append(cell);
    const QDateTime time = QDateTime::currentDateTimeUtc();
    submit([target = m_target, plan = m_plan, station = m_station, cell, values, time,
            generation = m_generation] {
        Outcome o;
        o.kind = Outcome::Recorded;
        o.generation = generation;
        o.cell = cell;
        LogConnection c;
        if (openStudyLogToWrite(target, &c, &o.problem))
            StudyLog::record(c.db(), plan, cell, values, station, time, &o.problem);
        return o;
    });
}

void QcStudyMode::submit(std::function<Outcome()> step)
{
    m_queue.append(std::move(step));
    if (!m_watcher.isRunning())
        runNext();
}

void QcStudyMode::runNext()
{
    if (m_queue.isEmpty() || m_watcher.isRunning())
        return;
    m_watcher.setFuture(QtConcurrent::run(m_queue.takeFirst()));
}

void QcStudyMode::finished(const Outcome &o)
{
    if (o.generation != m_generation)
        return;
    switch (o.kind) {
    case Outcome::Opened:
        m_done = o.done;
        m_active = o.problem.isEmpty();
        emit opened(o.problem);
        break;
    case Outcome::Recorded:
        m_pending.removeOne(o.cell);
        if (o.problem.isEmpty())
            m_done.append(o.cell);
        emit recorded(o.cell, o.problem);
        if (complete())
            submit([target = m_target, plan = m_plan, generation = m_generation] {
                Outcome a;
                a.kind = Outcome::Analysed;
                a.generation = generation;
                analyseLoggedStudyParameters(target, plan.name, &a.results, &a.problem);
                return a;
            });
        break;
    case Outcome::Analysed:
        m_active = false;
        emit analysed(o);
        break;
    }
}
