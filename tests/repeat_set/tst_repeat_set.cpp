#include "ImpedanceSource.h"
#include "SweepVariation.h"
#include "core/analysis/RepeatThieleSmall.h"
#include "core/analysis/TsUncertainty.h"
#include "core/document/MeasurementDocument.h"
#include "core/files/FileNameRules.h"
#include "core/files/RepeatFile.h"
#include "core/measure/PointEncoder.h"
#include "core/measure/RepeatMeanRecord.h"
#include "core/model/BandTable.h"
#include "core/model/SweepGrid.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <cstring>
#include <memory>

namespace {

constexpr int kBand = 3; // 10..50 Hz, 92 points

// A sweep of kBand whose first `measured` points all hold |Z| ohm at phase deg.
RepeatSweep flatSweep(double ohm, double deg, int measured = -1, int band = kBand,
                      const QByteArray &serial = "A2-1")
{
    const auto n = std::size_t(bandPointCount(band));
    RepeatSweep s{band, serial, QStringLiteral("HK-A2"), "2026/12/08 10:00:00", {}, {}, {}, 0};
    s.freqHz.assign(n, 0.0);
    s.ohm.assign(n, ohm);
    s.deg.assign(n, deg);
    for (std::size_t k = 0; k < n; ++k)
        s.freqHz[k] = gridFrequencyHz(bandFirstIndex(band) + int(k));
    s.measured = measured < 0 ? int(n) : measured;
    return s;
}

// A sweep of the simulator's default driver, as the unit would send it (the point texts' steps).
RepeatSweep simulatedSweep(SweepVariation &variation, int band)
{
    // A woofer whose peak bends well within the noise over one grid step (Qms 8).
    static const LoudspeakerModel driver{LoudspeakerParams{5.7, 0.5, 0, 0, 40, 8, 0.45}};
    auto record = std::make_unique<MeasurementRecord>();
    record->band = band;
    variation.startSweep(bandPointCount(band));
    for (int k = 0; k < bandPointCount(band); ++k) {
        const int i = bandFirstIndex(band) + k;
        const Impedance z = variation.apply(driver.at(gridFrequencyHz(i)), k);
        std::memcpy(record->points[i], encodePointText(z.magnitude, z.phaseDeg, gridFrequencyHz(i)),
                    kPointTextLength);
    }
    return repeatSweepFromRecord(*record, -1, "A2-1", QStringLiteral("HK-A2"));
}

double sigmaOf(const std::vector<double> &v)
{
    double mean = 0.0;
    for (double x : v)
        mean += x / double(v.size());
    double sum = 0.0;
    for (double x : v)
        sum += (x - mean) * (x - mean);
    return std::sqrt(sum / double(v.size() - 1));
}

// Three full sweeps and a fourth stopped after 10 points.
RepeatSet partialSet()
{
    RepeatSet set(5);
    for (double ohm : {6.0, 6.5, 7.25})
        set.add(flatSweep(ohm, ohm * 2.0));
    set.add(flatSweep(8.0, -3.0, 10));
    return set;
}

} // namespace

class TestRepeatSet : public QObject
{
    Q_OBJECT

private slots:
    void statistics_data();
    void statistics();
    void refusals_data();
    void refusals();
    void partialSetIsMarked();
    void meanSavesAsDataFile();
    void documentKeepsTheSweeps();
    void repeatFileRoundTrip();
    void damagedRepeatFile_data();
    void damagedRepeatFile();
    void perSweepThieleSmall();
    void averagingFollowsRootN();
    void singleSweepUncertaintyMatchesScatter();
};

void TestRepeatSet::statistics_data()
{
    QTest::addColumn<QList<double>>("ohms");
    QTest::addColumn<QList<double>>("degs");
    QTest::addColumn<double>("ohm");
    QTest::addColumn<double>("deg");
    QTest::addColumn<double>("sdOhm");
    QTest::addColumn<double>("sdDeg");
    // The complex mean of 10∠0° and 10∠90° is 7.07∠45°, not the 10 an average of |Z| gives.
    QTest::newRow("complex, not |Z|") << QList<double>{10, 10} << QList<double>{0, 90}
                                      << 10 / std::sqrt(2.0) << 45.0 << 0.0 << 90 / std::sqrt(2.0);
    // Sample sigma (n - 1): sqrt(7/3), where n would give sqrt(14/9).
    QTest::newRow("n - 1") << QList<double>{1, 2, 4} << QList<double>{0, 0, 0} << 7 / 3.0 << 0.0
                           << std::sqrt(7 / 3.0) << 0.0;
    // Phases either side of ±180° lie 2° apart, not 358°.
    QTest::newRow("across 180") << QList<double>{5, 5} << QList<double>{179, -179}
                                << 5 * std::cos(M_PI / 180) << 180.0 << 0.0 << std::sqrt(2.0);
}

