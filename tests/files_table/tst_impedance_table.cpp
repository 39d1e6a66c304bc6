#include "core/analysis/PeakSearch.h"
#include "core/analysis/ThieleSmall.h"
#include "core/analysis/fit/ImpedanceFit.h"
#include "core/document/CurveOnGrid.h"
#include "core/document/MeasurementDocument.h"
#include "core/files/ImpedanceTable.h"
#include "core/model/SweepGrid.h"

#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <complex>

class TestImpedanceTable : public QObject
{
    Q_OBJECT
private slots:
    void accepted_data();
    void accepted();
    void refused_data();
    void refused();
    void onGrid();
    void bestBand_data();
    void bestBand();
    void importLoadsNothingHalf();
    void decimalCommaReadsTheSame();
    void fullPrecisionAboveThePointLimit();
};

namespace {

// The point texts of band 4.
QByteArray band4Points(const MeasurementRecord &record)
{
    QByteArray out;
    for (int i = bandFirstIndex(4); i <= bandLastIndex(4); ++i)
        out += QByteArray(record.points[i], kPointTextLength);
    return out;
}

// A driver without coil inductance, Z = Re + Res / (1 + j Qms (f/Fs - Fs/f)), from 15 Hz to
// 150 Hz in 2001 points: "f |Z| phase" with decimal points and blanks.
QByteArray driverTable(double re, double fs, double qms, double qes)
{
    QByteArray t = "Freq Z Phase\n";
    for (int i = 0; i <= 2000; ++i) {
        const double f = 15.0 * std::pow(10.0, i / 2000.0);
        const std::complex<double> z =
            re + re * qms / qes / std::complex<double>(1.0, qms * (f / fs - fs / f));
        t += QByteArray::number(f, 'f', 4) + ' ' + QByteArray::number(std::abs(z), 'f', 4) + ' ' +
             QByteArray::number(std::arg(z) * 180.0 / M_PI, 'f', 4) + '\n';
    }
    return t;
}

bool importBytes(MeasurementDocument &doc, const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && (f.close(), true) &&
           doc.importMeasurement(path).ok();
}

TsParameters classicTs(const MeasurementDocument &doc, float re)
{
    const int band = doc.measurement().band;
    CurveBlock smooth;
    const PeakList peaks = searchBand(doc.curveRaw(), smooth, band);
    int first = 0;
    int last = 0;
    analysisRange(doc.curveRaw(), band, &first, &last);
    TsParameters p;
    computeTs(doc.curveRaw(), first, last, peaks, re, p);
    return p;
}

} // namespace

void TestImpedanceTable::accepted_data()
{
    // Three points each: the first one, the phase column, what was tidied.
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<double>("hz");
    QTest::addColumn<double>("ohm");
    QTest::addColumn<double>("deg");
    QTest::addColumn<bool>("phase");
    QTest::addColumn<bool>("reordered");
    QTest::addColumn<int>("duplicates");
    QTest::newRow("blanks, LF") << QByteArray("10 8 1\n20 9 2\n40 10 3\n") << 10.0 << 8.0 << 1.0
                                << true << false << 0;
    QTest::newRow("tabs, CR LF, title row")
        << QByteArray("Freq\tImpedance\tPhase\r\n1.5\t5.793\t3.783\r\n2\t6\t4\r\n40\t7\t5\r\n")
        << 1.5 << 5.793 << 3.783 << true << false << 0;
    QTest::newRow("commas") << QByteArray("10,8,-1.5\n20,9,2\n40,10,3\n") << 10.0 << 8.0 << -1.5
                            << true << false << 0;
    QTest::newRow("semicolons, decimal comma")
        << QByteArray("\"f\";\"Z\"\n10,5;8,25;-12,5\n20;9;2\n40;10;3\n") << 10.5 << 8.25 << -12.5
        << true << false << 0;
    QTest::newRow("signed, scientific")
        << QByteArray("   +1.0e+01 +7.1179e0 -2.5E1\n2e1 7 1\n4e1 7 1\n") << 10.0 << 7.1179 << -25.0
        << true << false << 0;
    QTest::newRow("no phase, comments") << QByteArray("; a\n# b\n\"c\"\n10 8\n20 9\n40 10\n")
                                        << 10.0 << 8.0 << 0.0 << false << false << 0;
    QTest::newRow("Windows-31J header, BOM, comment between")
        << QByteArray("\xEF\xBB\xBF\x83\x5A\x83\x8B\n10 8 1\n* mid\n\n20 9 2\n40 10 3\x1A\n")
        << 10.0 << 8.0 << 1.0 << true << false << 0;
    QTest::newRow("unsorted, duplicates") << QByteArray("40 10 3\n10 8 1\n20 9 2\n10 7 0\n40 1 1\n")
                                          << 10.0 << 8.0 << 1.0 << true << true << 2;
    QTest::newRow("tabs, decimal comma")
        << QByteArray("f\tZ\n10,00\t15,000\t0,0\n20,5\t9\t-1,5\n40\t10\t3\n") << 10.0 << 15.0 << 0.0
        << true << false << 0;
    QTest::newRow("blanks, decimal comma, no phase")
        << QByteArray("10,25 8,5\n20 9\n40 10\n") << 10.25 << 8.5 << 0.0 << false << false << 0;
    QTest::newRow("256 header lines")
        << QByteArray("* c\n").repeated(256) + "10 8 1\n20 9 2\n40 10 3\n"
        << 10.0 << 8.0 << 1.0 << true << false << 0;
}

