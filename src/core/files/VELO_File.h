#pragma once

#include "core/files/InputFile.h"
#include "core/model/CurveBlock.h"
#include "core/model/MeasurementRecord.h"
#include "core/model/Settings.h"

#include <QByteArray>
#include <QString>

class TextFileReader;

// Stateless file-handling object: the records it works on are passed in. Each operation
// reports success and shows nothing to the user.
class VELO_File
{
public:
    // Decodes point slot `index` into both blocks (no averaging); false for index >= 600
    // or a missing record or block.
    bool convertPoint(const MeasurementRecord *record, int index, CurveBlock *raw,
                      CurveBlock *avg) const;
    // Converts the whole band of the record, with 3-point averaging of R and theta.
    bool convertRecord(const MeasurementRecord *record, CurveBlock *raw, CurveBlock *avg) const;
    // Fills avg's band from raw's: the frequencies, and R and theta averaged over three points
    // within each unbroken run of points.
    void averageCurve(int band, const CurveBlock &raw, CurveBlock *avg) const;

    // ---- data file ----

    // Writes the record as a data file (always the "DataFile:HK-A2" form). The previous file
    // at path survives any failure. False for an empty path, a file that cannot be written
    // completely, or whatever dataFileBytes refuses. Serial and date-time are written as the
    // bytes they are.
    bool writeDataFile(const QString &path, const QByteArray &serial, qint32 comPort,
                       const MeasurementRecord *record) const;
    // The bytes writeDataFile writes. Points missing at the end of the band (empty slots)
    // end the point lines early with "END:", as the file they were read from did. False,
    // with bytes untouched, for a missing record, a band that is not 1..9, a point after an
    // empty slot, or bytes that readDataFile would refuse (a serial or date-time too long
    // for its header line, or holding bytes that end or split it).
    bool dataFileBytes(const QByteArray &serial, qint32 comPort, const MeasurementRecord *record,
                       QByteArray &bytes) const;
    // Reads and checks a data file into dateTime, band and the band's point slots of the
    // record; serial, modelFlag (1 for a "DataFile:HK-A" file, else 0) and comPort get the
    // file's values. Each value is stored as soon as its line passed, so after a failure
    // the outputs hold a mix of old and new content. Points missing after an early "END:"
    // leave empty slots. Never touches record->valid and never converts the points. Only a
    // regular file of at most kMaxDataFileBytes is read; a leading UTF-8 byte-order mark is
    // skipped.
    bool readDataFile(const QString &path, QByteArray &serial, quint8 &modelFlag, qint32 &comPort,
                      MeasurementRecord *record) const;
    // The same check on bytes in memory.
    bool readDataBytes(const QByteArray &bytes, QByteArray &serial, quint8 &modelFlag,
                       qint32 &comPort, MeasurementRecord *record) const;
    // The next header line: pieces of at most 249 bytes, comment lines (";") and lines
    // beginning with a zero byte skipped, CR and LF removed. False at the end of the file.
    bool readFileLine(TextFileReader &file, QByteArray &line) const;

    // ---- settings file ----

    // Writes the 27 lines of the settings file. The previous file survives any failure; a
    // file that readSettingFile would refuse (a print information line too long for the
    // reader) is not written.
    bool writeSettingFile(const QString &path, const Settings *settings,
                          const WindowState *windowState) const;
    // Reads the settings file. Only when every line passed are settings (printInfo
    // included) and windowState replaced; on false both are untouched. The placement is
    // taken as stored: clampWindowPlacement fits it onto the screen. Only a regular file of
    // at most kMaxSettingFileBytes is read; a leading UTF-8 byte-order mark is skipped.
    bool readSettingFile(const QString &path, Settings *settings, WindowState *windowState) const;

    // ---- text export ----

    // Writes the record's band of the curve as a tab-separated table with the locale's
    // decimal separator, one row per point (a missing point, R -1, has none). The previous file
    // survives any failure. False for an empty path, a missing curve or record, a band that is
    // not 1..9, or a failed write.
    bool exportText(const QString &path, const CurveBlock *curve,
                    const MeasurementRecord *record) const;
    // The bytes exportText writes, for a caller that sends them elsewhere (standard output).
    // False, with bytes untouched, for a missing curve or record or a band that is not 1..9.
    bool exportTextBytes(const CurveBlock *curve, const MeasurementRecord *record,
                         QByteArray &bytes) const;
};
