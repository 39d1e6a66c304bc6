#include "core/measure/MeasurementRun.h"

#include "core/measure/RunDateTime.h"
#include "core/measure/TCommPortDriver.h"
#include "core/model/BandTable.h"
#include "core/model/CurveBlock.h"
#include "core/model/MeasurementRecord.h"

#include <QDateTime>
#include <algorithm>

MeasurementRun::MeasurementRun(UnitProtocol &unit) : m_unit(unit) {}

MeasurementRun::Start MeasurementRun::start(int comPort, int band, MeasurementRecord &record,
                                            CurveBlock &raw, CurveBlock &avg)
{
    return startIdentified(m_unit.openAndIdentify(comPort), band, record, raw, avg);
}

MeasurementRun::Start MeasurementRun::start(int comPort, const QVector<int> &bands, int span,
                                            MeasurementRecord &record, CurveBlock &raw,
                                            CurveBlock &avg)
{
    if (bands.isEmpty())
        return start(comPort, span, record, raw, avg);
    const Start started =
        startIdentified(m_unit.openAndIdentify(comPort), bands.first(), record, raw, avg);
    if (!started.started())
        return started;
    // The record is the span's from the first band on; the receiver takes one band at a time.
    // The points between the bands stay missing, in the record and its curves.
    record.band = span;
    for (int i = bandFirstIndex(span); i <= bandLastIndex(span); ++i)
        if (std::none_of(bands.cbegin(), bands.cend(),
                         [i](int b) { return i >= bandFirstIndex(b) && i <= bandLastIndex(b); }))
            emptyPoint(record.points[i]);
    clearCurve(raw);
    clearCurve(avg);
    m_comPort = comPort;
    m_nextBands = bands.mid(1);
    m_pointsExpected = 0;
    for (int band : bands)
        m_pointsExpected += bandPointCount(band);
    return started;
}

MeasurementRun::Start MeasurementRun::start(const QString &portName, int band,
                                            MeasurementRecord &record, CurveBlock &raw,
                                            CurveBlock &avg)
{
    return startIdentified(m_unit.openAndIdentify(portName), band, record, raw, avg);
}

MeasurementRun::Start MeasurementRun::startIdentified(UnitOutcome connected, int band,
                                                      MeasurementRecord &record, CurveBlock &raw,
                                                      CurveBlock &avg)
{
    m_receiving = false;
    if (connected != UnitOutcome::Ok)
        return {Stage::Connect, connected};
    if (const UnitOutcome checked = m_unit.mCheckBand(band); checked != UnitOutcome::Ok)
        return {Stage::Band, checked};
    prepare(band, record, raw, avg);
    if (const UnitOutcome requested = m_unit.mRequestBand(band); requested != UnitOutcome::Ok)
        return {Stage::Request, requested};
    m_receiving = true;
    m_sinceData.start();
    return {};
}

void MeasurementRun::prepare(int band, MeasurementRecord &record, CurveBlock &raw, CurveBlock &avg)
{
    m_record = &record;
    m_raw = &raw;
    m_avg = &avg;
    record.band = band;
    m_receiver.start(band);
    m_nextBands.clear();
    m_pointsBefore = 0;
    m_pointsExpected = bandPointCount(band);
    record.valid = 0;
    clearPoints(record);
    record.dateTime = runDateTimeText(QDateTime::currentDateTime());
}

bool MeasurementRun::watchdogExpired() const
{
    return m_receiving && m_sinceData.hasExpired(kWatchdogMs - 1);
}

MeasurementRun::StepEvent MeasurementRun::step()
{
    StepEvent event;
    if (!m_receiving)
        return event;
    if (watchdogExpired())
        return fail(event, Failure::Silent);

    if (m_receiver.readFrom(m_unit.driver()) > 0) {
        m_sinceData.restart();
        event.dataArrived = true;
    }
    const RunReceiver::StepResult r = m_receiver.step(*m_record);
    switch (r.step) {
    case RunReceiver::Step::Nothing:
        // A device that has gone away sends nothing more: end now, not at the watchdog.
        if (m_unit.driver().DeviceLost())
            return fail(event, Failure::DeviceLost);
        break;
    case RunReceiver::Step::PointStored:
        event.event = Event::Point;
        event.point = r.point;
        event.gridIndex = r.gridIndex;
        event.converted = m_file.convertPoint(m_record, r.gridIndex, m_raw, m_avg);
        break;
    case RunReceiver::Step::EndOk:
        m_receiving = false;
        release();
        if (!m_nextBands.isEmpty())
            return startNextBand(event);
        event.event = Event::Finished;
        break;
    case RunReceiver::Step::EndWrong:
        return fail(event, Failure::WrongEndMark);
    case RunReceiver::Step::BadPoint:
        return fail(event, Failure::BadPoint);
    }
    return event;
}

MeasurementRun::StepEvent
MeasurementRun::runToEnd(const std::function<bool()> &stopRequested,
                         const std::function<void(const StepEvent &)> &onPoint)
{
    while (!stopRequested()) {
        const StepEvent event = step();
        if (event.event == Event::Point)
            onPoint(event);
        else if (event.event != Event::Nothing || !m_receiving)
            return event;
    }
    return {};
}

MeasurementRun::StepEvent MeasurementRun::startNextBand(StepEvent event)
{
    const int band = m_nextBands.takeFirst();
    UnitOutcome outcome = m_unit.openAndIdentify(m_comPort);
    if (outcome == UnitOutcome::Ok)
        outcome = m_unit.mCheckBand(band);
    if (outcome == UnitOutcome::Ok) {
        m_pointsBefore += m_receiver.pointsReceived();
        m_receiver.start(band);
        outcome = m_unit.mRequestBand(band);
    }
    if (outcome != UnitOutcome::Ok) {
        m_nextBands.clear();
        event.outcome = outcome;
        return fail(event, Failure::BandStart);
    }
    m_receiving = true;
    m_sinceData.start();
    return event;
}

MeasurementRun::StepEvent MeasurementRun::fail(StepEvent event, Failure failure)
{
    // The record keeps valid 0 and whatever points arrived.
    m_receiving = false;
    release();
    event.event = Event::Failed;
    event.failure = failure;
    return event;
}

bool MeasurementRun::finish()
{
    if (!m_file.convertRecord(m_record, m_raw, m_avg)) {
        if (m_record)
            m_record->valid = 0;
        return false;
    }
    m_record->valid = 1;
    return true;
}

StopOutcome MeasurementRun::stop()
{
    m_receiving = false;
    return m_unit.mStopUnit();
}

void MeasurementRun::release()
{
    m_unit.mReleaseCOM();
}