void TestImpedanceTable::accepted()
{
    QFETCH(QByteArray, bytes);
    ImpedanceTable t;
    const TableRead read = parseImpedanceTable(bytes, t);
    QVERIFY2(read.ok(), qPrintable(QString::number(int(read.problem))));
    QCOMPARE(t.points.size(), std::size_t(3));
    QTEST(t.points.front().hz, "hz");
    QTEST(t.points.front().ohm, "ohm");
    QTEST(t.points.front().deg, "deg");
    QCOMPARE(t.points.back().hz, 40.0);
    QTEST(t.hasPhase, "phase");
    QTEST(t.reordered, "reordered");
    QTEST(t.duplicates, "duplicates");
}

void TestImpedanceTable::refused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<TableProblem>("problem");
    QTest::addColumn<int>("line");
    QTest::newRow("empty") << QByteArray() << TableProblem::NoData << 0;
    QTest::newRow("header only") << QByteArray("* a\nFreq Z\n") << TableProblem::NoData << 0;
    QTest::newRow("257 header lines") << QByteArray("* c\n").repeated(257) + "10 8\n"
                                      << TableProblem::LongHeader << 257;
    QTest::newRow("two points") << QByteArray("10 8\n20 9\n") << TableProblem::TooFewPoints << 0;
    QTest::newRow("two after duplicates")
        << QByteArray("10 8\n20 9\n20 9\n") << TableProblem::TooFewPoints << 0;
    QTest::newRow("text after data")
        << QByteArray("10 8\n20 9\nend\n40 1\n") << TableProblem::NotNumeric << 3;
    QTest::newRow("bad phase") << QByteArray("10 8\n20 9 x\n") << TableProblem::NotNumeric << 2;
    QTest::newRow("nan") << QByteArray("10 8\n20 9 -nan\n") << TableProblem::NotFinite << 2;
    QTest::newRow("overflow") << QByteArray("10 8\n20 1e999\n") << TableProblem::NotFinite << 2;
    QTest::newRow("|Z| beyond float")
        << QByteArray("1e39 8\n10 1e39\n") << TableProblem::NotFinite << 2;
    QTest::newRow("phase above 180")
        << QByteArray("10 8 180\n20 9 180.01\n") << TableProblem::PhaseOutOfRange << 2;
    QTest::newRow("huge phases") << QByteArray("10 8 -1.7e308\n20 9 1.7e308\n40 1 0\n")
                                 << TableProblem::PhaseOutOfRange << 1;
    QTest::newRow("decimal comma and point")
        << QByteArray("10 8\n20,5\t9.5\n") << TableProblem::AmbiguousComma << 2;
    QTest::newRow("decimal and separating commas")
        << QByteArray("* h\n10,5 8,2, 3\n") << TableProblem::AmbiguousComma << 2;
    QTest::newRow("CR line ends") << QByteArray("f Z\r10 8\r20 9\r40 1\r")
                                  << TableProblem::CrLineEnds << 1;
    QTest::newRow("UTF-16") << QByteArray::fromHex("fffe31003000") << TableProblem::Utf16 << 0;
    QTest::newRow("UTF-16 without BOM")
        << QByteArray::fromHex("310030002000") << TableProblem::Utf16 << 0;
    QTest::newRow("negative |Z|") << QByteArray("* h\n10 8\n20 -0.5\n40 1\n")
                                  << TableProblem::NegativeMagnitude << 3;
    QTest::newRow("zero frequency")
        << QByteArray("0 8\n20 9\n40 1\n") << TableProblem::BadFrequency << 1;
    QTest::newRow("binary") << QByteArray("10 8\n20 9\n\x01\x00\xFF", 13) << TableProblem::Binary
                            << 3;
}

