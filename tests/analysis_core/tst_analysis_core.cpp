#include "AnalysisCurves.h"
#include "core/analysis/AnalysisFormat.h"
#include "core/analysis/AnalysisMessages.h"
#include "core/analysis/AnalysisSmoothing.h"
#include "core/analysis/PeakSearch.h"
#include "core/analysis/ThieleSmall.h"
#include "core/model/BandTable.h"
#include "core/model/CurveBlock.h"

#include <QtTest>
#include <cmath>
#include <limits>
#include <memory>

using IndexList = QList<int>;

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

struct Curves {
    std::unique_ptr<CurveBlock> raw = std::make_unique<CurveBlock>();
    std::unique_ptr<CurveBlock> smooth = std::make_unique<CurveBlock>();
};

// A flat band at `level` with rising frequencies; slots outside the band stay empty (-1).
void flatBand(CurveBlock &block, int first, int last, float level)
{
    clearCurve(block);
    for (int i = first; i <= last; ++i) {
        block.r[i] = level;
        block.freq[i] = 10.0f * float(i + 1);
    }
}

// A narrow spike that only the test position c itself recognises: 1 - 5 - 10 - 5 - 1 every
// third point on a floor of 1.
void addSpike(CurveBlock &raw, int c, float top = 10.0f)
{
    raw.r[c - 3] = 5.0f;
    raw.r[c] = top;
    raw.r[c + 3] = 5.0f;
}

// The wide-peak shape drawn sparsely into the smoothed curve around k, so that no other
// position can qualify: outer, middle and top pairs either side of the centre.
void addWideShape(CurveBlock &smooth, int k)
{
    const float levels[7] = {4.5f, 5.0f, 9.5f, 10.0f, 9.5f, 5.0f, 4.5f};
    for (int j = 0; j < 7; ++j)
        smooth.r[k - 30 + 10 * j] = levels[j];
}

IndexList peakIndexes(const PeakList &list)
{
    IndexList out;
    for (int i = 0; i < list.peakCount; ++i)
        out << list.peakIndex[i];
    return out;
}

bool allFinite(const TsParameters &p)
{
    for (float v : tsValues(p))
        if (!std::isfinite(v))
            return false;
    return true;
}

TsParameters sentinelParameters()
{
    TsParameters p;
    p.Re = p.Rmax = p.Fs = p.r0 = p.Rx = 7.0f;
    p.f1 = p.f2 = p.Qms = p.Qes = p.Qts = 7.0f;
    return p;
}

} // namespace

class TestAnalysisCore : public QObject
{
    Q_OBJECT
private slots:
    void smoothing_data();
    void smoothing();
    void sharpPeakThresholds_data();
    void sharpPeakThresholds();
    void sharpPeakBandEdges_data();
    void sharpPeakBandEdges();
    void sharpPeakReportedNearerTheEdge();
    void broadPeakThresholds_data();
    void broadPeakThresholds();
    void broadPeakBandEdges_data();
    void broadPeakBandEdges();
    void searchStepping_data();
    void searchStepping();
    void risingCurveHasNoPeak();
    void resonanceIsTheFirstPeakNotTheHighest();
    void twoDecimalTexts_data();
    void twoDecimalTexts();
    void sideFrequencies_data();
    void sideFrequencies();
    void workedExample();
    void acceptableRe_data();
    void acceptableRe();
    void tsFailures_data();
    void tsFailures();
    void messagesForResults();
    void reTexts_data();
    void reTexts();
    void bandSearchIsSmoothingThenSearch_data();
    void bandSearchIsSmoothingThenSearch();
    void resultRowLabels();
};

void TestAnalysisCore::smoothing_data()
{
    QTest::addColumn<int>("band");
    QTest::newRow("band 2, grid 0..539") << 2;
    QTest::newRow("band 3, grid 0..91") << 3;
    QTest::newRow("band 5, grid 183..303") << 5;
    QTest::newRow("band 7, grid 399..539") << 7;
}

