#include "VELO_File.h"

#include "AnsiText.h"
#include "FileFields.h"
#include "SafeWrite.h"
#include "Stringutil.h"
#include "TextFileReader.h"

#include <QFile>

#include <cstring>

// The data file "*.DTA": six header lines, one point text per point of the band, "END:".
// Every line ends in CR LF; the reader also takes bare LF.

namespace {

const QByteArray kTagCurrent = QByteArrayLiteral("DataFile:HK-A2");
const QByteArray kTagFirstModel = QByteArrayLiteral("DataFile:HK-A");
const QByteArray kKeySerial = QByteArrayLiteral("SN:");
const QByteArray kKeyDateTime = QByteArrayLiteral("DateTime:");
const QByteArray kKeyCommPort = QByteArrayLiteral("CommPortNum:");
const QByteArray kKeyBand = QByteArrayLiteral("Band:");
const QByteArray kKeyPointCount = QByteArrayLiteral("DNum:");
const QByteArray kEndLine = QByteArrayLiteral("END:");

constexpr int kFileLineMax = 249;
constexpr qint32 kMaxCommPort = 256;
constexpr qint32 kFirstModelBands = 4;
constexpr qint32 kMaxPointCount = kRecordSlots;
constexpr qint32 kMaxPointCountFirstModel = 504;

// The first model numbered its four bands 1..4; they are these rows of the band table.
constexpr qint32 kFirstModelBandMap[kFirstModelBands + 1] = {0, 1, 4, 5, 6};

// A point line carries exactly the 18 characters of its point text. A slot that holds
// fewer (never filled, or cut by a zero byte) is padded with "0", which decodes as a
// cleared slot, so that every written file can be read back.
QByteArray pointLine(const char *slot)
{
    QByteArray text(slot, qsizetype(strnlen(slot, kPointTextLength)));
    if (text.size() < kPointTextLength)
        text.append(kPointTextLength - text.size(), '0');
    return text;
}

QByteArray headerText(QString text)
{
    // A line break inside a value would split the line and make the file unreadable.
    removeLineBreaks(text);
    return toAnsi(text);
}

bool readKeyed(const VELO_File &vf, TextFileReader &in, const QByteArray &key,
               QByteArray &value)
{
    QByteArray line;
    if (!vf.readFileLine(in, line))
        return false;
    KeyValue kv = splitKeyValue(line);
    if (kv.key != key)
        return false;
    value = std::move(kv.value);
    return true;
}

} // namespace

bool VELO_File::readFileLine(TextFileReader &file, QByteArray &line) const
{
    return file.readHeaderLine(line, kFileLineMax);
}

bool VELO_File::writeDataFile(const QString &path, const QString &serial, qint32 comPort,
                              const MeasurementRecord *record) const
{
    if (path.isEmpty() || !record || !isValidBand(record->band))
        return false;

    const int band = record->band;
    QByteArray out;
    out.reserve(64 + bandPointCount(band) * (kPointTextLength + 2));
    appendLine(out, kTagCurrent);
    appendLine(out, kKeySerial + headerText(serial));
    appendLine(out, kKeyDateTime + headerText(record->dateTime));
    appendLine(out, kKeyCommPort + QByteArray::number(comPort));
    appendLine(out, kKeyBand + QByteArray::number(band));
    appendLine(out, kKeyPointCount + QByteArray::number(bandPointCount(band)));
    for (int i = bandFirstIndex(band); i <= bandLastIndex(band); ++i)
        appendLine(out, pointLine(record->points[i]));
    appendLine(out, kEndLine);
    return writeFileSafely(path, out);
}

bool VELO_File::readDataFile(const QString &path, QString &serial, quint8 &modelFlag,
                             qint32 &comPort, MeasurementRecord *record) const
{
    if (path.isEmpty() || !record)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    TextFileReader in(&file);

    QByteArray line;
    if (!readFileLine(in, line))
        return false;
    bool firstModel;
    if (line == kTagCurrent)
        firstModel = false;
    else if (line == kTagFirstModel)
        firstModel = true;
    else
        return false;
    modelFlag = firstModel ? 1 : 0;

    QByteArray value;
    if (!readKeyed(*this, in, kKeySerial, value))
        return false;
    serial = fromAnsi(value);

    if (!readKeyed(*this, in, kKeyDateTime, value))
        return false;
    record->dateTime = fromAnsi(value);

    qint32 number = 0;
    if (!readKeyed(*this, in, kKeyCommPort, value) || !parseFileInt(value, number))
        return false;
    if (number < 1 || number > kMaxCommPort)
        return false;
    comPort = number;

    if (!readKeyed(*this, in, kKeyBand, value) || !parseFileInt(value, number))
        return false;
    if (firstModel) {
        if (number < 1 || number > kFirstModelBands)
            return false;
        record->band = kFirstModelBandMap[number];
    } else {
        if (!isValidBand(number))
            return false;
        record->band = number;
    }

    // The count is checked but not used: the band fixes how many point lines follow.
    if (!readKeyed(*this, in, kKeyPointCount, value) || !parseFileInt(value, number))
        return false;
    if (number == 0 || number > (firstModel ? kMaxPointCountFirstModel : kMaxPointCount))
        return false;

    // Point lines are read in pieces of at most 19 bytes: the 18 characters and the line
    // feed. An "END:" cuts the list short; the slots after it keep what they held.
    QByteArray piece;
    for (int i = bandFirstIndex(record->band); i <= bandLastIndex(record->band); ++i) {
        if (!in.readPiece(piece, kPointWireLength))
            return false;
        const qsizetype zero = piece.indexOf('\0');
        if (zero >= 0)
            piece.truncate(zero);
        if (piece.startsWith(kEndLine))
            break;
        if (piece.size() != kPointWireLength)
            return false;
        std::memcpy(record->points[i], piece.constData(), kPointTextLength);
        record->points[i][kPointTextLength] = '\0';
    }

    return readFileLine(in, line) && line == kEndLine;
}
