#pragma once

#include "core/files/VELO_File.h"
#include "core/measure/RunReceiver.h"
#include "core/measure/UnitProtocol.h"

#include <QElapsedTimer>
#include <QVector>
#include <functional>

struct CurveBlock;
struct MeasurementRecord;

// MeasurementRun: one band measured on a unit, the same for the window and velo2-cli.
//
// start() opens and identifies the unit and starts the sweep of a band. Then step() once per pass
// until it reports Finished or Failed; finish() converts the record whole. stop() ends a run the
// user broke off. The run shows nothing: each caller turns the outcomes and events into its own
// texts. The record and curve blocks stay the caller's.
class MeasurementRun
{
public:
    // A run ends with an error when nothing arrived for this long.
    static constexpr int kWatchdogMs = RunReceiver::kWatchdogMs;

    enum class Event {
        Nothing,  // no complete point this step
        Point,    // point `point` stored at `gridIndex` (and converted when `converted`)
        Finished, // all points and the end mark "OK"; the unit is released
        Failed    // the run ended with `failure`; the unit is released
    };
    enum class Failure {
        None,
        Silent,       // nothing arrived within the watchdog time
        BadPoint,     // a byte that is not a hex digit inside a point
        WrongEndMark, // anything but "OK" after the last point
        DeviceLost,   // the device went away during the run
        BandStart     // a later band of a sweep could not start: `outcome` says why
    };
    struct StepEvent {
        Event event = Event::Nothing;
        Failure failure = Failure::None;
        int point = -1;     // k, counted from 0 within the band
        int gridIndex = -1; // the band's first index + k
        bool converted = false;
        bool dataArrived = false; // the step read bytes (a watchdog timer re-arms on this)
        UnitOutcome outcome = UnitOutcome::Ok; // BandStart: what the start ended with
    };

    explicit MeasurementRun(UnitProtocol &unit);

    UnitProtocol &unit() { return m_unit; }
    const UnitProtocol &unit() const { return m_unit; }

    // ---- start ----
    // Where a start stopped: Started, or the step that failed.
    enum class Stage { Started, Connect, Band, Request };
    struct Start {
        Stage stage = Stage::Started;
        UnitOutcome outcome = UnitOutcome::Ok;
        bool started() const { return stage == Stage::Started; }
        // The unit was identified (model, serial and version are known).
        bool identified() const { return stage != Stage::Connect; }
        // The record was prepared for the run (and so cleared) before the band request.
        bool prepared() const { return stage == Stage::Started || stage == Stage::Request; }
    };
    // The one way to start a band: connect (open, presence check, identification), check the
    // band, prepare the record (band, no points, invalid, the current date and time) and ask
    // the unit for the band; the first step that fails ends the start. What a failure leaves
    // is the protocol's one rule (see UnitOutcome): a band the unit lacks or refused keeps
    // the port open, and the next start reuses it; every other failure closes it. On success
    // the sweep runs and the watchdog counts from here. The record and blocks stay the caller's.
    Start start(int comPort, int band, MeasurementRecord &record, CurveBlock &raw, CurveBlock &avg);
    Start start(const QString &portName, int band, MeasurementRecord &record, CurveBlock &raw,
                CurveBlock &avg);
    // A sweep of several bands, in order, into one record of `span`, the band they all lie in:
    // the record keeps span as its band, every band's points at their grid indexes and the
    // rest missing. Each band is a run of its own on the unit (released, then connected again);
    // step() starts the next band where one ends, reports Finished after the last, and Failed
    // (BandStart) when a later band cannot start. The start is that of the first band. One
    // band equal to span is the plain start above.
    Start start(int comPort, const QVector<int> &bands, int span, MeasurementRecord &record,
                CurveBlock &raw, CurveBlock &avg);

    // ---- streaming ----
    // Reads at most one point's bytes and handles at most one point.
    StepEvent step();
    // Steps until the run finishes or fails, or until stopRequested() says so (then it
    // returns Nothing and the run is still receiving). onPoint sees every Point event.
    StepEvent runToEnd(const std::function<bool()> &stopRequested,
                       const std::function<void(const StepEvent &)> &onPoint);
    bool receiving() const { return m_receiving; }
    bool watchdogExpired() const;
    // Over every band of a sweep.
    int pointsReceived() const { return m_pointsBefore + m_receiver.pointsReceived(); }
    int pointsExpected() const { return m_pointsExpected; }
    const RunReceiver &receiver() const { return m_receiver; }

    // ---- end ----
    // Converts the received record whole; valid 1 on success, 0 otherwise.
    bool finish();
    // The user's stop: the unit is told to end its sweep.
    StopOutcome stop();
    // The end of a run: one "ME" to a unit in session, then the port closed.
    void release();

private:
    Start startIdentified(UnitOutcome connected, int band, MeasurementRecord &record,
                          CurveBlock &raw, CurveBlock &avg);
    void prepare(int band, MeasurementRecord &record, CurveBlock &raw, CurveBlock &avg);
    // The next band of a sweep, the points so far kept.
    StepEvent startNextBand(StepEvent event);
    StepEvent fail(StepEvent event, Failure failure);

    UnitProtocol &m_unit;
    VELO_File m_file;
    RunReceiver m_receiver;
    QElapsedTimer m_sinceData;
    MeasurementRecord *m_record = nullptr;
    CurveBlock *m_raw = nullptr;
    CurveBlock *m_avg = nullptr;
    bool m_receiving = false;
    // A sweep: the bands still to come and the port they are measured on.
    QVector<int> m_nextBands;
    int m_comPort = 0;
    int m_pointsBefore = 0; // points of the sweep's earlier bands
    int m_pointsExpected = 0;
};