void TestAnalysisCore::smoothing()
{
    QFETCH(int, band);
    const int first = bandFirstIndex(band);
    const int last = bandLastIndex(band);
    Curves c;
    for (int i = first; i <= last; ++i) {
        c.raw->r[i] = float(i) * float(i); // means of squares are easy to state exactly
        c.raw->theta[i] = -0.5f * float(i);
        c.raw->freq[i] = float(i);
    }
    for (int i = 0; i < kRecordSlots; ++i) {
        c.smooth->r[i] = 123.0f;
        c.smooth->theta[i] = 45.0f;
        c.smooth->freq[i] = 77.0f;
    }
    c.smooth->valid = 1;

    smoothForAnalysis(*c.raw, *c.smooth, first, last);

    const CurveBlock &s = *c.smooth;
    auto sq = [](int i) { return double(i) * i; };
    // Unsmoothed ends.
    QCOMPARE(s.r[first], c.raw->r[first]);
    QCOMPARE(s.r[last], c.raw->r[last]);
    QCOMPARE(s.theta[first], c.raw->theta[first]);
    QCOMPARE(s.theta[last], c.raw->theta[last]);
    // 3-point means next to the ends: ((i-1)^2 + i^2 + (i+1)^2) / 3 = i^2 + 2/3.
    QCOMPARE(s.r[first + 1], float(sq(first + 1) + 2.0 / 3.0));
    QCOMPARE(s.r[last - 1], float(sq(last - 1) + 2.0 / 3.0));
    QCOMPARE(s.theta[first + 1], c.raw->theta[first + 1]);
    // 5-point means inside: i^2 + 2.
    for (int i = first + 2; i <= last - 2; ++i) {
        QCOMPARE(s.r[i], float(sq(i) + 2.0));
        QCOMPARE(s.theta[i], -0.5f * float(i));
    }
    // Nothing outside the band, no frequency and no flag is touched.
    for (int i = 0; i < kRecordSlots; ++i) {
        if (i < first || i > last) {
            QCOMPARE(s.r[i], 123.0f);
            QCOMPARE(s.theta[i], 45.0f);
        }
        QCOMPARE(s.freq[i], 77.0f);
    }
    QCOMPARE(s.valid, 1u);
}

void TestAnalysisCore::sharpPeakThresholds_data()
{
    // R at k-6, k-3, k, k+3, k+6 on a floor of 0.
    QTest::addColumn<float>("a");
    QTest::addColumn<float>("b");
    QTest::addColumn<float>("c");
    QTest::addColumn<float>("d");
    QTest::addColumn<float>("e");
    QTest::addColumn<bool>("peak");
    QTest::newRow("clear spike") << 1.0f << 5.0f << 10.0f << 5.0f << 1.0f << true;
    // 0.1 is a double: a float 0.1 above 0 lies above 0 + 0.1.
    QTest::newRow("rise of float 0.1 from 0") << 0.0f << 0.1f << 1.0f << 0.5f << 0.3f << true;
    QTest::newRow("rise just under 0.1")
        << 0.5f << std::nextafter(0.6f, 0.0f) << 1.0f << 0.5f << 0.3f << false;
    QTest::newRow("fall of float 9.9 to 10") << 1.0f << 5.0f << 10.0f << 9.9f << 1.0f << true;
    QTest::newRow("fall just under 0.1")
        << 1.0f << 5.0f << 10.0f << std::nextafter(9.9f, 10.0f) << 1.0f << false;
    QTest::newRow("outer right step missing") << 1.0f << 5.0f << 10.0f << 5.0f << 4.95f << false;
    QTest::newRow("outer left step missing") << 4.95f << 5.0f << 10.0f << 5.0f << 1.0f << false;
    QTest::newRow("shape below zero") << -5.0f << -3.0f << -1.0f << -3.0f << -5.0f << false;
}

void TestAnalysisCore::sharpPeakThresholds()
{
    QFETCH(float, a);
    QFETCH(float, b);
    QFETCH(float, c);
    QFETCH(float, d);
    QFETCH(float, e);
    QFETCH(bool, peak);
    const float floor = a < 0.0f ? -6.0f : 0.0f;
    Curves curves;
    flatBand(*curves.raw, 40, 183, floor);
    const int k = 100;
    curves.raw->r[k - 6] = a;
    curves.raw->r[k - 3] = b;
    curves.raw->r[k] = c;
    curves.raw->r[k + 3] = d;
    curves.raw->r[k + 6] = e;
    int found = -1;
    QCOMPARE(isSharpPeak(*curves.raw, 40, 183, k, &found), peak);
    if (peak)
        QCOMPARE(found, k);
}

void TestAnalysisCore::sharpPeakBandEdges_data()
{
    QTest::addColumn<int>("band");
    QTest::addColumn<int>("centre");
    QTest::addColumn<IndexList>("expected");
    QTest::newRow("band 4, 6 above first") << 4 << 46 << IndexList{46};
    QTest::newRow("band 4, 5 above first") << 4 << 45 << IndexList{};
    QTest::newRow("band 4, 6 below last") << 4 << 177 << IndexList{177};
    QTest::newRow("band 4, 5 below last") << 4 << 178 << IndexList{};
    QTest::newRow("band 2, grid 6") << 2 << 6 << IndexList{6};
    QTest::newRow("band 2, grid 5") << 2 << 5 << IndexList{};
    QTest::newRow("band 2, grid 533") << 2 << 533 << IndexList{533};
    QTest::newRow("band 2, grid 534") << 2 << 534 << IndexList{};
}

