#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// Impedance curves other tools write: ZMA and FRD-style exports of measuring programs and
// crossover simulators, datasheet traces. One point a line: frequency [Hz], |Z| [ohm] and,
// optionally, phase [deg]; further columns are ignored. Separators are blanks, tabs, commas
// or semicolons; on a line with a semicolon a comma is the decimal separator. Up to
// kMaxTableHeaderLines leading lines that do not start with a number (comments, a column
// title, a UTF-8 or Windows-31J header) are skipped; after the first point only blank and
// comment lines ("*", ";", "#", '"') may come between points. Lines end in LF or CR LF.

constexpr qint64 kMaxImpedanceTableBytes = 16 * 1024 * 1024;
constexpr int kMaxTableHeaderLines = 256;
constexpr int kMinTablePoints = 3;

struct ImpedancePoint {
    double hz;
    double ohm;
    double deg;
    double logHz; // the interpolation works on log f
};

struct ImpedanceTable {
    std::vector<ImpedancePoint> points; // strictly rising frequency
    bool hasPhase = false;              // some row had a phase column
    bool reordered = false;             // the rows were not in rising order and were sorted
    int duplicates = 0;                 // rows dropped for repeating a frequency
    int rows = 0;                       // data rows read, duplicates included
};

enum class TableProblem {
    None,
    Missing,
    NotRegular, // a folder, a device, a pipe
    TooLarge,   // over kMaxImpedanceTableBytes
    Unreadable,
    Binary,       // holds zero bytes
    NoData,       // no point at all (an empty file, a header without points)
    LongHeader,   // no point within the first kMaxTableHeaderLines lines
    TooFewPoints, // fewer than kMinTablePoints points
    NotNumeric,   // a line after the first point that is no point
    BadFrequency, // a frequency that is not above 0
    NegativeMagnitude,
    OutsideBand, // no grid point of the band lies within the table's range
};

// How reading ended; line is the 1-based line the problem is on, 0 when it is the file's.
struct TableRead {
    TableProblem problem = TableProblem::None;
    int line = 0;
    bool ok() const { return problem == TableProblem::None; }
};

// Reads the table in bytes; table is replaced only when the whole table passed.
TableRead parseImpedanceTable(const QByteArray &bytes, ImpedanceTable &table);
// The same for the regular file at path, never reading more than kMaxImpedanceTableBytes.
TableRead readImpedanceTable(const QString &path, ImpedanceTable &table);

// hz lies within the table's frequency range (a grid frequency computed to land on the
// first or last one counts).
bool coversFrequency(const ImpedanceTable &table, double hz);

// |Z| and phase at hz, interpolated linearly on log f between the neighbouring points;
// false outside the table's frequency range, which is never extrapolated.
bool impedanceAt(const ImpedanceTable &table, double hz, double &ohm, double &deg);
