// Fuzzes the reader of other tools' impedance tables. Whatever it accepts is a table the
// grid can take: at least three points of rising, positive frequency with finite values, no
// negative |Z| and phases within 180 degrees; put on the grid, every point written lies within
// the table's range.

#include "CommonFuzz.h"
#include "core/document/CurveOnGrid.h"
#include "core/files/ImpedanceTable.h"
#include "core/model/BandTable.h"

#include <cmath>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ImpedanceTable table;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (!parseImpedanceTable(bytes, table).ok())
        return 0;
    fuzz::require(table.points.size() >= std::size_t(kMinTablePoints), "at least 3 points");
    for (std::size_t i = 0; i < table.points.size(); ++i) {
        const ImpedancePoint &p = table.points[i];
        fuzz::require(p.hz > 0.0 && std::isfinite(p.hz), "positive frequency");
        fuzz::require(p.ohm >= 0.0 && p.ohm <= kMaxTableOhm && std::isfinite(p.deg) &&
                          std::fabs(p.deg) <= kMaxTableDegrees,
                      "finite values, |Z| not negative, phase within 180 degrees");
        fuzz::require(i == 0 || p.hz > table.points[i - 1].hz, "rising frequency");
    }
    auto record = std::make_unique<MeasurementRecord>();
    for (int band = 1; band <= kBandCount; ++band)
        fuzz::require(putOnGrid(table, band, *record) == coveredGridPoints(table, band),
                      "points written where the table covers the grid");
    return 0;
}