void TestAnalysisCore::sharpPeakBandEdges()
{
    QFETCH(int, band);
    QFETCH(int, centre);
    QFETCH(IndexList, expected);
    const int first = bandFirstIndex(band);
    const int last = bandLastIndex(band);
    Curves c;
    flatBand(*c.raw, first, last, 1.0f);
    addSpike(*c.raw, centre);
    smoothForAnalysis(*c.raw, *c.smooth, first, last);
    const PeakList list = findPeaks(*c.raw, *c.smooth, first, last);
    QCOMPARE(peakIndexes(list), expected);
    if (!expected.isEmpty()) {
        QCOMPARE(list.Rmax, 10.0f);
        QCOMPARE(list.Fs, c.raw->freq[centre]);
    } else {
        QCOMPARE(list.Rmax, 0.0f);
    }
}

void TestAnalysisCore::sharpPeakReportedNearerTheEdge()
{
    // The shape is tested at first + 6, but the highest point of its window is first + 1.
    Curves c;
    flatBand(*c.raw, 40, 183, 1.0f);
    addSpike(*c.raw, 46);
    c.raw->r[41] = 20.0f;
    smoothForAnalysis(*c.raw, *c.smooth, 40, 183);
    const PeakList list = findPeaks(*c.raw, *c.smooth, 40, 183);
    QCOMPARE(peakIndexes(list), IndexList{41});
    QCOMPARE(list.Rmax, 20.0f);
}

void TestAnalysisCore::broadPeakThresholds_data()
{
    // Smoothed R at k-30, k-20, k-10, k, k+10, k+20, k+30 on a floor of 0.
    QTest::addColumn<QList<float>>("s");
    QTest::addColumn<float>("rawLevel");
    QTest::addColumn<bool>("peak");
    using L = QList<float>;
    QTest::newRow("shape") << L{4.5f, 5, 9.5f, 10, 9.5f, 5, 4.5f} << 1.0f << true;
    QTest::newRow("left top 1.0 lower") << L{4.5f, 5, 9, 10, 9.5f, 5, 4.5f} << 1.0f << false;
    QTest::newRow("right top 1.0 lower") << L{4.5f, 5, 9.5f, 10, 9, 5, 4.5f} << 1.0f << false;
    QTest::newRow("left top just within")
        << L{4.5f, 5, std::nextafter(9.0f, 10.0f), 10, 9.5f, 5, 4.5f} << 1.0f << true;
    QTest::newRow("left middle not 0.1 below the top")
        << L{4.5f, 9.8f, 9.5f, 9.9f, 9.5f, 5, 4.5f} << 1.0f << false;
    QTest::newRow("right middle just over 0.1 below")
        << L{4.5f, 5, 9.5f, 10, 9.5f, 9.9f, 4.5f} << 1.0f << true;
    QTest::newRow("right middle just under 0.1 below")
        << L{4.5f, 5, 9.5f, 10, 9.5f, std::nextafter(9.9f, 10.0f), 4.5f} << 1.0f << false;
    QTest::newRow("left outer step missing")
        << L{4.9f, 5, 9.5f, 10, 9.5f, 5, 4.5f} << 1.0f << false;
    QTest::newRow("right outer step missing")
        << L{4.5f, 5, 9.5f, 10, 9.5f, 5, 4.9f} << 1.0f << false;
    // 0.2 is a double: 1e-9 + 0.2 still lies below the float 0.2, 3e-9 + 0.2 does not.
    QTest::newRow("right outer 0.2 from 1e-9")
        << L{4.5f, 5, 9.5f, 10, 9.5f, 0.2f, 1e-9f} << 1.0f << true;
    QTest::newRow("right outer 0.2 from 3e-9")
        << L{4.5f, 5, 9.5f, 10, 9.5f, 0.2f, 3e-9f} << 1.0f << false;
    QTest::newRow("left outer 0.2 from 1e-9")
        << L{1e-9f, 0.2f, 9.5f, 10, 9.5f, 5, 4.5f} << 1.0f << true;
    QTest::newRow("raw curve empty") << L{4.5f, 5, 9.5f, 10, 9.5f, 5, 4.5f} << -1.0f << false;
}

