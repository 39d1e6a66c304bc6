#pragma once

#include <QDateTime>
#include <QString>
#include <QVector>

// What capability is grouped by: the local day, a shift of the day, or the station.
enum class SpcGrouping { Day, Shift, Station };

// A shift from its start to its end in local minutes after midnight; one that ends at or
// before its start runs past midnight and belongs to the day it started.
struct SpcShift {
    int start = 0;
    int end = 0;
    QString label() const; // "22:00-06:00"
    bool contains(int minute) const;
};

// "06:00-14:00,14:00-22:00,22:00-06:00". Shifts may leave gaps but not overlap; false with a
// whole message in *error otherwise.
bool parseShifts(const QString &text, QVector<SpcShift> *out, QString *error);
QString defaultShifts();
// "day", "shift", "station"; false for another word.
bool parseGrouping(const QString &text, SpcGrouping *out);

// A stretch of time in the log's time texts, from (inclusive) to (exclusive), and the period
// it belongs to; empty for time that falls in no shift.
struct SpcSegment {
    QString from;
    QString to;
    QString period;
};

// The local days or shifts that cover first to last, in order, with the gaps between shifts;
// the first segment starts at `start` and the last one runs on to the year 9999, so that
// every time from `start` on falls in one segment. Empty for the grouping by station.
QVector<SpcSegment> spcSegments(SpcGrouping grouping, const QVector<SpcShift> &shifts,
                                const QString &start, const QDateTime &first,
                                const QDateTime &last);
