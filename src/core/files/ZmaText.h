#pragma once

#include "core/model/CurveBlock.h"

#include <QByteArray>
#include <QString>

extern const QString kZmaFileExtension; // ".zma"

// The impedance table crossover and enclosure simulators import ("*.zma"): one line per point
// of the band with frequency in Hz, magnitude in ohms and phase in degrees, separated by a
// TAB, after two comment lines beginning with "*": the source file's name and the band,
// then the column titles. Only ASCII is written (other characters of the name become "?"),
// since the strictest readers take nothing else. Numbers use "." and the shortest digits
// that give back the curve's float exactly; lines end in CR LF like every file of the
// program. Slots without a point (R below 0) and points without a frequency are left out,
// since a logarithmic frequency axis cannot place them.
QByteArray zmaText(const CurveBlock &curve, int band, const QString &sourceName);
