#pragma once

#include "core/model/PointText.h"

#include <QtGlobal>

struct MeasurementRecord;
class TCommPortDriver;

// RunReceiver: assembles the unit's point stream of one run in a fixed buffer.
//
// Each acquisition step first reads up to one point's worth of bytes (readFrom, or feed with
// bytes got elsewhere) and then parses at most one point (step):
//  - after all expected points: once 3 bytes lie beyond the parse position, the end mark
//    decides between EndOk ("OK") and EndWrong (anything else; the terminator is not examined);
//  - before that: with fewer than 19 unparsed bytes nothing happens; otherwise the point's 18
//    characters are copied into the record's slot at runFirstIndex + k, with a zero at
//    character 18 (the 19th byte is not examined). A byte among them that is not a hex
//    digit (a carriage return, a line feed, ...) ends the run (BadPoint) with the
//    characters before it already copied.
// A stored point counts as received at once (the conversion the caller runs next cannot fail
// for a grid index below 600), so the caller draws the new segment when `point` > 0.
// After EndOk, EndWrong or BadPoint the receiver is finished and every later step gives
// Nothing. Fewer than 19 unparsed bytes are ever left over, so the buffer never fills.
//
// Per acquisition step the run does: n = readFrom(driver) (re-arm the watchdog when n > 0),
// then step(record) and act on the result: PointStored -> readout, convertPoint, draw;
// EndOk -> release, finish pending; EndWrong / BadPoint -> error end.
class RunReceiver
{
public:
    static constexpr int kBufferSize = 15000;
    // The run's watchdog: a run ends with an error when nothing arrived for this long.
    static constexpr int kWatchdogMs = 10000;

    enum class Step {
        Nothing,     // not enough bytes yet (or the run already ended)
        PointStored, // point `point` stored at grid index `gridIndex`
        BadPoint,    // a byte that is not a hex digit inside a point: error end
        EndOk,       // all points and the end mark "OK"
        EndWrong     // all points, but the end mark is not "OK": error end
    };
    struct StepResult {
        Step step = Step::Nothing;
        int point = -1;     // k, counted from 0 within the band
        int gridIndex = -1; // runFirstIndex + k
    };

    // Prepares a run of `band`: nothing received, nothing parsed.
    void start(int band);

    // Reads up to 19 bytes with the driver's ReadData (so with its InputTimeout) into the
    // buffer, during a run never more than is still to come up to the end mark; returns how
    // many arrived (the caller re-arms its watchdog when that is > 0).
    int readFrom(TCommPortDriver &driver);
    // Appends bytes got elsewhere (at most what the buffer still holds); returns how many.
    int append(const char *data, int count);
    // One parse step on what has been received.
    StepResult step(MeasurementRecord &record);
    // append, then step.
    StepResult feed(const char *data, int count, MeasurementRecord &record);

    bool finished() const { return m_finished; }
    int pointsReceived() const { return m_pointsReceived; }
    int pointsExpected() const { return m_pointsExpected; }
    int runFirstIndex() const { return m_runFirstIndex; }
    int rxWritePos() const { return m_rxWritePos; }
    int rxParsePos() const { return m_rxParsePos; }

private:
    char m_rxBuffer[kBufferSize] = {};
    int m_rxWritePos = 0;
    int m_rxParsePos = 0;
    int m_pointsReceived = 0;
    int m_pointsExpected = 0;
    int m_runFirstIndex = 0;
    bool m_finished = true;
};