void TestAnalysisCore::broadPeakThresholds()
{
    QFETCH(QList<float>, s);
    QFETCH(float, rawLevel);
    QFETCH(bool, peak);
    Curves c;
    flatBand(*c.raw, 40, 183, rawLevel);
    flatBand(*c.smooth, 40, 183, 0.0f);
    const int k = 100;
    for (int j = 0; j < 7; ++j)
        c.smooth->r[k - 30 + 10 * j] = s[j];
    c.raw->r[k + 7] = 3.0f * rawLevel; // located on the raw curve, not on the smoothed one
    int found = -1;
    QCOMPARE(isBroadPeak(*c.raw, *c.smooth, 40, 183, k, &found), peak);
    if (peak)
        QCOMPARE(found, k + 7);
}

void TestAnalysisCore::broadPeakBandEdges_data()
{
    QTest::addColumn<int>("band");
    QTest::addColumn<int>("centre");
    QTest::addColumn<bool>("found");
    QTest::newRow("band 4, 30 above first") << 4 << 70 << true;
    QTest::newRow("band 4, 29 above first") << 4 << 69 << false;
    QTest::newRow("band 4, 30 below last") << 4 << 153 << true;
    QTest::newRow("band 4, 29 below last") << 4 << 154 << false;
    QTest::newRow("band 2, grid 30") << 2 << 30 << true;
    QTest::newRow("band 2, grid 29") << 2 << 29 << false;
    QTest::newRow("band 2, grid 509") << 2 << 509 << true;
    QTest::newRow("band 2, grid 510") << 2 << 510 << false;
}

void TestAnalysisCore::broadPeakBandEdges()
{
    QFETCH(int, band);
    QFETCH(int, centre);
    QFETCH(bool, found);
    const int first = bandFirstIndex(band);
    const int last = bandLastIndex(band);
    Curves c;
    flatBand(*c.raw, first, last, 1.0f);
    flatBand(*c.smooth, first, last, 0.0f);
    // Where the shape reaches past the band it is cut; the test position alone decides.
    for (int j = 0; j < 7; ++j) {
        const int i = centre - 30 + 10 * j;
        if (i >= first && i <= last)
            c.smooth->r[i] = QList<float>{4.5f, 5, 9.5f, 10, 9.5f, 5, 4.5f}[j];
    }
    c.raw->r[centre] = 3.0f;
    const PeakList list = findPeaks(*c.raw, *c.smooth, first, last);
    QCOMPARE(peakIndexes(list), found ? IndexList{centre} : IndexList{});
}

void TestAnalysisCore::searchStepping_data()
{
    // Narrow spikes (on raw) and wide shapes (drawn into the smoothed curve) in band 2, and
    // single raised raw points that locate the wide ones.
    QTest::addColumn<IndexList>("spikes");
    QTest::addColumn<IndexList>("tallPoints");
    QTest::addColumn<IndexList>("wide");
    QTest::addColumn<IndexList>("rawPoints");
    QTest::addColumn<QList<float>>("rawLevels");
    QTest::addColumn<IndexList>("expected");
    using I = IndexList;
    using L = QList<float>;
    QTest::newRow("narrow 7 apart: both") << I{100, 107} << I{} << I{} << I{} << L{} << I{100, 107};
    // After a narrow peak the search goes on at k + 7, so a spike 5 further on is not tested.
    QTest::newRow("narrow 5 apart: one") << I{100, 105} << I{} << I{} << I{} << L{} << I{100};
    // Narrow peaks are not checked for duplicates: both windows hold the tall point 105.
    QTest::newRow("narrow duplicate listed twice")
        << I{100, 107} << I{105} << I{} << I{} << L{} << I{105, 105};
    QTest::newRow("narrow equal maxima: lower index")
        << I{100} << I{98, 102} << I{} << I{} << L{} << I{98};
    QTest::newRow("more than five: first five by frequency")
        << I{100, 120, 140, 160, 180, 200, 220} << I{} << I{} << I{} << L{}
        << I{100, 120, 140, 160, 180};
    QTest::newRow("wide 31 apart: both")
        << I{} << I{} << I{100, 131} << I{100, 131} << L{4, 5} << I{100, 131};
    // After a new wide peak the search goes on at k + 31.
    QTest::newRow("wide 29 apart: one")
        << I{} << I{} << I{100, 129} << I{100, 129} << L{4, 5} << I{100};
    // The wide shape at 131 finds 115 again and is skipped with k + 1, so the one at 152 is
    // still tested and finds 160.
    QTest::newRow("wide duplicate skipped by one")
        << I{} << I{} << I{100, 131, 152} << I{115, 160} << L{4, 5} << I{115, 160};
    QTest::newRow("wide equal maxima: lower index")
        << I{} << I{} << I{100} << I{105, 95} << L{3, 3} << I{95};
}

