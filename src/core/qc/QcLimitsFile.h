#pragma once

// The QC limits file: plain UTF-8 text, one item a line, that a person can read and edit.
// Blank lines and lines starting with '#' are comments; fields are separated by blanks;
// numbers use a decimal point. Line ends LF or CR LF.
//
//   velo2-qc-limits 1             format and its version; always the first item
//   name woofer-8ohm              driver type (the rest of the line)
//   revision 1                    raise it when you edit the limits
//   band 2                        the unit's frequency band 1..9
//   golden 3                      golden units the limits were made from (information)
//   k 3                           the rule they were made with (information):
//   tolerance-pct 5               mean ± max(k·σ, tolerance-pct % of the mean)
//   re 5.70                       ohm, the Re every unit's Thiele-Small values use
//   param Fs 37.6 42.4            window LOW HIGH of each parameter, all six:
//   param Rmax ...                Fs [Hz], Rmax [ohm], Qms, Qes, Qts, Zmin [ohm]
//   sweep 9 5                     optional: the bands the station measures, in order, each
//                                 within band and together joined up from its first point;
//                                 only their points are judged, the parameters and Re on the
//                                 first (absent: the whole band)
//   re-window 5.5 6.1 20C         optional: a window on each unit's own Re [ohm], compared
//                                 as measured, or at 20 °C with "20C" (the coil's temperature
//                                 given with the check); absent: Re is not checked
//   point 0 10.00 5.80 6.45       grid index, frequency [Hz], |Z| low and high [ohm]:
//   ...                           one line for every point of the band, rising index
//   end                           the last item: a file cut short is refused
//
// Every item but the comments, sweep and re-window is required once (point once per grid
// index); an unknown item, a bad number, a window with LOW above HIGH, a point out of order or
// off its grid frequency (by more than 0.1 %), a sweep band outside the band or a gap between
// the sweep's bands refuses the file with its line number.

#include "core/qc/QcLimits.h"

#include <QByteArray>
#include <QString>

constexpr int kQcLimitsFormatVersion = 1;

QByteArray qcLimitsText(const QcLimits &limits);
// Writes the file; an older file survives a failed write.
bool writeQcLimitsFile(const QString &path, const QcLimits &limits);

// Reads a limits file; returns the reason ("FILE: line N: problem") when it is refused, and
// *out is then left alone. source names the file in messages.
QString parseQcLimits(const QByteArray &bytes, const QString &source, QcLimits *out);
QString readQcLimitsFile(const QString &path, QcLimits *out);