void TestRepeatSet::statistics()
{
    QFETCH(QList<double>, ohms);
    QFETCH(QList<double>, degs);
    RepeatSet set(int(ohms.size()));
    for (int j = 0; j < ohms.size(); ++j)
        QCOMPARE(set.add(flatSweep(ohms[j], degs[j])), RepeatAdd::Added);
    const std::vector<RepeatPoint> s = set.statistics();
    QCOMPARE(int(s.size()), bandPointCount(kBand));
    const RepeatPoint &p = s[40];
    QCOMPARE(p.n, int(ohms.size()));
    QFETCH(double, ohm);
    QFETCH(double, deg);
    QFETCH(double, sdOhm);
    QFETCH(double, sdDeg);
    QVERIFY2(qAbs(p.ohm - ohm) < 1e-12, qPrintable(QString::number(p.ohm, 'g', 17)));
    QVERIFY2(qAbs(std::remainder(p.deg - deg, 360.0)) < 1e-9, qPrintable(QString::number(p.deg)));
    QVERIFY(qAbs(p.sdOhm - sdOhm) < 1e-12);
    QVERIFY(qAbs(p.sdDeg - sdDeg) < 1e-9);
    QCOMPARE(p.freqHz, gridFrequencyHz(bandFirstIndex(kBand) + 40));
}

void TestRepeatSet::refusals_data()
{
    QTest::addColumn<int>("planned");
    QTest::addColumn<QByteArray>("second"); // what the second sweep differs in
    QTest::addColumn<int>("outcome");
    QTest::newRow("N of 1") << 1 << QByteArray() << int(RepeatAdd::BadCount);
    QTest::newRow("N of 65") << 65 << QByteArray() << int(RepeatAdd::BadCount);
    QTest::newRow("N of 64") << 64 << QByteArray() << int(RepeatAdd::Added);
    QTest::newRow("other band") << 4 << QByteArray("band") << int(RepeatAdd::OtherBand);
    QTest::newRow("other serial") << 4 << QByteArray("serial") << int(RepeatAdd::OtherUnit);
    QTest::newRow("other model") << 4 << QByteArray("model") << int(RepeatAdd::OtherUnit);
    QTest::newRow("full") << 2 << QByteArray("third") << int(RepeatAdd::Full);
    QTest::newRow("after a stop") << 4 << QByteArray("stopped") << int(RepeatAdd::Stopped);
    QTest::newRow("after a partial") << 4 << QByteArray("partial") << int(RepeatAdd::Stopped);
    QTest::newRow("no points") << 4 << QByteArray("empty") << int(RepeatAdd::NoPoints);
    QTest::newRow("short lists") << 4 << QByteArray("short") << int(RepeatAdd::OtherLength);
}

void TestRepeatSet::refusals()
{
    QFETCH(int, planned);
    QFETCH(QByteArray, second);
    QFETCH(int, outcome);
    RepeatSet set(planned);
    if (!RepeatSet::isValidCount(planned)) {
        QCOMPARE(int(set.add(flatSweep(6, 0))), outcome);
        QVERIFY(set.isEmpty());
        return;
    }
    QCOMPARE(set.add(flatSweep(6, 0, second == "partial" ? 50 : -1)), RepeatAdd::Added);
    RepeatSweep s = flatSweep(6, 0);
    if (second == "band")
        s = flatSweep(6, 0, -1, 4);
    else if (second == "serial")
        s.serial = "A2-2";
    else if (second == "model")
        s.model = QStringLiteral("HK-A");
    else if (second == "third")
        set.add(flatSweep(6, 0));
    else if (second == "stopped")
        set.stop();
    else if (second == "empty")
        s.measured = 0;
    else if (second == "short")
        s.deg.pop_back();
    const int before = set.count();
    QCOMPARE(int(set.add(s)), outcome);
    QCOMPARE(set.count(), before + (outcome == int(RepeatAdd::Added) ? 1 : 0));
}

