#pragma once

// Runs the real velo2-cli binary and makes the data files it reads: measurements of a
// loudspeaker written by the program's own writer, in both model forms.

#include "SpeakerCurve.h"
#include "core/files/AnsiText.h"
#include "core/files/VELO_File.h"
#include "core/model/BandTable.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <memory>

namespace cli {

inline QString binary()
{
    return QStringLiteral(VELO2_BINARY_DIR "/tools/velo2-cli/velo2-cli");
}

struct Result {
    int exitCode = -1;
    bool crashed = false;
    QByteArray out;
    QByteArray err;
    QString errText() const { return QString::fromUtf8(err); }
    QJsonDocument json() const { return QJsonDocument::fromJson(out); }
};

// Runs velo2-cli with args in folder `cwd`; `env` entries ("NAME=value") are added to the
// test's environment.
inline Result run(const QStringList &args, const QString &cwd = QString(),
                  const QStringList &env = {}, int timeoutMs = 60000)
{
    QProcess p;
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    for (const QString &kv : env)
        e.insert(kv.section(QLatin1Char('='), 0, 0), kv.section(QLatin1Char('='), 1));
    p.setProcessEnvironment(e);
    if (!cwd.isEmpty())
        p.setWorkingDirectory(cwd);
    p.start(binary(), args);
    Result r;
    if (!p.waitForStarted(timeoutMs))
        return r;
    p.closeWriteChannel();
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
    }
    r.crashed = p.exitStatus() != QProcess::NormalExit;
    r.exitCode = r.crashed ? -1 : p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

// A data file as the window opens it: read, then converted.
struct Loaded {
    QByteArray serial;
    quint8 modelFlag = 0;
    qint32 comPort = 0;
    MeasurementRecord record;
    CurveBlock raw;
    CurveBlock avg;
};

inline std::unique_ptr<Loaded> load(const QString &path)
{
    auto l = std::make_unique<Loaded>();
    clearPoints(l->record);
    const VELO_File file;
    if (!file.readDataFile(path, l->serial, l->modelFlag, l->comPort, &l->record) ||
        !file.convertRecord(&l->record, &l->raw, &l->avg))
        return nullptr;
    l->record.valid = 1;
    return l;
}

inline QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// One fixture file: a loudspeaker measured over a band, stored in the current form or in the
// first model's form (whose bands 1..4 are bands 1, 4, 5 and 6 of the table).
struct Fixture {
    const char *name;
    int fileBand; // the band number in the file
    bool firstModel;
    double fs;
    const char *serial;
    const char *dateTime;
};

inline int recordBand(const Fixture &f)
{
    static const int firstModelBands[] = {0, 1, 4, 5, 6};
    return f.firstModel ? firstModelBands[f.fileBand] : f.fileBand;
}

inline const QList<Fixture> &fixtures()
{
    static const QList<Fixture> list = {
        {"a2_band1", 1, false, 100, "A2-0001", "2024/05/01 12:34:56"},
        {"a2_band2", 2, false, 50, "A2-0002", "2024年5月1日 9:05:07"},
        {"a2_band3", 3, false, 22, "A2-0003", "2024/05/02 8:00:00"},
        {"a2_band5", 5, false, 700, "A2-0005", "2024/05/03 8:00:00"},
        {"a2_band8", 8, false, 9000, "A2-0008", "2024/05/04 8:00:00"},
        {"a2_band9", 9, false, 60, "A2-0009", "2024/05/05 8:00:00"},
        {"a_band1", 1, true, 80, "0041", "1999/12/31 23:59:59"},
        {"a_band2", 2, true, 60, "0042", "1999/12/30 23:59:59"},
        {"a_band3", 3, true, 600, "0043", "1999/12/29 23:59:59"},
        {"a_band4", 4, true, 5000, "0044", "1999/12/28 23:59:59"},
    };
    return list;
}

inline SpeakerModel modelOf(const Fixture &f)
{
    SpeakerModel m;
    m.fs = f.fs;
    m.le = 1e-6; // the resonance stays the highest point of every band
    return m;
}

// Writes the fixture with the program's writer; a first-model file gets that model's tag and
// band number in place of the current ones.
inline QString writeFixture(const QString &dir, const Fixture &f)
{
    MeasurementRecord record;
    fillRecord(record, recordBand(f), modelOf(f));
    record.dateTime = toAnsi(QString::fromUtf8(f.dateTime));
    const QString path = QDir(dir).filePath(QString::fromLatin1(f.name) + ".DTA");
    if (!VELO_File().writeDataFile(path, f.serial, 3, &record))
        return QString();
    if (f.firstModel) {
        QByteArray bytes = readAll(path);
        bytes.replace("DataFile:HK-A2\r\n", "DataFile:HK-A\r\n");
        bytes.replace("Band:" + QByteArray::number(recordBand(f)) + "\r\n",
                      "Band:" + QByteArray::number(f.fileBand) + "\r\n");
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
            return QString();
    }
    return path;
}

inline QString fixturePath(const QString &dir, const Fixture &f)
{
    return QDir(dir).filePath(QString::fromLatin1(f.name) + ".DTA");
}

// Files left in a folder besides the expected ones (a half-written output, a temporary file).
inline QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace cli
