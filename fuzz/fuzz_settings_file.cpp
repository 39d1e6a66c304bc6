// Fuzzes the settings-file reader. A rejected file must leave the settings untouched; an
// accepted one must come back unchanged after it is written again, or the writer refuses
// it and writes nothing.

#include "CommonFuzz.h"
#include "core/files/VELO_File.h"
#include "core/model/BandTable.h"
#include "core/model/ComPortName.h"

#include <cstring>

namespace {

bool sameSettings(const Settings &a, const Settings &b)
{
    if (a.comPort != b.comPort || a.colorR != b.colorR || a.colorTheta != b.colorTheta)
        return false;
    for (int k = 0; k < kReferenceSlots; ++k)
        if (a.refColorR[k] != b.refColorR[k] || a.refColorTheta[k] != b.refColorTheta[k])
            return false;
    for (int k = 0; k < kPrintInfoLines; ++k)
        if (a.printInfo[k] != b.printInfo[k])
            return false;
    return true;
}

bool sameState(const WindowState &a, const WindowState &b)
{
    return a.top == b.top && a.left == b.left && a.width == b.width && a.height == b.height &&
           a.band == b.band && a.rOnly == b.rOnly && a.thickLines == b.thickLines &&
           a.averaging == b.averaging && a.warn150 == b.warn150;
}

// Values no valid file can hold, to see what a reader touched.
Settings marker()
{
    Settings s;
    s.comPort = -5;
    s.colorR = 0xDEADBEEF;
    s.printInfo[0] = QByteArrayLiteral("marker");
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString input = fuzz::scratchPath("input.prf");
    static const QString resaved = fuzz::scratchPath("resaved.prf");
    const VELO_File vf;
    fuzz::writeInput(input, data, size);

    const Settings before = marker();
    WindowState beforeState;
    beforeState.top = -12345;
    Settings s = before;
    WindowState w = beforeState;
    if (!vf.readSettingFile(input, &s, &w)) {
        fuzz::require(sameSettings(s, before) && sameState(w, beforeState),
                      "a rejected file changes nothing");
        return 0;
    }
    fuzz::require(s.comPort >= kMinComPort && s.comPort <= kMaxComPort, "COM port in range");
    fuzz::require(isValidBand(w.band), "band 1..9");
    fuzz::require(w.width >= 1 && w.height >= 1, "size at least 1");
    fuzz::require(w.rOnly <= 1 && w.thickLines <= 1 && w.averaging <= 1 && w.warn150 <= 1,
                  "flags 0 or 1");

    // A print information line as long as the reader's piece cannot be written back.
    QFile::remove(resaved);
    if (!vf.writeSettingFile(resaved, &s, &w)) {
        fuzz::require(!QFile::exists(resaved), "a refused resave writes nothing");
        return 0;
    }
    Settings s2 = before;
    WindowState w2 = beforeState;
    fuzz::require(vf.readSettingFile(resaved, &s2, &w2), "resaved file readable");
    fuzz::require(sameSettings(s, s2), "settings kept");
    fuzz::require(sameState(w, w2), "window state kept");
    return 0;
}
