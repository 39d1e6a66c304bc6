#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>
#include <cmath>

// One checked unit as the results log keeps it. The verdict fills it; the log stores, forwards
// and reports it. (station, runId) is unique: a retry of the same record never adds a row.
struct QcParameter {
    QString name;       // "Fs", "Rmax", "Qms", "Qes", "Qts", "Zmin"
    double value = 0.0; // NaN when the unit does not show it (no resonance)
    double low = 0.0;   // the window of the limits the unit was checked against
    double high = 0.0;
    bool measured() const { return std::isfinite(value); }
};

// The longest station name and serial a log takes, in characters: a station name is part of
// every key a server indexes, and both stay far below its limits in any encoding.
constexpr int kQcStationMaxLength = 64;
constexpr int kQcSerialMaxLength = 128;

struct QcRecord {
    QString station;    // default: the host name
    QString runId;      // unique per station, e.g. "20261207T153000123-0001"
    QDateTime timeUtc;  // when the verdict was given
    QString serial;     // as typed or scanned; may be empty
    QString limitsName; // the limits file's name and version, e.g. "woofer-8ohm v1"
    int band = 0;
    bool passed = false;
    QStringList failures; // one line per failed item, empty when passed
    QVector<QcParameter> parameters;
    QString dataFile; // the saved measurement, when one was saved
};
