#include "core/files/VELO_File.h"

#include "core/files/FileFields.h"
#include "core/files/SafeWrite.h"
#include "core/files/TextFileReader.h"
#include "core/model/ComPortName.h"
#include "core/model/Stringutil.h"

#include <QBuffer>

#include <cstring>
#include <memory>

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
constexpr qint32 kFirstModelBands = 4;
constexpr qint32 kMaxPointCount = kRecordSlots;
constexpr qint32 kMaxPointCountFirstModel = 504;

// The first model numbered its four bands 1..4; they are these rows of the band table.
constexpr qint32 kFirstModelBandMap[kFirstModelBands + 1] = {0, 1, 4, 5, 6};

// A point line carries exactly the 18 characters of its point text. A slot cut short by
// a zero byte is padded with "0" digits (which count as 0), so that the line reads back.
QByteArray pointLine(const char *slot)
{
    QByteArray text(slot, qsizetype(strnlen(slot, kPointTextLength)));
    if (text.size() < kPointTextLength)
        text.append(kPointTextLength - text.size(), '0');
    return text;
}

QByteArray headerText(QByteArray text)
{
    // A line break inside a value would split the line; the reader drops CR anyway.
    removeLineBreaks(text);
    return text;
}

bool readKeyed(const VELO_File &vf, TextFileReader &in, const QByteArray &key, QByteArray &value)
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

bool VELO_File::writeDataFile(const QString &path, const QByteArray &serial, qint32 comPort,
                              const MeasurementRecord *record) const
{
    QByteArray out;
    if (path.isEmpty() || !dataFileBytes(serial, comPort, record, out))
        return false;
    return writeFileSafely(path, out);
}

bool VELO_File::dataFileBytes(const QByteArray &serial, qint32 comPort,
                              const MeasurementRecord *record, QByteArray &bytes) const
{
    if (!record || !isValidBand(record->band))
        return false;

    const int band = record->band;
    const int last = bandLastIndex(band);
    QByteArray out;
    out.reserve(64 + bandPointCount(band) * (kPointTextLength + 2));
    appendLine(out, kTagCurrent);
    appendLine(out, kKeySerial + headerText(serial));
    appendLine(out, kKeyDateTime + headerText(record->dateTime));
    appendLine(out, kKeyCommPort + QByteArray::number(comPort));
    appendLine(out, kKeyBand + QByteArray::number(band));
    appendLine(out, kKeyPointCount + QByteArray::number(bandPointCount(band)));
    int i = bandFirstIndex(band);
    for (; i <= last && !isEmptyPoint(record->points[i]); ++i)
        appendLine(out, pointLine(record->points[i]));
    if (i <= last) {
        // Missing points are written as missing, the way the file that lacked them ended;
        // a gap before further points has no such form.
        for (int j = i + 1; j <= last; ++j)
            if (!isEmptyPoint(record->points[j]))
                return false;
        appendLine(out, kEndLine);
    }
    appendLine(out, kEndLine);

    // Only what the reader takes back is written: a header value may be too long for the
    // reader's pieces or hold bytes that end or split its line.
    auto check = std::make_unique<MeasurementRecord>();
    QByteArray checkSerial;
    quint8 checkFlag = 0;
    qint32 checkPort = 0;
    if (!readDataBytes(out, checkSerial, checkFlag, checkPort, check.get()))
        return false;
    bytes = std::move(out);
    return true;
}

bool VELO_File::readDataFile(const QString &path, QByteArray &serial, quint8 &modelFlag,
                             qint32 &comPort, MeasurementRecord *record) const
{
    if (path.isEmpty() || !record)
        return false;
    QByteArray bytes;
    if (readInputFile(path, kMaxDataFileBytes, bytes) != InputFileProblem::None)
        return false;
    return readDataBytes(bytes, serial, modelFlag, comPort, record);
}

bool VELO_File::readDataBytes(const QByteArray &bytes, QByteArray &serial, quint8 &modelFlag,
                              qint32 &comPort, MeasurementRecord *record) const
{
    if (!record)
        return false;
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly) || !buffer.seek(byteOrderMarkLength(bytes)))
        return false;
    TextFileReader in(&buffer);
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
    serial = value;

    if (!readKeyed(*this, in, kKeyDateTime, value))
        return false;
    record->dateTime = value;

    qint32 number = 0;
    if (!readKeyed(*this, in, kKeyCommPort, value) || !parseFileInt(value, number))
        return false;
    if (number < kMinComPort || number > kMaxComPort)
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
    // feed. An "END:" cuts the list short; the slots after it hold no point of this file,
    // so they are emptied rather than left with another measurement's points.
    QByteArray piece;
    const int last = bandLastIndex(record->band);
    for (int i = bandFirstIndex(record->band); i <= last; ++i) {
        if (!in.readPiece(piece, kPointWireLength))
            return false;
        const qsizetype zero = piece.indexOf('\0');
        if (zero >= 0)
            piece.truncate(zero);
        if (piece.startsWith(kEndLine)) {
            for (; i <= last; ++i)
                emptyPoint(record->points[i]);
            break;
        }
        if (piece.size() != kPointWireLength)
            return false;
        std::memcpy(record->points[i], piece.constData(), kPointTextLength);
        record->points[i][kPointTextLength] = '\0';
    }

    return readFileLine(in, line) && line == kEndLine;
}
