#pragma once

#include "core/document/UnitsSet.h"

#include <QString>
#include <cmath>
#include <iterator>
#include <vector>

class QTableWidgetItem;

// The value columns of the units window's tables, shared by its tabs.
namespace UnitsColumns {

struct Column {
    const char *heading;
    double UnitValues::*field;
};
inline const Column kColumns[] = {{"Re [Ω]", &UnitValues::re}, {"Fs [Hz]", &UnitValues::fs},
                                  {"Qms", &UnitValues::qms},   {"Qes", &UnitValues::qes},
                                  {"Qts", &UnitValues::qts},   {"Zmax [Ω]", &UnitValues::zmax}};
constexpr int kColumnCount = int(std::size(kColumns));

inline QString number(double v)
{
    return std::isfinite(v) ? QString::number(v, 'g', 6) : QString();
}

inline std::vector<double> columnValues(const LoadedUnits &in, int column)
{
    std::vector<double> values;
    for (const LoadedUnit &u : in.units)
        values.push_back(u.values.*(kColumns[column].field));
    return values;
}

// A read-only cell.
QTableWidgetItem *cell(const QString &text);

} // namespace UnitsColumns
