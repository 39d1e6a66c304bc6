// Fuzzes the data-file reader. Whatever it accepts must survive a save: written again in
// the current form, the file reads back to the same serial, date-time, COM port, band and
// point texts, or the writer refuses it and writes nothing.

#include "CommonFuzz.h"
#include "core/files/VELO_File.h"
#include "core/model/BandTable.h"
#include "core/model/ComPortName.h"
#include "core/model/MeasurementRecord.h"

#include <cstring>
#include <memory>

namespace {

struct Loaded {
    std::unique_ptr<MeasurementRecord> record = std::make_unique<MeasurementRecord>();
    QByteArray serial;
    quint8 modelFlag = 7;
    qint32 comPort = -1;
    Loaded() { clearPoints(*record); }
};

bool load(const VELO_File &vf, const QString &path, Loaded &out)
{
    return vf.readDataFile(path, out.serial, out.modelFlag, out.comPort, out.record.get());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString input = fuzz::scratchPath("input.DTA");
    static const QString resaved = fuzz::scratchPath("resaved.DTA");
    const VELO_File vf;
    fuzz::writeInput(input, data, size);

    Loaded first;
    if (!load(vf, input, first))
        return 0;
    const MeasurementRecord &a = *first.record;
    fuzz::require(first.modelFlag <= 1, "model flag 0 or 1");
    fuzz::require(first.comPort >= kMinComPort && first.comPort <= kMaxComPort,
                  "COM port in range");
    fuzz::require(isValidBand(a.band), "band 1..9");
    fuzz::require(a.valid == 0, "the reader leaves valid alone");

    QFile::remove(resaved);
    if (!vf.writeDataFile(resaved, first.serial, first.comPort, &a)) {
        fuzz::require(!QFile::exists(resaved), "a refused resave writes nothing");
        return 0;
    }
    Loaded second;
    fuzz::require(load(vf, resaved, second), "resaved file readable");
    const MeasurementRecord &b = *second.record;
    fuzz::require(second.modelFlag == 0, "resaved in the current form");
    fuzz::require(second.comPort == first.comPort, "COM port kept");
    fuzz::require(b.band == a.band, "band kept");
    fuzz::require(second.serial == first.serial, "serial kept");
    fuzz::require(b.dateTime == a.dateTime, "date-time kept");
    for (int i = bandFirstIndex(a.band); i <= bandLastIndex(a.band); ++i)
        fuzz::require(std::strncmp(a.points[i], b.points[i], kPointTextLength) == 0,
                      "point texts kept");

    // Converting whatever was read must stay within the curve blocks.
    auto raw = std::make_unique<CurveBlock>();
    auto avg = std::make_unique<CurveBlock>();
    fuzz::require(vf.convertRecord(&a, raw.get(), avg.get()), "conversion");
    return 0;
}