void TestAnalysisCore::searchStepping()
{
    QFETCH(IndexList, spikes);
    QFETCH(IndexList, tallPoints);
    QFETCH(IndexList, wide);
    QFETCH(IndexList, rawPoints);
    QFETCH(QList<float>, rawLevels);
    QFETCH(IndexList, expected);
    const int first = 0;
    const int last = 539;
    Curves c;
    flatBand(*c.raw, first, last, 1.0f);
    flatBand(*c.smooth, first, last, 0.0f);
    for (int k : spikes)
        addSpike(*c.raw, k);
    for (int k : tallPoints)
        c.raw->r[k] = 50.0f;
    for (int k : wide)
        addWideShape(*c.smooth, k);
    for (int i = 0; i < rawPoints.size(); ++i)
        c.raw->r[rawPoints[i]] = rawLevels[i];
    const PeakList list = findPeaks(*c.raw, *c.smooth, first, last);
    QCOMPARE(peakIndexes(list), expected);
    QCOMPARE(list.Rmax, c.raw->r[expected.first()]);
    QCOMPARE(list.Fs, c.raw->freq[expected.first()]);
}

void TestAnalysisCore::risingCurveHasNoPeak()
{
    Curves c;
    flatBand(*c.raw, 0, 539, 0.0f);
    for (int i = 0; i <= 539; ++i)
        c.raw->r[i] = 4.0f + 0.2f * float(i);
    smoothForAnalysis(*c.raw, *c.smooth, 0, 539);
    const PeakList list = findPeaks(*c.raw, *c.smooth, 0, 539);
    QCOMPARE(list.peakCount, 0);
    QCOMPARE(list.Rmax, 0.0f);
}

void TestAnalysisCore::resonanceIsTheFirstPeakNotTheHighest()
{
    Curves c;
    flatBand(*c.raw, 40, 439, 1.0f);
    addSpike(*c.raw, 80, 8.0f);
    addSpike(*c.raw, 200, 30.0f);
    smoothForAnalysis(*c.raw, *c.smooth, 40, 439);
    const PeakList list = findPeaks(*c.raw, *c.smooth, 40, 439);
    QCOMPARE(peakIndexes(list), (IndexList{80, 200}));
    QCOMPARE(list.Rmax, 8.0f);
    QCOMPARE(list.Fs, c.raw->freq[80]);
}

void TestAnalysisCore::twoDecimalTexts_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("hash");
    QTest::addColumn<QString>("zero");
    QTest::newRow("0.5") << 0.5f << ".50"
                         << "0.50";
    QTest::newRow("0") << 0.0f << ".00"
                       << "0.00";
    QTest::newRow("tie rounds away from zero") << 0.125f << ".13"
                                               << "0.13";
    QTest::newRow("float 0.005 lies below the tie") << 0.005f << ".00"
                                                    << "0.00";
    QTest::newRow("0.995 rounds up") << 0.995f << "1.00"
                                     << "1.00";
    QTest::newRow("17.885") << 17.885f << "17.89"
                            << "17.89";
    QTest::newRow("no thousands separator") << 1234567.0f << "1234567.00"
                                            << "1234567.00";
    QTest::newRow("negative") << -0.5f << "-.50"
                              << "-0.50";
    QTest::newRow("tiny negative") << -0.001f << ".00"
                                   << "0.00";
    QTest::newRow("nan") << kNaN << "---"
                         << "---";
    QTest::newRow("inf") << kInf << "---"
                         << "---";
    QTest::newRow("-inf") << -kInf << "---"
                          << "---";
}

void TestAnalysisCore::twoDecimalTexts()
{
    QFETCH(float, value);
    QFETCH(QString, hash);
    QFETCH(QString, zero);
    QCOMPARE(formatHashDot00(value), hash);
    QCOMPARE(formatZeroDot00(value), zero);
}

