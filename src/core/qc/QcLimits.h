#pragma once

#include "core/model/BandTable.h"

#include <QString>
#include <QVector>
#include <optional>

// What a good unit of one driver type looks like: a band on |Z| at every grid point of one
// frequency band, and a window on each parameter. Made from golden units by makeQcLimits,
// kept in a limits file (QcLimitsFile).

// The parameters checked, in the order files, verdicts and reports list them. Zmin is the
// smallest |Z| above the resonance.
constexpr int kQcParameterCount = 6;
extern const char *const kQcParameterNames[kQcParameterCount]; // "Fs", "Rmax", "Qms", ...

struct QcWindow {
    double low = 0.0;
    double high = 0.0;
    bool contains(double v) const { return v >= low && v <= high; }
};

struct QcBandPoint {
    int index = 0; // grid index
    double freqHz = 0.0;
    QcWindow z; // ohm
};

struct QcLimits {
    QString name;     // driver type, as a person names it
    int revision = 1; // raised by whoever edits the limits
    int band = 0;
    int goldenCount = 0;
    double k = 3.0;
    double tolerancePct = 5.0;
    double re = 0.0; // ohm, used for the Thiele-Small values of every unit checked
    QcWindow parameters[kQcParameterCount];
    // An optional window on each unit's own Re (estimateRe), compared as measured or, with
    // reAt20C, normalised to a 20 °C coil.
    std::optional<QcWindow> reWindow;
    bool reAt20C = false;
    QVector<QcBandPoint> points; // every grid point of the band, rising frequency
    // A fast sweep: the bands the station measures, in order, each within `band` and together
    // joined up from its first point (a data file keeps no gap); empty: the whole band. Only their
    // points are judged, and the parameters and Re come from the first.
    QVector<int> sweep;
    int sweepLine = 0;
    // Where the limits came from, for messages: the file and the line of its band (none when
    // made in memory).
    QString source;
    int bandLine = 0;

    // The band a unit's parameters and Re are computed on: the sweep's first, else the band.
    int valuesBand() const { return sweep.isEmpty() ? band : sweep.first(); }
    // Whether grid point `index` is measured and judged.
    bool judges(int index) const;

    // "name vREVISION", as the results log keeps it.
    QString title() const { return name + QStringLiteral(" v") + QString::number(revision); }
};

// The window mean ± max(k·σ, pct % of |mean|) of values (σ of the sample; 0 for one value).
QcWindow toleranceWindow(const QVector<double> &values, double k, double tolerancePct);
