#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// Impedance curves other tools write: ZMA and FRD-style exports of measuring programs and
// crossover simulators, datasheet traces. One point a line: frequency [Hz], |Z| [ohm] and,
// optionally, phase [deg]; further columns are ignored. Separators are blanks, tabs, commas
// or semicolons. A comma is the decimal separator on a line with a semicolon, and on a line
// of blank- or tab-separated fields with one comma inside a number ("10,00<TAB>15,000");
// a line that mixes such commas with separating commas or decimal points is refused. Up to
// kMaxTableHeaderLines leading lines that do not start with a number (comments, a column
// title, a UTF-8 or Windows-31J header) are skipped; after the first point only blank and
// comment lines ("*", ";", "#", '"') may come between points. Lines end in LF or CR LF.
// Every value is finite, |Z| at most kMaxTableOhm, the phase within +-kMaxTableDegrees.

constexpr qint64 kMaxImpedanceTableBytes = 16 * 1024 * 1024;
constexpr int kMaxTableHeaderLines = 256;
constexpr int kMinTablePoints = 3;
constexpr double kMaxTableOhm = 3.4e38; // what a float holds
constexpr double kMaxTableDegrees = 180.0;

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
    Utf16,        // text in UTF-16
    CrLineEnds,   // lines end in CR alone
    NoData,       // no point at all (an empty file, a header without points)
    LongHeader,   // no point within the first kMaxTableHeaderLines lines
    TooFewPoints, // fewer than kMinTablePoints points
    NotNumeric,   // a line after the first point that is no point
    BadFrequency, // a frequency that is not above 0
    NegativeMagnitude,
    NotFinite,       // NaN, infinity or a number beyond what a curve holds
    PhaseOutOfRange, // beyond +-kMaxTableDegrees
    AmbiguousComma,  // a line whose commas could be decimal commas or separators
    OutsideBand,     // no grid point of the band lies within the table's range
};

// How reading ended; line is the 1-based line the problem is on, 0 when it is the file's.
struct TableRead {
    TableProblem problem = TableProblem::None;
    int line = 0;
    bool ok() const { return problem == TableProblem::None; }
};

// A VELO2 driver file (JSON, see the analysis's DriverJson) is read as its curve: the same
// checks, a problem's line being the point's place in the list.
extern const char kDriverFileFormatName[]; // "velo2-driver"

// Reads the table in bytes; table is replaced only when the whole table passed.
TableRead parseImpedanceTable(const QByteArray &bytes, ImpedanceTable &table);
// The same for the regular file at path, never reading more than kMaxImpedanceTableBytes.
TableRead readImpedanceTable(const QString &path, ImpedanceTable &table);

// hz lies within the table's frequency range (a grid frequency computed to land on the
// first or last one counts).
bool coversFrequency(const ImpedanceTable &table, double hz);

// |Z| and phase at hz, interpolated linearly on log f between the neighbouring points;
// false outside the table's frequency range, which is never extrapolated, and for a value
// that would not be finite.
bool impedanceAt(const ImpedanceTable &table, double hz, double &ohm, double &deg);
