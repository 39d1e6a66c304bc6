#include "core/files/VELO_File.h"

#include "core/files/FileFields.h"
#include "core/files/SafeWrite.h"
#include "core/files/TextFileReader.h"
#include "core/model/ComPortName.h"
#include "core/model/Stringutil.h"

#include <QBuffer>

#include <limits>

// The settings file "VELO2_ini.prf": 27 lines in a fixed order, each a key with its value
// directly behind it, CR LF at the end of every line.

namespace {

const QByteArray kFirstLine = QByteArrayLiteral("VELO2_ini");
const QByteArray kKeyCommPort = QByteArrayLiteral("CommPortNum:");
const QByteArray kKeyColorR = QByteArrayLiteral("PenColor_R:");
const QByteArray kKeyColorTheta = QByteArrayLiteral("PenColor_Theta:");
const QByteArray kKeyPrintInfo = QByteArrayLiteral("pstr:");
const QByteArray kKeyTop = QByteArrayLiteral("top:");
const QByteArray kKeyLeft = QByteArrayLiteral("left:");
const QByteArray kKeyWidth = QByteArrayLiteral("width:");
const QByteArray kKeyHeight = QByteArrayLiteral("height:");
const QByteArray kKeyBand = QByteArrayLiteral("band:");
const QByteArray kKeyROnly = QByteArrayLiteral("fronly:");
const QByteArray kKeyWide = QByteArrayLiteral("fwide:");
const QByteArray kKeyAverage = QByteArrayLiteral("fave3:");
const QByteArray kKeyWarning = QByteArrayLiteral("fwarning:");
const QByteArray kEndLine = QByteArrayLiteral("END:");

QByteArray refColorRKey(int slot)
{
    return "PenColor_R_Ref[" + QByteArray::number(slot) + "]:";
}
QByteArray refColorThetaKey(int slot)
{
    return "PenColor_Theta_Ref[" + QByteArray::number(slot) + "]:";
}

// Lines are read whole up to this length, so print-information lines of any sensible
// length come back (the older reader cut lines at 249 bytes and then lost the file).
constexpr int kSettingLineMax = 65536;

// Colours are 32-bit words written as signed decimals, so any stored value comes back.
QByteArray colorText(ColorRef c)
{
    return QByteArray::number(qint32(c));
}
QByteArray flagText(quint8 flag)
{
    return flag == 1 ? "1" : "0";
}

class SettingReader
{
public:
    explicit SettingReader(TextFileReader &in) : m_in(in) {}

