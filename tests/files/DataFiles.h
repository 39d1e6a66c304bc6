#pragma once

// Data files as other stations write them, for the main-window workflows.

#include "core/model/BandTable.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace datafiles {

// Bands of first-model files, as numbered in the file, and where they land.
inline int mappedFirstModelBand(int fileBand)
{
    static const int map[] = {0, 1, 4, 5, 6};
    return map[fileBand];
}

struct FileShape {
    QByteArray tag = "DataFile:HK-A2";
    int band = 2; // as written in the file
    QByteArray serial = "A2-000777";
    QByteArray dateTime = "2024/06/01 10:00:00";
    int port = 3;
    // R fields in ohms (a field of n hundredths decodes as n/100 + 0.005).
    double baseOhm = 6.0;  // every point but the middle one
    double peakOhm = 30.0; // the middle point of the band
};

// The band whose grid slots the point lines fill. A file with a band out of range (a bad
// file on purpose) still gets the point lines of band 1.
inline int pointBand(const FileShape &s)
{
    const bool firstModel = s.tag == "DataFile:HK-A";
    const int band =
        firstModel && s.band >= 1 && s.band <= 4 ? mappedFirstModelBand(s.band) : s.band;
    return isValidBand(band) ? band : 1;
}

// The middle grid index of the band a file of this shape fills.
inline int middleIndex(const FileShape &s)
{
    const int band = pointBand(s);
    return (bandFirstIndex(band) + bandLastIndex(band)) / 2;
}

// A complete, valid file: header, one point per grid slot of the band (phase 10.0 deg,
// frequency rising with the index), "END:", CR LF line ends.
inline QByteArray bytes(const FileShape &s)
{
    const int band = pointBand(s);
    const int first = bandFirstIndex(band);
    const int last = bandLastIndex(band);
    const int middle = middleIndex(s);
    QByteArray out;
    auto line = [&out](const QByteArray &l) { out += l + "\r\n"; };
    line(s.tag);
    line("SN:" + s.serial);
    line("DateTime:" + s.dateTime);
    line("CommPortNum:" + QByteArray::number(s.port));
    line("Band:" + QByteArray::number(s.band));
    line("DNum:" + QByteArray::number(last - first + 1));
    for (int i = first; i <= last; ++i) {
        const int rCode = int((i == middle ? s.peakOhm : s.baseOhm) * 100 + 0.5);
        line(QString::asprintf("%04X%04X%06X%04X", rCode, 100, (i + 1) * 655, 1).toLatin1());
    }
    line("END:");
    return out;
}

inline bool write(const QString &path, const QByteArray &content)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}

inline QByteArray read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace datafiles
