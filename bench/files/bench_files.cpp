// Prints how long reading, writing and exporting a band-2 data file take, and reading
// another tool's 400-point impedance table and putting it on the grid.

#include "core/document/CurveOnGrid.h"
#include "core/files/ImpedanceTable.h"
#include "core/files/VELO_File.h"
#include "core/model/BandTable.h"
#include "core/model/CurveBlock.h"
#include "core/model/MeasurementRecord.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>

namespace {

void report(const char *what, int repetitions, const std::function<bool()> &step)
{
    int failures = 0;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < repetitions; ++i)
        failures += step() ? 0 : 1;
    const double us = double(timer.nsecsElapsed()) / 1000.0 / repetitions;
    std::printf("  %-34s %9.1f us per call  (%d calls%s)\n", what, us, repetitions,
                failures ? ", SOME FAILED" : "");
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::atoi(argv[1]) : 2000;
    QTemporaryDir dir;
    VELO_File vf;

    auto rec = std::make_unique<MeasurementRecord>();
    clearPoints(*rec);
    rec->band = 2;
    rec->dateTime = "2024/05/01 12:34:56";
    for (int i = bandFirstIndex(2); i <= bandLastIndex(2); ++i) {
        const QByteArray text =
            QString::asprintf("%04X%04X%06X%04X", 600 + i, (i * 37) & 0xFFFF, i * 1000 + 655, 1)
                .toLatin1();
        std::memcpy(rec->points[i], text.constData(), 19);
    }
    auto raw = std::make_unique<CurveBlock>();
    auto avg = std::make_unique<CurveBlock>();
    vf.convertRecord(rec.get(), raw.get(), avg.get());

    const QString dta = dir.filePath("bench.DTA");
    const QString txt = dir.filePath("bench.txt");
    auto back = std::make_unique<MeasurementRecord>();
    QByteArray serial;
    quint8 flag = 0;
    qint32 port = 0;

    std::printf("band-2 data file (540 points), %d repetitions each, folder %s\n", repetitions,
                qPrintable(dir.path()));
    report("writeDataFile (safe write)", repetitions,
           [&] { return vf.writeDataFile(dta, "A2-1", 3, rec.get()); });
    report("readDataFile", repetitions,
           [&] { return vf.readDataFile(dta, serial, flag, port, back.get()); });
    report("readDataFile + convertRecord", repetitions, [&] {
        return vf.readDataFile(dta, serial, flag, port, back.get()) &&
               vf.convertRecord(back.get(), raw.get(), avg.get());
    });
    report("exportText (averaged)", repetitions,
           [&] { return vf.exportText(txt, avg.get(), rec.get()); });

    // 400 points from 10 Hz to 20 kHz, as measuring programs export them.
    QByteArray zma = "* bench\r\n";
    for (int i = 0; i < 400; ++i)
        zma += QByteArray::number(10.0 * std::pow(2000.0, i / 399.0), 'f', 3) + "\t" +
               QByteArray::number(6.0 + i % 17, 'f', 4) + "\t" +
               QByteArray::number(-30.0 + i % 61, 'f', 4) + "\r\n";
    const QString zmaPath = dir.filePath("bench.zma");
    QFile zmaFile(zmaPath);
    if (!zmaFile.open(QIODevice::WriteOnly) || zmaFile.write(zma) != zma.size())
        return 1;
    zmaFile.close();
    ImpedanceTable table;
    std::printf("400-point impedance table, %d repetitions each\n", repetitions);
    report("readImpedanceTable", repetitions,
           [&] { return readImpedanceTable(zmaPath, table).ok(); });
    report("readImpedanceTable + putOnGrid", repetitions, [&] {
        return readImpedanceTable(zmaPath, table).ok() &&
               putOnGrid(table, bestBandFor(table), *back) > 0;
    });
    return 0;
}
