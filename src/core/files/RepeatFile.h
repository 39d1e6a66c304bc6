#pragma once

#include "core/model/RepeatSet.h"

#include <QByteArray>
#include <QString>

// The repeat file: every sweep of a repeat set and the spread per point, kept beside the data
// file of its mean (repeatFilePath). Plain text, UTF-8, LF, fields split by one tab, numbers
// with "." in the shortest form that reads back exactly; the layout is in README.md
// ("Repeat file"):
//
//   VELO2 repeat set <tab> 1                  the format and its version
//   band     <tab> 4
//   unit     <tab> HK-A2 <tab> 0123           model and serial
//   sweeps   <tab> 16 <tab> 16                held, and N asked for
//   partial  <tab> no                         "yes" when stopped short
//   date     <tab> 2026/12/08 10:11:12        the first sweep's start
//   sweep    <tab> 1 <tab> <date> <tab> 540   one line per sweep: number, start, points measured
//   points   <tab> 540
//   index freq_Hz n mean_ohm mean_deg sd_ohm sd_deg ohm_1 deg_1 ... ohm_N deg_N   (titles)
//   <one row per point of the band; "-" where a sweep did not measure it or n < 2>
//   end
//
// The reader takes the sweeps and recomputes the statistics from them; the stored mean and
// spread are for other tools and must agree with them, or the file counts as damaged.

constexpr int kRepeatFileVersion = 1;
constexpr qint64 kMaxRepeatFileBytes = 16 * 1024 * 1024;

// How reading a repeat file ended; line is the first line at fault (from 1) for Damaged.
struct RepeatFileRead {
    enum Status {
        Read,
        Missing,         // no file at the path
        Unreadable,      // not a regular file, too large, or it cannot be read
        NotRepeatFile,   // the first line is not a repeat file's
        NewerVersion,    // written by a newer program
        Damaged,         // cut short, edited, or its values disagree with its sweeps
        OtherMeasurement // read, but not the sweeps of the mean it was read for
    };
    Status status = Read;
    int line = 0;
    bool ok() const { return status == Read; }
};

// The file's bytes; false for an empty set, or a serial, model or date that would split a line.
bool repeatFileBytes(const RepeatSet &set, QByteArray &bytes);
// Writes them safely (the previous file survives any failure); false as above or when the
// write fails (lastSafeWriteError says why).
bool writeRepeatFile(const QString &path, const RepeatSet &set);

// Reads a repeat file into set, which is replaced only when the file passed.
RepeatFileRead readRepeatBytes(const QByteArray &bytes, RepeatSet &set);
RepeatFileRead readRepeatFile(const QString &path, RepeatSet &set);
// The repeat file kept beside the mean's data file at meanDataPath, read for the mean in record:
// OtherMeasurement (and set untouched) when its band or first sweep's start is not the mean's.
RepeatFileRead readRepeatFileFor(const QString &meanDataPath, const MeasurementRecord &mean,
                                 RepeatSet &set);