    bool line(const QByteArray &key, QByteArray &value)
    {
        QByteArray text;
        if (!m_in.readHeaderLine(text, kSettingLineMax))
            return false;
        KeyValue kv = splitKeyValue(text);
        if (kv.key != key)
            return false;
        value = std::move(kv.value);
        return true;
    }
    bool integer(const QByteArray &key, qint32 &out)
    {
        QByteArray value;
        return line(key, value) && parseFileInt(value, out);
    }
    bool integer(const QByteArray &key, qint32 &out, qint32 min, qint32 max)
    {
        qint32 v;
        if (!integer(key, v) || v < min || v > max)
            return false;
        out = v;
        return true;
    }
    bool color(const QByteArray &key, ColorRef &out)
    {
        qint32 v;
        if (!integer(key, v))
            return false;
        out = ColorRef(v);
        return true;
    }
    bool flag(const QByteArray &key, quint8 &out)
    {
        qint32 v;
        if (!integer(key, v))
            return false;
        out = v == 0 ? 0 : 1;
        return true;
    }

private:
    TextFileReader &m_in;
};

// The 27 lines from bytes in memory into settings and windowState, which change only when
// every line passed.
bool readSettings(const QByteArray &bytes, Settings &settings, WindowState &windowState)
{
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly) || !buffer.seek(byteOrderMarkLength(bytes)))
        return false;
    TextFileReader in(&buffer);
    SettingReader r(in);

    // Everything goes into scratch copies first: a bad file changes nothing.
    Settings s = settings;
    WindowState w = windowState;

    QByteArray text;
    if (!in.readHeaderLine(text, kSettingLineMax) || text != kFirstLine)
        return false;
    if (!r.integer(kKeyCommPort, s.comPort, kMinComPort, kMaxComPort))
        return false;
    if (!r.color(kKeyColorR, s.colorR) || !r.color(kKeyColorTheta, s.colorTheta))
        return false;
    for (int k = 0; k < kReferenceSlots; ++k) {
        if (!r.color(refColorRKey(k), s.refColorR[k]) ||
            !r.color(refColorThetaKey(k), s.refColorTheta[k]))
            return false;
    }
    for (QByteArray &info : s.printInfo) {
        if (!r.line(kKeyPrintInfo, info))
            return false;
    }
    // A window may stand partly off the screen's top or left edge, so any coordinate is
    // taken; clampWindowPlacement brings it back onto the screen.
    constexpr qint32 kAny = std::numeric_limits<qint32>::min();
    constexpr qint32 kMax = std::numeric_limits<qint32>::max();
    if (!r.integer(kKeyTop, w.top, kAny, kMax) || !r.integer(kKeyLeft, w.left, kAny, kMax) ||
        !r.integer(kKeyWidth, w.width, 1, kMax) || !r.integer(kKeyHeight, w.height, 1, kMax))
        return false;
    if (!r.integer(kKeyBand, w.band, 1, kBandCount))
        return false;
    if (!r.flag(kKeyROnly, w.rOnly) || !r.flag(kKeyWide, w.thickLines) ||
        !r.flag(kKeyAverage, w.averaging) || !r.flag(kKeyWarning, w.warn150))
        return false;
    if (!r.line(kEndLine, text))
        return false;

    settings = s;
    windowState = w;
    return true;
}

} // namespace

bool VELO_File::writeSettingFile(const QString &path, const Settings *settings,
                                 const WindowState *windowState) const
{
    if (path.isEmpty() || !settings || !windowState)
        return false;
    const Settings &s = *settings;
    const WindowState &w = *windowState;

    QByteArray out;
    appendLine(out, kFirstLine);
    appendLine(out, kKeyCommPort + QByteArray::number(s.comPort));
    appendLine(out, kKeyColorR + colorText(s.colorR));
    appendLine(out, kKeyColorTheta + colorText(s.colorTheta));
    for (int k = 0; k < kReferenceSlots; ++k) {
        appendLine(out, refColorRKey(k) + colorText(s.refColorR[k]));
        appendLine(out, refColorThetaKey(k) + colorText(s.refColorTheta[k]));
    }
    for (QByteArray text : s.printInfo) {
        // A line break would shift every later line and cost the whole file.
        removeLineBreaks(text);
        appendLine(out, kKeyPrintInfo + text);
    }
    appendLine(out, kKeyTop + QByteArray::number(w.top));
    appendLine(out, kKeyLeft + QByteArray::number(w.left));
    appendLine(out, kKeyWidth + QByteArray::number(w.width));
    appendLine(out, kKeyHeight + QByteArray::number(w.height));
    appendLine(out, kKeyBand + QByteArray::number(w.band));
    appendLine(out, kKeyROnly + flagText(w.rOnly));
    appendLine(out, kKeyWide + flagText(w.thickLines));
    appendLine(out, kKeyAverage + flagText(w.averaging));
    appendLine(out, kKeyWarning + flagText(w.warn150));
    appendLine(out, kEndLine);

    // A file the reader would refuse costs every setting at the next start: keep the old one.
    Settings checkSettings;
    WindowState checkState;
    if (!readSettings(out, checkSettings, checkState))
        return false;
    return writeFileSafely(path, out);
}

bool VELO_File::readSettingFile(const QString &path, Settings *settings,
                                WindowState *windowState) const
{
    if (path.isEmpty() || !settings || !windowState)
        return false;
    QByteArray bytes;
    if (readInputFile(path, kMaxSettingFileBytes, bytes) != InputFileProblem::None)
        return false;
    return readSettings(bytes, *settings, *windowState);
}