void TestAnalysisCore::sideFrequencies_data()
{
    // R and F at grid 0..4; the peak index; Rx; whether f1 and f2 are found and their values.
    QTest::addColumn<QList<float>>("r");
    QTest::addColumn<int>("peak");
    QTest::addColumn<float>("rx");
    QTest::addColumn<bool>("below");
    QTest::addColumn<float>("f1");
    QTest::addColumn<bool>("above");
    QTest::addColumn<float>("f2");
    using L = QList<float>;
    // F is 100, 200, 300, 400, 500.
    QTest::newRow("linear in frequency, not log")
        << L{10, 20, 40, 20, 10} << 2 << 15.0f << true << 150.0f << true << 450.0f;
    QTest::newRow("bracket end at Rx")
        << L{10, 15, 40, 15, 10} << 2 << 15.0f << true << 200.0f << true << 400.0f;
    QTest::newRow("equal R on both points: the mean")
        << L{10, 12, 15, 15, 15} << 3 << 15.0f << true << 350.0f << true << 450.0f;
    QTest::newRow("peak at the band's first point")
        << L{40, 20, 10, 5, 5} << 0 << 15.0f << false << 0.0f << true << 250.0f;
    QTest::newRow("stays above Rx on both sides")
        << L{20, 25, 40, 25, 20} << 2 << 15.0f << false << 0.0f << false << 0.0f;
    QTest::newRow("nearest crossing below; peak at the last point")
        << L{10, 20, 10, 20, 40} << 4 << 15.0f << true << 350.0f << false << 0.0f;
}

void TestAnalysisCore::sideFrequencies()
{
    QFETCH(QList<float>, r);
    QFETCH(int, peak);
    QFETCH(float, rx);
    QFETCH(bool, below);
    QFETCH(float, f1);
    QFETCH(bool, above);
    QFETCH(float, f2);
    auto raw = std::make_unique<CurveBlock>();
    for (int i = 0; i < r.size(); ++i) {
        raw->r[i] = r[i];
        raw->freq[i] = 100.0f * float(i + 1);
    }
    float got1 = -1.0f;
    float got2 = -1.0f;
    QCOMPARE(findF1(*raw, 0, peak, rx, &got1), below);
    QCOMPARE(findF2(*raw, int(r.size()) - 1, peak, rx, &got2), above);
    if (below)
        QCOMPARE(got1, f1);
    if (above)
        QCOMPARE(got2, f2);
}

void TestAnalysisCore::workedExample()
{
    using namespace AnalysisCurves;
    Curves c;
    fillWorkedExample(*c.raw);
    const int first = bandFirstIndex(kExampleBand);
    const int last = bandLastIndex(kExampleBand);
    smoothForAnalysis(*c.raw, *c.smooth, first, last);
    const PeakList peaks = findPeaks(*c.raw, *c.smooth, first, last);
    QCOMPARE(peakIndexes(peaks), IndexList{kExamplePeak});
    QCOMPARE(peaks.Rmax, 40.0f);
    QCOMPARE(peaks.Fs, 50.0f);

    TsParameters p;
    QCOMPARE(computeTs(*c.raw, first, last, peaks, 8.0f, p), TsResult::Ok);
    QCOMPARE(p.Re, 8.0f);
    QCOMPARE(p.r0, 5.0f);
    QCOMPARE(p.Rx, kExampleRx);
    QCOMPARE(p.f1, 40.0f);
    QCOMPARE(p.f2, 62.0f);
    const QStringList expected = {"8.00",  "40.00", "50.00", "5.00", "17.89",
                                  "40.00", "62.00", "5.08",  "1.27", "1.02"};
    QStringList shown;
    for (float v : tsValues(p))
        shown << formatZeroDot00(v);
    QCOMPARE(shown, expected);
}

void TestAnalysisCore::acceptableRe_data()
{
    QTest::addColumn<float>("re");
    QTest::addColumn<float>("rmax");
    QTest::addColumn<bool>("ok");
    QTest::newRow("8 of 40") << 8.0f << 40.0f << true;
    QTest::newRow("zero") << 0.0f << 40.0f << false;
    QTest::newRow("negative") << -8.0f << 40.0f << false;
    QTest::newRow("equal to Rmax") << 40.0f << 40.0f << false;
    QTest::newRow("above Rmax") << 41.0f << 40.0f << false;
    QTest::newRow("just below Rmax") << std::nextafter(40.0f, 0.0f) << 40.0f << true;
    QTest::newRow("nan") << kNaN << 40.0f << false;
    QTest::newRow("inf") << kInf << 40.0f << false;
    QTest::newRow("r0 beyond float range") << 1e-44f << 40.0f << false;
    QTest::newRow("Rmax nan") << 8.0f << kNaN << false;
}

void TestAnalysisCore::acceptableRe()
{
    QFETCH(float, re);
    QFETCH(float, rmax);
    QFETCH(bool, ok);
    QCOMPARE(isAcceptableRe(re, rmax), ok);
}

