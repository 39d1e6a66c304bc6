#pragma once

#include "core/model/CurveBlock.h"
#include "core/model/MeasurementRecord.h"

#include <QByteArray>
#include <QString>
#include <vector>

// A repeat set: N sweeps of one band on one unit, and their mean and spread point by point.
//
//   RepeatSet set(16);                                  // N = 2..64
//   set.add(repeatSweepFromRecord(record, received, serial, model));   // after each run
//   const std::vector<RepeatPoint> s = set.statistics(); // mean and sample sigma per point
//   set.meanCurve(raw);                                  // the mean as a curve block
//
// The mean is the complex mean of Z = |Z|·e^(jθ), given back as |Z| and phase: a sweep
// whose phase moved does not pull the mean |Z| the way an average of |Z| would. A run stopped
// early adds what it measured (the band's first points) and ends the set: the set is partial.

constexpr int kMinRepeats = 2;
constexpr int kMaxRepeats = 64;

// One sweep as it was measured: the band's points in grid order, the first `measured` of
// them holding values (a stopped run measured only those).
struct RepeatSweep {
    int band = 0;
    QByteArray serial;   // the unit's serial as it sent it
    QString model;       // the unit's model text ("HK-A2", "HK-A")
    QByteArray dateTime; // the run's start, as a data file holds it
    std::vector<double> freqHz;
    std::vector<double> ohm;
    std::vector<double> deg;
    int measured = 0;
    bool complete() const;
};

// A sweep of record's band from its point slots: the first `received` points (-1: the whole
// band; empty slots end it early as well).
RepeatSweep repeatSweepFromRecord(const MeasurementRecord &record, int received,
                                  const QByteArray &serial, const QString &model);

// How adding a sweep ended. Only Added changes the set.
enum class RepeatAdd {
    Added,
    BadCount,    // the set was made with N outside kMinRepeats..kMaxRepeats
    Full,        // N sweeps are in already
    Stopped,     // the last sweep was partial: the set ended with it
    NoPoints,    // the sweep holds no measured point, or its band is not 1..9
    OtherBand,   // not the band of the first sweep
    OtherUnit,   // not the serial or model of the first sweep
    OtherLength, // its point lists do not hold its band's points
};

// The mean and spread at one point of the band.
struct RepeatPoint {
    int n = 0; // sweeps that measured the point; 0: no value
    double freqHz = 0.0;
    double ohm = 0.0;   // |mean of Z|
    double deg = 0.0;   // arg(mean of Z)
    double sdOhm = 0.0; // sample standard deviation (n - 1) of |Z|; NaN when n < 2
    double sdDeg = 0.0; // the same of the phase, in degrees; NaN when n < 2
};

class RepeatSet
{
public:
    explicit RepeatSet(int planned = kMinRepeats);
    static bool isValidCount(int n) { return n >= kMinRepeats && n <= kMaxRepeats; }

    int planned() const { return m_planned; }
    int count() const { return int(m_sweeps.size()); }
    bool isEmpty() const { return m_sweeps.empty(); }
    const std::vector<RepeatSweep> &sweeps() const { return m_sweeps; }
    // The first sweep's band, serial and model (0 and empty before any).
    int band() const;
    QByteArray serial() const;
    QString model() const;
    QByteArray dateTime() const;

    RepeatAdd add(RepeatSweep sweep);
    // No more sweeps will come: the set ends as it is (partial when short of N).
    void stop() { m_stopped = true; }
    // The set can take another sweep.
    bool isOpen() const;
    // Fewer than N sweeps, or the last one stopped before the end of the band.
    bool isPartial() const;

    // One entry per point of the band, in grid order (empty for an empty set).
    std::vector<RepeatPoint> statistics() const;
    // The mean as a curve: valid set, the band's points in single precision, R -1 where no
    // sweep measured the point, every other slot cleared.
    void meanCurve(CurveBlock &raw) const;

    // The edges of the band the graph shades: mean ± k·sigma of |Z| in r and of the phase in
    // theta, R -1 (not drawn) where fewer than two sweeps measured the point.
    void spreadCurves(double k, CurveBlock &upper, CurveBlock &lower) const;

private:
    int m_planned;
    bool m_stopped = false;
    std::vector<RepeatSweep> m_sweeps;
};
