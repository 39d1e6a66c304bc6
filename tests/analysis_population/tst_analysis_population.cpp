// Many units: each unit's values, the statistics over them, the matched sets against a brute
// force, the recorded dates and the settled flag.
#include "SpeakerCurve.h"
#include "core/analysis/population/MatchedSets.h"
#include "core/analysis/population/PopulationStats.h"
#include "core/analysis/population/ReList.h"
#include "core/analysis/population/RunDate.h"
#include "core/analysis/population/Trend.h"
#include "core/analysis/population/UnitValues.h"
#include "core/document/UnitsSet.h"

#include <QtTest>
#include <cmath>
#include <functional>
#include <random>

Q_DECLARE_METATYPE(MatchProblem)

namespace {

std::unique_ptr<CurveBlock> curveOf(int band, const SpeakerModel &m)
{
    auto record = std::make_unique<MeasurementRecord>();
    fillRecord(*record, band, m);
    auto raw = std::make_unique<CurveBlock>();
    CurveBlock avg;
    VELO_File().convertRecord(record.get(), raw.get(), &avg);
    return raw;
}

// Every split of the units into sets of the sizes, by plain recursion, for its worst spread.
double bruteWorst(const MatchInput &in)
{
    const int n = int(in.values.size());
    std::vector<std::vector<int>> sets(in.sizes.size());
    double best = std::numeric_limits<double>::infinity();
    std::function<void(int)> place = [&](int u) {
        if (u == n) {
            double worst = 0.0;
            for (const auto &s : sets)
                worst = std::max(worst, setSpread(in, s));
            best = std::min(best, worst);
            return;
        }
        for (std::size_t k = 0; k < sets.size(); ++k) {
            if (int(sets[k].size()) == in.sizes[k])
                continue;
            sets[k].push_back(u);
            place(u + 1);
            sets[k].pop_back();
        }
    };
    place(0);
    return best;
}

MatchInput randomInput(std::mt19937 &gen, int units, std::vector<int> sizes)
{
    std::uniform_int_distribution<int> paramCount(1, 3);
    std::normal_distribution<double> value(50.0, 5.0);
    std::uniform_real_distribution<double> weight(0.5, 2.0);
    MatchInput in;
    const int params = paramCount(gen);
    for (int u = 0; u < units; ++u) {
        std::vector<double> row;
        for (int p = 0; p < params; ++p)
            row.push_back(value(gen));
        in.values.push_back(row);
    }
    if (gen() % 2)
        for (int p = 0; p < params; ++p)
            in.weights.push_back(weight(gen));
    in.sizes = std::move(sizes);
    return in;
}

} // namespace

class TestPopulation : public QObject
{
    Q_OBJECT

private slots:
    void summaryEqualsIndependentSums()
    {
        const std::vector<double> v = {48.25, 51.5, 47.125, 49.75, 52.0625, 50.5, 46.875};
        const ColumnSummary s = summarize(v);
        long double sum = 0.0L;
        long double squares = 0.0L;
        for (double x : v) {
            sum += x;
            squares += (long double)x * x;
        }
        const long double n = v.size();
        const long double mean = sum / n;
        const long double sigma = std::sqrt((squares - n * mean * mean) / (n - 1));
        QCOMPARE(s.n, 7);
        QVERIFY(std::abs(s.mean - double(mean)) <= 1e-9 * double(mean));
        QVERIFY(std::abs(s.sigma - double(sigma)) <= 1e-9 * double(sigma));
        QCOMPARE(s.min, 46.875);
        QCOMPARE(s.max, 52.0625);
        QCOMPARE(summarize({3.0, NAN}).n, 1);
        QCOMPARE(summarize({3.0}).sigma, 0.0);
    }

    void histogramCountsEveryValue()
    {
        const HistogramBins h = histogram({1, 2, 2, 3, 4, 5, 6, 9});
        QCOMPARE(int(h.counts.size()), 4); // Sturges: log2 8 + 1
        QCOMPARE(h.counts, (std::vector<int>{3, 2, 2, 1}));
        QCOMPARE(histogram({7, 7, 7}, 3).counts, (std::vector<int>{3, 0, 0}));
    }

    void unitValuesFromMainResonance()
    {
        SpeakerModel m;
        m.le = 1e-6;
        const auto raw = curveOf(4, m);
        const UnitValues typed = computeUnitValues(QStringLiteral("a"), *raw, 4, m.re, false);
        QVERIFY(typed.ok());
        QVERIFY(std::abs(typed.fs - m.fs) / m.fs < 0.02);
        QVERIFY(std::abs(typed.qts - m.qms * m.qes / (m.qms + m.qes)) < 0.02);
        QVERIFY(std::abs(typed.zmax - m.re * (1 + m.qms / m.qes)) < 0.5);
        // The estimate is the band's lowest resistive part: a little over the coil's resistance,
        // and closer than the lowest |Z|.
        const double re = estimateRe(*raw, 4);
        QVERIFY(re >= m.re - 0.01 && re < m.re * 1.03);
        QVERIFY(estimateRe(*raw, 4, false) > m.re * 1.1);
        QVERIFY(std::isnan(estimateRe(*raw, 6)));
        QVERIFY(!computeUnitValues(QStringLiteral("a"), *raw, 4, 0.0, false).ok());
    }