void TestImpedanceTable::refused()
{
    QFETCH(QByteArray, bytes);
    ImpedanceTable t;
    t.points.push_back({1.0, 2.0, 3.0, 0.0});
    const TableRead read = parseImpedanceTable(bytes, t);
    QTEST(read.problem, "problem");
    QTEST(read.line, "line");
    QCOMPARE(t.points.size(), std::size_t(1)); // untouched
}

void TestImpedanceTable::onGrid()
{
    // |Z| and phase run linearly in log f from 1 ohm, 0 deg at 20 Hz to 2 ohm, 90 deg at 200 Hz.
    ImpedanceTable t;
    QVERIFY(parseImpedanceTable("20 1 0\n100 1.69897 62.9073\n200 2 90\n", t).ok());
    auto record = std::make_unique<MeasurementRecord>();
    QCOMPARE(putOnGrid(t, 4, *record), coveredGridPoints(t, 4));
    for (int i = bandFirstIndex(4); i <= bandLastIndex(4); ++i) {
        const double f = gridFrequencyHz(i);
        if (f > 200.0 * (1 + 1e-9)) {
            QVERIFY(isEmptyPoint(record->points[i])); // never extrapolated
            continue;
        }
        const DecodedPoint p = decodePoint(record->points[i]);
        const double x = std::log10(f / 20.0);
        QVERIFY(std::fabs(p.r - (1.0 + x)) <= 0.006);
        QVERIFY(std::fabs(p.theta - 90.0 * x) <= 0.06);
        QCOMPARE(p.freq, float(f));
    }
    // A data file cannot start with a gap: the first point's values are held for the file.
    QVERIFY(putOnGrid(t, 2, *record) > 0);
    QVERIFY(isEmptyPoint(record->points[0]) && isEmptyPoint(record->points[bandLastIndex(2)]));
    fillLeadingGap(*record);
    QCOMPARE(decodePoint(record->points[0]).r, 1.005f);
    QCOMPARE(decodePoint(record->points[0]).freq, 10.0f);
}

void TestImpedanceTable::bestBand_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("band");
    QTest::newRow("10 Hz - 20 kHz") << QByteArray("10 1\n100 1\n20000 1\n") << 2;
    QTest::newRow("20 Hz - 250 Hz") << QByteArray("20 1\n100 1\n250 1\n") << 4;
    QTest::newRow("1 kHz - 200 kHz") << QByteArray("1000 1\n5000 1\n200000 1\n") << 8;
    QTest::newRow("below the grid") << QByteArray("1 1\n2 1\n5 1\n") << 0;
}

void TestImpedanceTable::bestBand()
{
    QFETCH(QByteArray, bytes);
    ImpedanceTable t;
    QVERIFY(parseImpedanceTable(bytes, t).ok());
    QTEST(bestBandFor(t), "band");
}

void TestImpedanceTable::importLoadsNothingHalf()
{
    QTemporaryDir dir;
    auto put = [&dir](const char *name, const QByteArray &bytes) {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() ? f.fileName()
                                                                              : QString();
    };
    const QString good = put("good.zma", "20 8 1\n100 30 0\n250 9 -1\n");
    const QString bad = put("bad.zma", "20 8 1\n100 -30 0\n250 9 -1\n");
    const QString big = put("big.txt", QByteArray(20 << 20, '1'));
    MeasurementDocument doc;
    QVERIFY(doc.importMeasurement(good).ok());
    QCOMPARE(doc.measurement().band, 4);
    QVERIFY(doc.isImported());
    const QByteArray before = band4Points(doc.measurement());
    const std::pair<QString, TableProblem> cases[] = {
        {bad, TableProblem::NegativeMagnitude},
        {big, TableProblem::TooLarge},
        {"/dev/zero", TableProblem::NotRegular},
        {dir.filePath("none"), TableProblem::Missing}};
    for (const auto &[path, problem] : cases) {
        QCOMPARE(doc.importMeasurement(path).read.problem, problem);
        QCOMPARE(doc.importReference(path).read.problem, problem);
    }
    QCOMPARE(band4Points(doc.measurement()), before);
    QCOMPARE(doc.dataFileName(), good);
    QCOMPARE(doc.refCount(), 0);
    // A reference takes the measurement's band; a selection stops at the bad table.
    const ReferencesOutcome refs = doc.loadReferences({good, bad, good});
    QCOMPARE(refs.stop, ReferencesOutcome::BadTable);
    QCOMPARE(refs.loaded, 1);
    QCOMPARE(doc.reference(0).band, 4);
    // Saved as a data file, it opens as one with the same points.
    QCOMPARE(doc.save(dir.filePath("spk.DTA"), doc.comPort()), WriteOutcome::Written);
    QVERIFY(!doc.isImported());
    MeasurementDocument again;
    qint32 port = 1;
    QCOMPARE(again.open(dir.filePath("spk.DTA"), port), OpenOutcome::Opened);
    QCOMPARE(band4Points(again.measurement()), before);
}