void TestRepeatSet::partialSetIsMarked()
{
    RepeatSet set(3);
    set.add(flatSweep(6, 0));
    set.add(flatSweep(6, 0));
    QVERIFY(set.isPartial() && set.isOpen());
    set.add(flatSweep(6, 0));
    QVERIFY(!set.isPartial() && !set.isOpen());

    const RepeatSet stopped = partialSet();
    QVERIFY(stopped.isPartial() && !stopped.isOpen());
    const std::vector<RepeatPoint> s = stopped.statistics();
    // The stopped sweep counts where it measured.
    QCOMPARE(s[9].n, 4);
    QCOMPARE(s[10].n, 3);
    RepeatSet three(3);
    for (int j = 0; j < 3; ++j)
        three.add(stopped.sweeps()[std::size_t(j)]);
    QCOMPARE(s[10].ohm, three.statistics()[10].ohm);
    QVERIFY(s[9].ohm != three.statistics()[9].ohm);

    auto upper = std::make_unique<CurveBlock>();
    auto lower = std::make_unique<CurveBlock>();
    stopped.spreadCurves(2.0, *upper, *lower);
    const int i = bandFirstIndex(kBand) + 10;
    QCOMPARE(upper->r[i], float(s[10].ohm + 2 * s[10].sdOhm));
    QCOMPARE(lower->theta[i], float(s[10].deg - 2 * s[10].sdDeg));

    RepeatSet single(2);
    single.add(flatSweep(6, 0, 5));
    const std::vector<RepeatPoint> one = single.statistics();
    QVERIFY(one[4].n == 1 && std::isnan(one[4].sdOhm) && std::isnan(one[4].sdDeg));
    single.spreadCurves(2.0, *upper, *lower);
    QCOMPARE(upper->r[bandFirstIndex(kBand) + 4], -1.0f); // no spread from one sweep
    QCOMPARE(one[5].n, 0);
}

void TestRepeatSet::meanSavesAsDataFile()
{
    QTemporaryDir dir;
    const RepeatSet set = partialSet();
    auto record = std::make_unique<MeasurementRecord>();
    auto raw = std::make_unique<CurveBlock>();
    auto avg = std::make_unique<CurveBlock>();
    QVERIFY(!repeatMeanRecord(RepeatSet(4), *record, *raw, *avg));
    QVERIFY(repeatMeanRecord(set, *record, *raw, *avg));
    QCOMPARE(record->valid, quint8(1));
    QCOMPARE(record->dateTime, QByteArray("2026/12/08 10:00:00"));
    const int first = bandFirstIndex(kBand);
    QCOMPARE(raw->r[first + 50], float(set.statistics()[50].ohm));

    const QString path = dir.filePath(QStringLiteral("mean.DTA"));
    QVERIFY(VELO_File().writeDataFile(path, "A2-1", 1, record.get()));
    MeasurementDocument doc;
    qint32 port = 1;
    QCOMPARE(doc.open(path, port), OpenOutcome::Opened);
    QCOMPARE(doc.measurement().band, kBand);
    for (int k : {0, 9, 10, 91}) {
        const RepeatPoint p = set.statistics()[std::size_t(k)];
        QVERIFY(qAbs(doc.curveRaw().r[first + k] - p.ohm) <= 0.0051);
        QVERIFY(qAbs(doc.curveRaw().theta[first + k] - p.deg) <= 0.051);
    }
}

// The mean saved through the document brings its sweeps back when opened; a damaged repeat file
// leaves the mean open without them.
void TestRepeatSet::documentKeepsTheSweeps()
{
    QTemporaryDir dir;
    MeasurementDocument doc;
    QVERIFY(!doc.takeRepeatMean(RepeatSet(3)));
    QVERIFY(!doc.hasMeasurement() && !doc.repeats());
    QVERIFY(doc.takeRepeatMean(partialSet()));
    QVERIFY(doc.hasUnsavedMeasurement() && doc.repeats() && doc.repeats()->isPartial());
    const QString path = dir.filePath(QStringLiteral("mean.DTA"));
    QCOMPARE(doc.save(path, 3), WriteOutcome::Written);
    QVERIFY(doc.repeatFileWritten());

    MeasurementDocument reopened;
    qint32 port = 1;
    QCOMPARE(reopened.open(path, port), OpenOutcome::Opened);
    QVERIFY(reopened.repeatFileRead().ok() && reopened.repeats());
    QCOMPARE(reopened.repeats()->count(), 4);

    QFile side(repeatFilePath(path));
    QVERIFY(side.open(QIODevice::ReadWrite));
    QVERIFY(side.resize(side.size() / 2));
    side.close();
    QCOMPARE(reopened.open(path, port), OpenOutcome::Opened);
    QCOMPARE(reopened.repeatFileRead().status, RepeatFileRead::Damaged);
    QVERIFY(reopened.hasMeasurement() && !reopened.repeats());
    QVERIFY(QFile::remove(repeatFilePath(path)));
    QCOMPARE(reopened.open(path, port), OpenOutcome::Opened);
    QCOMPARE(reopened.repeatFileRead().status, RepeatFileRead::Missing);
    doc.close();
    QVERIFY(!doc.repeats());
}

