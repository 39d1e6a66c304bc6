#pragma once

#include "Settings.h"
#include "measure/CurveBlock.h"
#include "measure/MeasurementRecord.h"

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

    // ---- data file ----

    // Writes the record as a data file (always the "DataFile:HK-A2" form). The previous file
    // at path survives any failure. False for an empty path, a missing record, a record
    // whose band is not 1..9, or a file that cannot be written completely.
    bool writeDataFile(const QString &path, const QString &serial, qint32 comPort,
                       const MeasurementRecord *record) const;
    // Reads and checks a data file into dateTime, band and the band's point slots of the
    // record; serial, modelFlag (1 for a "DataFile:HK-A" file, else 0) and comPort get the
    // file's values. Each value is stored as soon as its line passed, so after a failure
    // the outputs hold a mix of old and new content. Never touches record->valid and never
    // converts the points.
    bool readDataFile(const QString &path, QString &serial, quint8 &modelFlag, qint32 &comPort,
                      MeasurementRecord *record) const;
    // The next header line: pieces of at most 249 bytes, comment lines (";") and lines
    // beginning with a zero byte skipped, CR and LF removed. False at the end of the file.
    bool readFileLine(TextFileReader &file, QByteArray &line) const;

    // ---- settings file ----

    // Writes the 27 lines of the settings file. The previous file survives any failure.
    bool writeSettingFile(const QString &path, const Settings *settings,
                          const WindowState *windowState) const;
    // Reads the settings file. Only when every line passed are settings (printInfo
    // included) and windowState replaced; on false both are untouched. The placement is
    // taken as stored: clampWindowPlacement fits it onto the screen.
    bool readSettingFile(const QString &path, Settings *settings,
                         WindowState *windowState) const;

    // ---- text export ----

    // Writes the record's band of the curve as a tab-separated table with the locale's
    // decimal separator. The previous file survives any failure. False for an empty path,
    // a missing curve or record, a band that is not 1..9, or a failed write.
    bool exportText(const QString &path, const CurveBlock *curve,
                    const MeasurementRecord *record) const;
    // The bytes exportText writes, for a caller that sends them elsewhere (standard output).
    // False, with bytes untouched, for a missing curve or record or a band that is not 1..9.
    bool exportTextBytes(const CurveBlock *curve, const MeasurementRecord *record,
                         QByteArray &bytes) const;
};
