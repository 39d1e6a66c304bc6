#pragma once

#include "core/files/VELO_File.h"
#include "core/measure/RunReceiver.h"
#include "core/measure/UnitProtocol.h"

#include <QElapsedTimer>
#include <functional>

struct CurveBlock;
struct MeasurementRecord;

// MeasurementRun: one band measured on a unit, the same for the window and velo2-cli.
//
// Start: connect (open, presence check, identification), checkBand, prepare (the record as a
// run begins it), requestBand (the sweep starts and the watchdog counts from here). Then
// step() once per pass until it reports Finished or Failed; finish() converts the record
// whole. stop() ends a run the user broke off. The run shows nothing: each caller turns the
// outcomes and events into its own texts. The record and curve blocks stay the caller's.
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
        DeviceLost    // the device went away during the run
    };
    struct StepEvent {
        Event event = Event::Nothing;
        Failure failure = Failure::None;
        int point = -1;     // k, counted from 0 within the band
        int gridIndex = -1; // the band's first index + k
        bool converted = false;
        bool dataArrived = false; // the step read bytes (a watchdog timer re-arms on this)
    };

    explicit MeasurementRun(UnitProtocol &unit);

    UnitProtocol &unit() { return m_unit; }
    const UnitProtocol &unit() const { return m_unit; }

    // ---- start ----
    // Opens the port, checks and identifies the unit; Ok starts the unit session. On any
    // failure the port is closed again.
    UnitOutcome connect(int comPort);
    UnitOutcome connect(const QString &portName);
    UnitOutcome checkBand(int band) const;
    // The record as a run begins it: band, no points, invalid, the current date and time.
    void prepare(int band, MeasurementRecord &record, CurveBlock &raw, CurveBlock &avg);
    // Asks the unit for the prepared band; Ok starts receiving.
    UnitOutcome requestBand();

    // ---- streaming ----
    // Reads at most one point's bytes and handles at most one point.
    StepEvent step();
    // Steps until the run finishes or fails, or until stopRequested() says so (then it
    // returns Nothing and the run is still receiving). onPoint sees every Point event.
    StepEvent runToEnd(const std::function<bool()> &stopRequested,
                       const std::function<void(const StepEvent &)> &onPoint);
    bool receiving() const { return m_receiving; }
    bool watchdogExpired() const;
    int pointsReceived() const { return m_receiver.pointsReceived(); }
    int pointsExpected() const { return m_receiver.pointsExpected(); }
    const RunReceiver &receiver() const { return m_receiver; }

    // ---- end ----
    // Converts the received record whole; valid 1 on success, 0 otherwise.
    bool finish();
    // The user's stop: the unit is told to end its sweep.
    StopOutcome stop();
    // The end of a run: one "ME" to a unit in session, then the port closed.
    void release();

private:
    StepEvent fail(StepEvent event, Failure failure);

    UnitProtocol &m_unit;
    VELO_File m_file;
    RunReceiver m_receiver;
    QElapsedTimer m_sinceData;
    MeasurementRecord *m_record = nullptr;
    CurveBlock *m_raw = nullptr;
    CurveBlock *m_avg = nullptr;
    int m_band = 0;
    bool m_receiving = false;
};