    void envelopeOverCommonBand()
    {
        SpeakerModel a;
        SpeakerModel b;
        b.fs = 60;
        const auto wide = curveOf(9, a);   // slots 0..223
        const auto narrow = curveOf(4, b); // slots 40..183
        const Envelope e = computeEnvelope({{wide.get(), 9}, {narrow.get(), 4}});
        QVERIFY(e.ok());
        QCOMPARE(e.first, 40);
        QCOMPARE(e.last, 183);
        QCOMPARE(int(e.points.size()), 144);
        const EnvelopePoint &p = e.points[10];
        const double ra = wide->r[50];
        const double rb = narrow->r[50];
        QCOMPARE(p.r.mean, (ra + rb) / 2);
        QCOMPARE(p.r.min, std::min(ra, rb));
        QVERIFY(std::abs(p.r.sigma - std::abs(ra - rb) / std::sqrt(2.0)) < 1e-12);
        // The band the graph shades: mean ± kσ (|Z| held at 0), or the minimum to maximum.
        auto upper = std::make_unique<CurveBlock>();
        auto lower = std::make_unique<CurveBlock>();
        envelopeCurves(e, EnvelopeEdges::Sigmas, 2.0, *upper, *lower);
        QCOMPARE(upper->r[50], float(p.r.mean + 2 * p.r.sigma));
        QCOMPARE(lower->theta[50], float(p.theta.mean - 2 * p.theta.sigma));
        QCOMPARE(upper->r[39], -1.0f); // outside the common band
        envelopeCurves(e, EnvelopeEdges::Sigmas, 1e6, *upper, *lower);
        QCOMPARE(lower->r[50], 0.0f);
        envelopeCurves(e, EnvelopeEdges::MinMax, 2.0, *upper, *lower);
        QCOMPARE(upper->r[50], float(std::max(ra, rb)));
        QCOMPARE(lower->r[50], float(std::min(ra, rb)));
        const auto tweeter = curveOf(5, a); // slots 183..303
        const auto bass = curveOf(3, a);    // slots 0..91
        QCOMPARE(
            computeEnvelope({{wide.get(), 9}, {tweeter.get(), 5}, {bass.get(), 3}}).disjointCurve,
            2);
    }

    void exactMatchEqualsBruteForce_data()
    {
        QTest::addColumn<int>("units");
        QTest::addColumn<int>("sets");
        QTest::addColumn<int>("cases");
        QTest::addColumn<bool>("seeded"); // false: the search alone, without the heuristic's split
        QTest::newRow("8 into 2x4") << 8 << 2 << 300 << true;
        QTest::newRow("12 into 3x4") << 12 << 3 << 60 << true;
        QTest::newRow("9 into 4,3,2") << 9 << 0 << 60 << true;
        QTest::newRow("8 into 2x4, search alone") << 8 << 2 << 300 << false;
        QTest::newRow("12 into 3x4, search alone") << 12 << 3 << 60 << false;
        QTest::newRow("9 into 4,3,2, search alone") << 9 << 0 << 60 << false;
    }
    void exactMatchEqualsBruteForce()
    {
        QFETCH(int, units);
        QFETCH(int, sets);
        QFETCH(int, cases);
        QFETCH(bool, seeded);
        std::mt19937 gen(20240501u + unsigned(units));
        for (int c = 0; c < cases; ++c) {
            MatchInput in = randomInput(gen, units,
                                        sets > 0 ? std::vector<int>(std::size_t(sets), 4)
                                                 : std::vector{4, 3, 2});
            in.seedExact = seeded;
            const MatchResult r = matchSets(in);
            QVERIFY(r.ok() && r.exact);
            QCOMPARE(r.worstSpread, bruteWorst(in));
            std::vector<int> all;
            for (std::size_t k = 0; k < r.sets.size(); ++k) {
                QCOMPARE(int(r.sets[k].size()), in.sizes[k]);
                QCOMPARE(r.spreads[k], setSpread(in, r.sets[k]));
                all.insert(all.end(), r.sets[k].begin(), r.sets[k].end());
            }
            std::sort(all.begin(), all.end());
            for (int u = 0; u < units; ++u)
                QCOMPARE(all[std::size_t(u)], u);
        }
    }

