#include "ui/common/RunDriver.h"

#include "ui/common/Texts.h"
#include "ui/common/UnitTexts.h"

#include <QTimer>

RunDriver::RunDriver(UnitStation &station, const QString &holder, QObject *parent)
    : QObject(parent), m_station(station), m_holder(holder), m_timer(new QTimer(this))
{
    // Each step waits in the driver's read for up to one point, so a zero interval does not spin.
    m_timer->setInterval(0);
    connect(m_timer, &QTimer::timeout, this, &RunDriver::step);
    connect(&station, &UnitStation::holderChanged, this, [this](const QString &holder) {
        emit busyElsewhereChanged(!holder.isEmpty() && holder != m_holder);
    });
    connect(&station, &UnitStation::runAbandoned, this, [this](const QString &holder) {
        if (holder != m_holder)
            return;
        end();
        emit abandoned();
    });
}

RunDriver::~RunDriver()
{
    stop();
}

bool RunDriver::busyElsewhere() const
{
    return m_station.busy() && m_station.holder() != m_holder;
}

bool RunDriver::start(int comPort, int band, MeasurementRecord &record, CurveBlock &raw,
                      CurveBlock &avg, QString *problem)
{
    return start(comPort, {}, band, record, raw, avg, problem);
}

bool RunDriver::start(int comPort, const QVector<int> &bands, int span, MeasurementRecord &record,
                      CurveBlock &raw, CurveBlock &avg, QString *problem)
{
    if (running())
        return false;
    m_lease = UnitLease(m_station, m_holder);
    if (!m_lease.held()) {
        *problem = UnitTexts::heldBy(m_lease.refusedBy());
        return false;
    }
    const MeasurementRun::Start started =
        m_station.run().start(comPort, bands, span, record, raw, avg);
    if (!started.started()) {
        m_lease.release();
        *problem =
            UnitTexts::outcomeText(started.outcome, QString::fromUtf8(Texts::kUnitName)).text;
        return false;
    }
    m_timer->start();
    return true;
}

void RunDriver::step()
{
    MeasurementRun &run = m_station.run();
    const MeasurementRun::StepEvent e = run.step();
    switch (e.event) {
    case MeasurementRun::Event::Nothing:
        break;
    case MeasurementRun::Event::Point:
        emit point(e);
        break;
    case MeasurementRun::Event::Finished: {
        const bool converted = run.finish();
        end();
        emit finished(converted);
        break;
    }
    case MeasurementRun::Event::Failed:
        end();
        emit failed(
            e.failure == MeasurementRun::Failure::BandStart
                ? UnitTexts::outcomeText(e.outcome, QString::fromUtf8(Texts::kUnitName)).text
                : UnitTexts::failureText(e.failure));
        break;
    }
}

void RunDriver::stop()
{
    if (!running())
        return;
    if (m_station.run().receiving())
        m_station.run().stop();
    end();
}

void RunDriver::end()
{
    m_timer->stop();
    m_lease.release();
}