void TestAnalysisCore::tsFailures_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<float>("re");
    QTest::addColumn<TsResult>("result");
    QTest::addColumn<bool>("headUpdated"); // Re, Rmax, Fs, r0, Rx written
    QTest::newRow("no peak") << "noPeak" << 8.0f << TsResult::NoPeak << false;
    QTest::newRow("Rmax 0") << "rmaxZero" << 8.0f << TsResult::NoPeak << false;
    QTest::newRow("Re 0") << "" << 0.0f << TsResult::BadRe << false;
    QTest::newRow("Re negative") << "" << -8.0f << TsResult::BadRe << false;
    QTest::newRow("Re equal to Rmax") << "" << 40.0f << TsResult::BadRe << false;
    QTest::newRow("Re above Rmax") << "" << 50.0f << TsResult::BadRe << false;
    QTest::newRow("Re nan") << "" << kNaN << TsResult::BadRe << false;
    QTest::newRow("Re tiny") << "" << 1e-44f << TsResult::BadRe << false;
    QTest::newRow("no crossing below") << "highBelow" << 8.0f << TsResult::NoF1 << true;
    QTest::newRow("no crossing above") << "highAbove" << 8.0f << TsResult::NoF2 << true;
    QTest::newRow("file ended above Rx") << "earlyEnd" << 8.0f << TsResult::NoF2 << true;
    QTest::newRow("f1 equals f2") << "constantFreq" << 8.0f << TsResult::BadF1F2 << true;
    QTest::newRow("falling frequencies") << "fallingFreq" << 8.0f << TsResult::BadF1F2 << true;
    QTest::newRow("resonance at 0 Hz") << "zeroFs" << 8.0f << TsResult::BadF1F2 << true;
}

void TestAnalysisCore::tsFailures()
{
    using namespace AnalysisCurves;
    QFETCH(QString, change);
    QFETCH(float, re);
    QFETCH(TsResult, result);
    QFETCH(bool, headUpdated);
    Curves c;
    fillWorkedExample(*c.raw);
    int first = bandFirstIndex(kExampleBand);
    int last = bandLastIndex(kExampleBand);
    if (change == "highBelow")
        for (int i = first; i <= 90; ++i)
            c.raw->r[i] = 20.0f;
    if (change == "highAbove" || change == "earlyEnd")
        for (int i = 110; i <= last; ++i)
            c.raw->r[i] = 20.0f;
    if (change == "earlyEnd") // the missing points must not read as a fall below Rx
        for (int i = 130; i <= last; ++i)
            c.raw->r[i] = -1.0f;
    if (change == "constantFreq")
        for (int i = first; i <= last; ++i)
            c.raw->freq[i] = 50.0f;
    if (change == "fallingFreq")
        for (int i = first; i <= last; ++i)
            c.raw->freq[i] = 1000.0f - float(i);
    if (change == "zeroFs")
        c.raw->freq[kExamplePeak] = 0.0f;
    QVERIFY(analysisRange(*c.raw, kExampleBand, &first, &last));
    smoothForAnalysis(*c.raw, *c.smooth, first, last);
    PeakList peaks = findPeaks(*c.raw, *c.smooth, first, last);
    QCOMPARE(peaks.peakCount, 1);
    if (change == "noPeak")
        peaks = PeakList();
    if (change == "rmaxZero")
        peaks.Rmax = 0.0f;

    TsParameters p = sentinelParameters();
    QCOMPARE(computeTs(*c.raw, first, last, peaks, re, p), result);
    QVERIFY(allFinite(p));
    const TsParameters before = sentinelParameters();
    if (headUpdated) {
        QCOMPARE(p.Re, re);
        QCOMPARE(p.Rmax, 40.0f);
        QCOMPARE(p.Fs, peaks.Fs);
        QCOMPARE(p.r0, 5.0f);
        QCOMPARE(p.Rx, kExampleRx);
    } else {
        QCOMPARE(p.Re, before.Re);
        QCOMPARE(p.r0, before.r0);
        QCOMPARE(p.Rx, before.Rx);
    }
    // A failed computation never leaves side frequencies or Q values of its own.
    QCOMPARE(p.f1, before.f1);
    QCOMPARE(p.f2, before.f2);
    QCOMPARE(p.Qms, before.Qms);
    QCOMPARE(p.Qes, before.Qes);
    QCOMPARE(p.Qts, before.Qts);
}