void TestRepeatSet::repeatFileRoundTrip()
{
    QCOMPARE(repeatFilePath(QStringLiteral("/d/woofer.v2.DTA")),
             QStringLiteral("/d/woofer.v2_repeats.txt"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("set_repeats.txt"));
    const RepeatSet set = partialSet();
    QVERIFY(writeRepeatFile(path, set));
    RepeatSet read;
    const RepeatFileRead r = readRepeatFile(path, read);
    QVERIFY2(r.ok(), qPrintable(QString::number(r.line)));
    QVERIFY(read.isPartial() && !read.isOpen());
    QCOMPARE(read.planned(), 5);
    QCOMPARE(read.count(), 4);
    QCOMPARE(read.serial(), QByteArray("A2-1"));
    QCOMPARE(read.model(), QStringLiteral("HK-A2"));
    QCOMPARE(read.sweeps()[3].measured, 10);
    for (int j = 0; j < 4; ++j) {
        const RepeatSweep &a = read.sweeps()[std::size_t(j)];
        const RepeatSweep &b = set.sweeps()[std::size_t(j)];
        QCOMPARE(a.dateTime, b.dateTime);
        for (int k = 0; k < b.measured; ++k)
            QVERIFY(a.ohm[std::size_t(k)] == b.ohm[std::size_t(k)] &&
                    a.deg[std::size_t(k)] == b.deg[std::size_t(k)]);
    }
    QByteArray again;
    QVERIFY(repeatFileBytes(read, again));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(again, f.readAll());
}

void TestRepeatSet::damagedRepeatFile_data()
{
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("line");
    using R = RepeatFileRead;
    QTest::newRow("intact") << QByteArray("end\n") << QByteArray("end\n") << int(R::Read) << 0;
    QTest::newRow("missing") << QByteArray() << QByteArray() << int(R::Missing) << 0;
    QTest::newRow("header date") << QByteArray("date\t2026/12/08") << QByteArray("date\t2026/12/09")
                                 << int(R::Damaged) << 6;
    QTest::newRow("other file") << QByteArray("VELO2 repeat set") << QByteArray("DataFile:HK-A2")
                                << int(R::NotRepeatFile) << 1;
    QTest::newRow("newer") << QByteArray("set\t1\n") << QByteArray("set\t2\n")
                           << int(R::NewerVersion) << 1;
    QTest::newRow("N of 65") << QByteArray("\t4\t5\n") << QByteArray("\t4\t65\n") << int(R::Damaged)
                             << 4;
    QTest::newRow("partial flag") << QByteArray("partial\tyes") << QByteArray("partial\tno")
                                  << int(R::Damaged) << 5;
    // Sweep 4 lists its 10 points, then the file says it measured 11.
    QTest::newRow("point count") << QByteArray("\t10\n") << QByteArray("\t11\n") << int(R::Damaged)
                                 << 23;
    QTest::newRow("edited value") << QByteArray("\t6.5\t13\t") << QByteArray("\t6.6\t13\t")
                                  << int(R::Damaged) << 13;
    QTest::newRow("cut short") << QByteArray("end\n") << QByteArray() << int(R::Damaged) << 105;
    QTest::newRow("other date") << QByteArray("2026/12/08 10:00:00")
                                << QByteArray("2026/12/09 10:00:00") << int(R::OtherMeasurement)
                                << 0;
}

void TestRepeatSet::damagedRepeatFile()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(int, status);
    QFETCH(int, line);
    QTemporaryDir dir;
    const RepeatSet set = partialSet();
    const QString meanPath = dir.filePath(QStringLiteral("mean.DTA"));
    auto record = std::make_unique<MeasurementRecord>();
    auto raw = std::make_unique<CurveBlock>();
    auto avg = std::make_unique<CurveBlock>();
    QVERIFY(repeatMeanRecord(set, *record, *raw, *avg));
    QVERIFY(VELO_File().writeDataFile(meanPath, "A2-1", 1, record.get()));
    QByteArray bytes;
    QVERIFY(repeatFileBytes(set, bytes));
    if (!from.isEmpty()) {
        QVERIFY(bytes.contains(from));
        bytes.replace(from, to);
        QFile f(repeatFilePath(meanPath));
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }
    RepeatSet read(7);
    const RepeatFileRead r = readRepeatFileFor(meanPath, *record, read);
    QCOMPARE(int(r.status), status);
    QCOMPARE(r.line, line);
    // Only a file that passed replaces the set.
    QCOMPARE(read.count(), status == int(RepeatFileRead::Read) ? 4 : 0);
    // The mean's data file opens whatever became of its repeat file.
    MeasurementDocument doc;
    qint32 port = 1;
    QCOMPARE(doc.open(meanPath, port), OpenOutcome::Opened);
}