void TestImpedanceTable::decimalCommaReadsTheSame()
{
    // A 40 Hz driver of Rmax 36 ohm with decimal points, decimal commas and tabs, semicolons.
    const QByteArray points = driverTable(6.0, 40.0, 5.0, 1.0);
    QByteArray tabs = points;
    tabs.replace('.', ',').replace(' ', '\t');
    QByteArray semicolons = points;
    semicolons.replace('.', ',').replace(' ', ';');
    QTemporaryDir dir;
    MeasurementDocument expected;
    QVERIFY(importBytes(expected, dir.filePath("points.txt"), points));
    const TsParameters ts = classicTs(expected, 6.0f);
    QVERIFY2(std::fabs(ts.Fs - 40.0f) < 0.4f && std::fabs(ts.Rmax - 36.0f) < 0.1f,
             qPrintable(QString("%1 Hz %2 ohm").arg(ts.Fs).arg(ts.Rmax)));
    for (const QByteArray &bytes : {tabs, semicolons}) {
        MeasurementDocument doc;
        QVERIFY(importBytes(doc, dir.filePath("commas.txt"), bytes));
        QCOMPARE(doc.measurement().band, expected.measurement().band);
        QVERIFY(std::memcmp(&doc.curveRaw(), &expected.curveRaw(), sizeof(CurveBlock)) == 0);
        QCOMPARE(classicTs(doc, 6.0f).Qms, ts.Qms);
    }
}

void TestImpedanceTable::fullPrecisionAboveThePointLimit()
{
    // Qms 30, Qes 0.25: |Z| peaks at 726 ohm, where a point text ends at 655.35 ohm.
    QTemporaryDir dir;
    MeasurementDocument doc;
    QVERIFY(importBytes(doc, dir.filePath("qms30.txt"), driverTable(6.0, 40.0, 30.0, 0.25)));
    const TsParameters ts = classicTs(doc, 6.0f);
    // The grid point nearest the peak lies at 661.2 ohm; the grid's coarseness costs the
    // classic Qms some 8 %, while the clamped peak cost it half.
    QVERIFY2(ts.Rmax > 661.0f && std::fabs(ts.Qms / 30.0f - 1.0f) < 0.1f,
             qPrintable(QString("Rmax %1 Qms %2").arg(ts.Rmax).arg(ts.Qms)));
    FitSettings settings;
    settings.model = FitModel::Classic;
    settings.re = 6.0;
    const int band = doc.measurement().band;
    const FitResult fit = fitImpedanceCurve(fitPoints(doc.curveRaw(), band, 0, 0), settings);
    QCOMPARE(fit.outcome, FitOutcome::Ok);
    QVERIFY2(std::fabs(fit.derived.Qms / 30.0 - 1.0) < 0.01,
             qPrintable(QString::number(fit.derived.Qms)));

    // The data file holds those points at its limit, and the document names them.
    const std::vector<int> beyond = doc.pointsBeyondDataFile();
    QVERIFY(!beyond.empty() && doc.curveRaw().r[beyond.front()] > 661.0f);
    QCOMPARE(doc.save(dir.filePath("qms30.DTA"), doc.comPort()), WriteOutcome::Written);
    QCOMPARE(decodePoint(doc.measurement().points[beyond.front()]).r, 655.355f);
}

QTEST_GUILESS_MAIN(TestImpedanceTable)
#include "tst_impedance_table.moc"