void TestAnalysisCore::messagesForResults()
{
    using namespace AnalysisMessages;
    QCOMPARE(forResult(TsResult::NoPeak).text, QString("ピークは検出できませんでした"));
    QCOMPARE(forResult(TsResult::NoPeak).caption, QString("ピーク値の計算"));
    QCOMPARE(forResult(TsResult::BadRe).text, QString("Re の値が正しくありません"));
    QCOMPARE(forResult(TsResult::BadRe).caption, QString("Ts の計算"));
    QCOMPARE(forResult(TsResult::NoF1).text, QString("f1 が求まりませんでした"));
    QCOMPARE(forResult(TsResult::NoF2).text, QString("f2 が求まりませんでした"));
    QCOMPARE(forResult(TsResult::BadF1F2).text, QString("f1,f2 が正しく計算できませんでした"));
    for (TsResult r : {TsResult::NoF1, TsResult::NoF2, TsResult::BadF1F2})
        QCOMPARE(forResult(r).caption, QString("Ts の計算"));
    QVERIFY(forResult(TsResult::Ok).text.isEmpty());
    QCOMPARE(reEntryCaption(), QString("Re の値の入力"));
}

void TestAnalysisCore::reTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<float>("value");
    QTest::newRow("plain") << "8.0" << true << 8.0f;
    QTest::newRow("blanks round it") << "  2.31 " << true << 2.31f;
    QTest::newRow("exponent") << "6.2e0" << true << 6.2f;
    QTest::newRow("zero is a number") << "0" << true << 0.0f;
    QTest::newRow("negative is a number") << "-3" << true << -3.0f;
    QTest::newRow("letters") << "abc" << false << 0.0f;
    QTest::newRow("unit attached") << "8ohm" << false << 0.0f;
    QTest::newRow("empty") << "" << false << 0.0f;
    QTest::newRow("nan") << "nan" << false << 0.0f;
    QTest::newRow("inf") << "inf" << false << 0.0f;
    QTest::newRow("beyond float") << "1e39" << false << 0.0f;
}

void TestAnalysisCore::reTexts()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(float, value);
    float re = 42.0f;
    QCOMPARE(parseReText(text, &re), ok);
    QCOMPARE(re, ok ? value : 42.0f);
}

void TestAnalysisCore::bandSearchIsSmoothingThenSearch_data()
{
    QTest::addColumn<int>("band");
    QTest::newRow("band 2") << 2;
    QTest::newRow("band 4") << 4;
    QTest::newRow("band 9") << 9;
}

void TestAnalysisCore::bandSearchIsSmoothingThenSearch()
{
    QFETCH(int, band);
    const int first = bandFirstIndex(band);
    const int last = bandLastIndex(band);
    Curves c;
    flatBand(*c.raw, first, last, 6.0f);
    for (int i = first; i <= last; ++i) // a sharp peak and a broad one
        c.raw->r[i] += 20.0f * std::exp(-0.5f * std::pow((i - first - 40) / 2.0f, 2.0f)) +
                       5.0f * std::exp(-0.5f * std::pow((i - first - 100) / 15.0f, 2.0f));
    Curves expected;
    *expected.raw = *c.raw;
    smoothForAnalysis(*expected.raw, *expected.smooth, first, last);
    const PeakList want = findPeaks(*expected.raw, *expected.smooth, first, last);
    QVERIFY(want.peakCount > 0);

    const PeakList got = searchBand(*c.raw, *c.smooth, band);
    QCOMPARE(got.peakCount, want.peakCount);
    for (int k = 0; k < got.peakCount; ++k)
        QCOMPARE(got.peakIndex[k], want.peakIndex[k]);
    QCOMPARE(got.Rmax, want.Rmax);
    QCOMPARE(got.Fs, want.Fs);
    for (int i = first; i <= last; ++i)
        QCOMPARE(c.smooth->r[i], expected.smooth->r[i]);

    QCOMPARE(searchBand(*c.raw, *c.smooth, 0).peakCount, 0);
    QCOMPARE(searchBand(*c.raw, *c.smooth, 10).peakCount, 0);
}

void TestAnalysisCore::resultRowLabels()
{
    const QStringList labels = {"Re [ Ω ]",  "Rmax [ Ω ]", "Fs [ Hz ]", "r0",  "Rx [ Ω ]",
                                "f1 [ Hz ]", "f2 [ Hz ]",  "Qms",       "Qes", "Qts"};
    for (int i = 0; i < kTsValueCount; ++i)
        QCOMPARE(tsValueLabel(i), labels[i]);
    QCOMPARE(tsValueLabel(-1), QString());
    QCOMPARE(tsValueLabel(kTsValueCount), QString());
}

QTEST_APPLESS_MAIN(TestAnalysisCore)
#include "tst_analysis_core.moc"