void TestRepeatSet::perSweepThieleSmall()
{
    SweepVariation none(0, 0, 5.7, 1);
    RepeatSet set(3);
    for (int j = 0; j < 3; ++j)
        set.add(simulatedSweep(none, 4));
    const RepeatTs ts = repeatThieleSmall(set, 5.7);
    QVERIFY2(ts.ok(), qPrintable(ts.refusal));
    QCOMPARE(ts.sweeps, (std::vector<int>{0, 1, 2}));
    QCOMPARE(ts.window.keys.size(), 10);
    QCOMPARE(ts.classic.keys.size(), 11);
    // Equal sweeps give the mean's values, sweep by sweep.
    for (const RepeatTsSeries *series : {&ts.window, &ts.classic})
        for (const QString &key : series->keys) {
            QCOMPARE(series->perSweep.at(key).size(), std::size_t(3));
            QCOMPARE(series->perSweep.at(key)[2], series->mean.at(key));
        }
    QVERIFY(qAbs(ts.classic.mean.at(QStringLiteral("Fs_Hz")) - 40.0) < 0.2);
    QVERIFY(!repeatThieleSmall(set, 0.0).ok()); // no Re, no numbers
}

void TestRepeatSet::averagingFollowsRootN()
{
    // 200 sets of 16 simulated sweeps with 0.5 % noise: sigma(Fs) of the sets' means against
    // that of the single sweeps.
    constexpr int kGroups = 200;
    constexpr int kN = 16;
    SweepVariation noise(0.5, 0.0, 5.7, 20261208);
    std::vector<double> singles;
    std::vector<double> means;
    for (int g = 0; g < kGroups; ++g) {
        RepeatSet set(kN);
        for (int j = 0; j < kN; ++j)
            QCOMPARE(set.add(simulatedSweep(noise, 4)), RepeatAdd::Added);
        const RepeatTs ts = repeatThieleSmall(set, 5.7);
        QVERIFY(ts.ok());
        means.push_back(ts.classic.mean.at(QStringLiteral("Fs_Hz")));
        const auto &fs = ts.classic.perSweep.at(QStringLiteral("Fs_Hz"));
        singles.insert(singles.end(), fs.begin(), fs.end());
    }
    const double ratio = sigmaOf(means) / sigmaOf(singles);
    qInfo("sigma(Fs): single sweep %.4f Hz (%zu), mean of %d %.4f Hz (%d): ratio %.3f "
          "(1/sqrt(%d) = %.3f)",
          sigmaOf(singles), singles.size(), kN, sigmaOf(means), kGroups, ratio, kN,
          1 / std::sqrt(double(kN)));
    QVERIFY(qAbs(ratio - 0.25) <= 0.06);
}

void TestRepeatSet::singleSweepUncertaintyMatchesScatter()
{
    // 30 single sweeps with 0.5 % noise: the scatter of their Fs against the u(Fs) the budget
    // reports for one sweep (its grid and noise terms).
    constexpr int kSweeps = 30;
    SweepVariation noise(0.5, 0.0, 5.7, 7);
    std::vector<double> fs;
    double reported = 0.0;
    auto raw = std::make_unique<CurveBlock>();
    for (int j = 0; j < kSweeps; ++j) {
        sweepCurve(simulatedSweep(noise, 4), *raw);
        TsWorksheetInput in;
        in.freeAir = {raw.get(), 4};
        in.re = 5.7;
        const TsUncertainty u = worksheetUncertainty(in, computeWorksheet(in), TsTolerances{});
        const TsValueUncertainty *f = u.find(QStringLiteral("classic.Fs_Hz"));
        QVERIFY2(f, qPrintable(u.refusal));
        fs.push_back(f->value.value);
        reported += f->u / kSweeps;
    }
    const double scatter = sigmaOf(fs);
    qInfo("Fs over %d single sweeps: scatter %.4f Hz, reported u(Fs) %.4f Hz (ratio %.2f)", kSweeps,
          scatter, reported, reported / scatter);
    QVERIFY(qAbs(reported / scatter - 1.0) <= 0.25);
}

QTEST_GUILESS_MAIN(TestRepeatSet)
#include "tst_repeat_set.moc"