    void heuristicAboveSixteenKeepsItsBound()
    {
        std::mt19937 gen(7);
        const MatchInput in = randomInput(gen, 24, {6, 6, 6, 6});
        const MatchResult r = matchSets(in);
        QVERIFY(r.ok());
        QVERIFY(!r.exact);
        QVERIFY(r.lowerBound > 0.0 && r.lowerBound <= r.worstSpread);
        std::vector<int> all;
        for (const auto &s : r.sets)
            all.insert(all.end(), s.begin(), s.end());
        std::sort(all.begin(), all.end());
        QCOMPARE(int(std::unique(all.begin(), all.end()) - all.begin()), 24);
    }

    void matchRefusesBadInput_data()
    {
        QTest::addColumn<int>("units");
        QTest::addColumn<std::vector<int>>("sizes");
        QTest::addColumn<MatchProblem>("problem");
        QTest::newRow("fewer units than sets")
            << 2 << std::vector<int>{1, 1, 1} << MatchProblem::FewerUnitsThanSets;
        QTest::newRow("sizes do not add")
            << 8 << std::vector<int>{4, 3} << MatchProblem::SizesDoNotAdd;
        QTest::newRow("empty set") << 4 << std::vector<int>{4, 0} << MatchProblem::BadSize;
        QTest::newRow("no units") << 0 << std::vector<int>{1} << MatchProblem::NoUnits;
    }
    void matchRefusesBadInput()
    {
        QFETCH(int, units);
        QFETCH(std::vector<int>, sizes);
        QFETCH(MatchProblem, problem);
        MatchInput in;
        for (int u = 0; u < units; ++u)
            in.values.push_back({double(u)});
        in.sizes = sizes;
        const MatchResult r = matchSets(in);
        QCOMPARE(r.problem, problem);
        QVERIFY(r.sets.empty());
        QCOMPARE(evenSizes(10, 3), (std::vector<int>{4, 3, 3}));
    }

    void runDates_data()
    {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("first"); // ISO, or empty when unreadable
        QTest::addColumn<bool>("ambiguous");
        QTest::newRow("Japanese") << QStringList{"2024/05/01 9:05:07"} << "2024-05-01T09:05:07"
                                  << false;
        QTest::newRow("Japanese long")
            << QStringList{"2024年5月1日 9:05:07"} << "2024-05-01T09:05:07" << false;
        QTest::newRow("American") << QStringList{"5/13/24 9:05:07"} << "2024-05-13T09:05:07"
                                  << false;
        QTest::newRow("British") << QStringList{"13/05/2024 9:05:07"} << "2024-05-13T09:05:07"
                                 << false;
        QTest::newRow("C locale") << QStringList{"1 May 2024 9:05:07"} << "2024-05-01T09:05:07"
                                  << false;
        QTest::newRow("ambiguous")
            << QStringList{"03/04/2024 9:05:07"} << "2024-03-04T09:05:07" << true;
        QTest::newRow("settled by another")
            << QStringList{"03/04/2024 9:05:07", "25/04/2024 9:00:00"} << "2024-04-03T09:05:07"
            << false;
        QTest::newRow("same day and month")
            << QStringList{"04/04/2024 9:05:07"} << "2024-04-04T09:05:07" << false;
        QTest::newRow("no date") << QStringList{"yesterday"} << "" << false;
        QTest::newRow("no such day") << QStringList{"2024/02/30 9:05:07"} << "" << false;
    }
    void runDates()
    {
        QFETCH(QStringList, texts);
        QFETCH(QString, first);
        QFETCH(bool, ambiguous);
        const auto dates = readRunDates(std::vector<QString>(texts.begin(), texts.end()));
        QCOMPARE(dates.front().when.toString(Qt::ISODate), first);
        QCOMPARE(dates.front().ambiguous, ambiguous);
    }

    void settledWithinShare()
    {
        QVERIFY(isSettled({60.0, 51.0, 50.0}));  // 1.96 %
        QVERIFY(!isSettled({60.0, 51.1, 50.0})); // 2.15 %
        QVERIFY(isSettled({51.1, 50.0}, 2.5));
        QVERIFY(!isSettled({50.0}));
    }

    void reListByFileName()
    {
        const ReList l = parseReList("file,Re\n# comment\n/a/b/u1.DTA, 6.2\n\"u2.DTA\";5.9\n");
        QVERIFY(l.ok());
        QCOMPARE(l.reFor(QStringLiteral("/x/u1.DTA")), 6.2);
        QCOMPARE(l.reFor(QStringLiteral("u2.DTA")), 5.9);
        QVERIFY(std::isnan(l.reFor(QStringLiteral("u3.DTA"))));
        QCOMPARE(parseReList("u1.DTA,6\nu2.DTA,six\n").badLine, 2);
    }
};

QTEST_APPLESS_MAIN(TestPopulation)
#include "tst_analysis_population.moc"
