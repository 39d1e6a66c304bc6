// Crossed gauge R&R by the ANOVA method. The figures are those of the example in AIAG's
// Measurement Systems Analysis reference manual (4th edition, 2010: 10 parts, 3 appraisers,
// 3 trials), tests/data/gauge/aiag-msa.csv, as tests/data/gauge/grr_reference.py works them
// out apart from the program (50 digits, totals formula, mpmath's incomplete beta).

#include "PgServer.h"
#include "core/analysis/population/FDistribution.h"
#include "core/qc/grr/GaugeCsv.h"
#include "core/qc/grr/GaugeMessages.h"
#include "core/qc/grr/GaugeStudy.h"
#include "core/qc/grr/StudyLog.h"
#include "core/qc/log/LogConnection.h"
#include "core/qc/log/LogMessages.h"
#include "core/qc/log/LogSchema.h"
#include "core/qc/log/LogTarget.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <memory>

class TestQcGrr : public QObject
{
    Q_OBJECT
private slots:
    void figures_data();
    void figures();
    void fTail_data();
    void fTail();
    void verdictBounds();
    void refused_data();
    void refused();
    void csv_data();
    void csv();
    void plan_data();
    void plan();
    void studyLog_data();
    void studyLog();
    void olderLogLeftAlone();
    void cli_data();
    void cli();

private:
    std::unique_ptr<PgServer> m_pg;
    QTemporaryDir m_dir;
};

namespace {

const QString kExample = QStringLiteral(VELO2_SHARED_DATA_DIR "/gauge/aiag-msa.csv");
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Relative 1e-9 (a zero must be zero): tails of 1e-53 are checked digit for digit too.
bool near(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || a == b || std::fabs(a - b) <= 1e-9 * std::fabs(b);
}

QVector<GaugeValue> example(double shift)
{
    GaugeCsv csv;
    if (!readGaugeCsv(kExample, QString(), &csv).isEmpty())
        return {};
    // grr_reference.py --shift: operator C reads parts 1-5 higher, an interaction to keep.
    for (GaugeValue &v : csv.values)
        if (v.appraiser == QLatin1String("C") && v.part.toInt() <= 5)
            v.value += shift;
    return csv.values;
}

using Table = QVector<QVector<double>>; // per row: df, SS, MS, F, p

struct Cli {
    int exitCode = -1;
    QJsonObject json;
    QString out;
    QString err;
};

Cli runCli(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(VELO2_BINARY_DIR "/tools/velo2-cli/velo2-cli"),
            QStringList{QStringLiteral("qc"), QStringLiteral("grr")} + args);
    Cli c;
    if (!p.waitForFinished(60000))
        return c;
    c.exitCode = p.exitCode();
    c.out = QString::fromUtf8(p.readAllStandardOutput());
    c.err = QString::fromUtf8(p.readAllStandardError());
    c.json = QJsonDocument::fromJson(c.out.toUtf8()).object();
    return c;
}

} // namespace

void TestQcGrr::figures_data()
{
    QTest::addColumn<double>("shift");
    QTest::addColumn<Table>("anova");
    QTest::addColumn<Table>("pooled");
    // EV, AV, INT, GRR, PV, TV and the percentages of the first five, then ndc
    QTest::addColumn<QVector<double>>("figures");
    QTest::newRow("published")
        << 0.0
        << Table{{9, 88.361934444444444444, 9.817992716049382716, 492.29142266407497741,
                  1.1630639949260032417e-19},
                 {2, 3.1672622222222222222, 1.5836311111111111111, 79.406049200827029503,
                  1.1744776063410381495e-9},
                 {18, 0.35898222222222222222, 0.01994345679012345679, 0.43372103013510320682,
                  0.97410640432904611516},
                 {60, 2.7589333333333333333, 0.045982222222222222222, kNaN, kNaN},
                 {89, 94.647112222222222222, kNaN, kNaN, kNaN}}
        << Table{{9, 88.361934444444444444, 9.817992716049382716, 245.61391038552347176,
                  2.021011794519504649e-53},
                 {2, 3.1672622222222222222, 1.5836311111111111111, 39.617245709740553162,
                  1.3375946238365107086e-12},
                 {78, 3.1179155555555555556, 0.039973276353276353276, kNaN, kNaN},
                 {89, 94.647112222222222222, kNaN, kNaN, kNaN}}
        << QVector<double>{0.19993317972081660782, 0.22683752149632232289, 0.0,
                           0.3023715223229046833,  1.0423274938380348052,  1.0852995632186301262,
                           18.421934965852437937,  20.900913368434354525,  0.0,
                           27.860650881142288556,  96.040533799428173629,  4};
    QTest::newRow("interaction kept")
        << 0.5
        << Table{{9, 88.121934444444444444, 9.7913260493827160494, 103.12797090405985629,
                  1.2453355734514519624e-13},
                 {2, 0.58059555555555555556, 0.29029777777777777778, 3.0575859315876115999,
                  0.071918280203186841964},
                 {18, 1.7089822222222222222, 0.09494345679012345679, 2.0647861760852288592,
                  0.019003194496454442266},
                 {60, 2.7589333333333333333, 0.045982222222222222222, kNaN, kNaN},
                 {89, 93.170445555555555556, kNaN, kNaN, kNaN}}
        << Table{}
        << QVector<double>{0.21443465723203938804, 0.080695791089675038678, 0.12775136603040197964,
                           0.26232507399111592444, 1.037967168855257761,    1.0706027685681760936,
                           20.029338941353967475,  7.5374166272330466575,   11.932657917675351089,
                           24.502558903518381566,  96.95166118834484461,    5};
}

void TestQcGrr::figures()
{
    QFETCH(double, shift);
    QFETCH(Table, anova);
    QFETCH(Table, pooled);
    QFETCH(QVector<double>, figures);
    GaugeResult r;
    QCOMPARE(analyseGaugeStudy(example(shift), &r), QString());
    QCOMPARE(r.interactionPooled, !pooled.isEmpty());
    auto compare = [](const QVector<AnovaRow> &got, const Table &want) {
        QCOMPARE(got.size(), want.size());
        for (int i = 0; i < want.size(); ++i) {
            const AnovaRow &g = got[i];
            QCOMPARE(g.df, int(want[i][0]));
            for (const auto &[value, expected] : {std::pair{g.ss, want[i][1]},
                                                  {g.ms, want[i][2]},
                                                  {g.f, want[i][3]},
                                                  {g.p, want[i][4]}})
                QVERIFY2(near(value, expected), qPrintable(QStringLiteral("row %1: %2, expected %3")
                                                               .arg(i)
                                                               .arg(value, 0, 'g', 17)
                                                               .arg(expected, 0, 'g', 17)));
        }
    };
    compare(r.anova, anova);
    compare(r.anovaPooled, pooled);
    const double got[] = {r.ev,    r.av,    r.interaction,    r.grr,    r.pv,    r.tv,
                          r.evPct, r.avPct, r.interactionPct, r.grrPct, r.pvPct, r.ndc};
    for (int i = 0; i < figures.size(); ++i)
        QVERIFY2(near(got[i], figures[i]), qPrintable(QString::number(i)));
    QCOMPARE(r.verdict, GaugeVerdict::Marginal);
}

void TestQcGrr::fTail_data()
{
    QTest::addColumn<double>("f");
    QTest::addColumn<double>("d1");
    QTest::addColumn<double>("d2");
    QTest::addColumn<double>("tail");
    // Two degrees of freedom above: P(F > f) = (1 + 2f / d2)^(-d2 / 2).
    for (const double f : {0.01, 1.0, 7.5, 400.0})
        QTest::addRow("d1=2 f=%g", f) << f << 2.0 << 13.0 << std::pow(1.0 + 2.0 * f / 13.0, -6.5);
    // One each: the Cauchy's 1 - 2 atan(sqrt f) / pi.
    QTest::newRow("d1=d2=1") << 3.0 << 1.0 << 1.0 << 1.0 - 2.0 * std::atan(std::sqrt(3.0)) / M_PI;
    QTest::newRow("zero") << 0.0 << 3.0 << 4.0 << 1.0;
    QTest::newRow("negative") << -1.0 << 3.0 << 4.0 << 1.0;
    QTest::newRow("infinite") << qInf() << 3.0 << 4.0 << 0.0;
    QTest::newRow("not a number") << kNaN << 3.0 << 4.0 << kNaN;
    QTest::newRow("no freedom") << 2.0 << 0.0 << 4.0 << kNaN;
}

void TestQcGrr::fTail()
{
    QFETCH(double, f);
    QFETCH(double, d1);
    QFETCH(double, d2);
    QFETCH(double, tail);
    const double got = FDistribution::upperTail(f, d1, d2);
    QVERIFY2(near(got, tail), qPrintable(QString::number(got, 'g', 17)));
}

void TestQcGrr::verdictBounds()
{
    QCOMPARE(gaugeVerdict(10.0), GaugeVerdict::Acceptable);
    QCOMPARE(gaugeVerdict(std::nextafter(10.0, 11.0)), GaugeVerdict::Marginal);
    QCOMPARE(gaugeVerdict(30.0), GaugeVerdict::Marginal);
    QCOMPARE(gaugeVerdict(std::nextafter(30.0, 31.0)), GaugeVerdict::Unacceptable);
}

void TestQcGrr::refused_data()
{
    QTest::addColumn<QVector<GaugeValue>>("values");
    QTest::addColumn<bool>("withShape");
    QTest::addColumn<QString>("problem");
    const QVector<GaugeValue> all = example(0.0);
    QVector<GaugeValue> values = all;
    values.removeAt(40); // part 1, operator B, trial 2
    QTest::newRow("trial missing") << values << false << GaugeMessages::missingCell("1", "B", 2, 0);
    values = all;
    values[3].trial = 2;
    QTest::newRow("trial twice") << values << false << GaugeMessages::repeatedCell("4", "A", 2);
    values = all;
    values[0].value = kNaN;
    QTest::newRow("not a number") << values << false << GaugeMessages::notANumber("1", "A", 1);
    values.clear();
    for (const GaugeValue &v : all)
        if (v.appraiser == QLatin1String("A"))
            values << v;
    QTest::newRow("one operator") << values << false << GaugeMessages::tooSmall(10, 1, 3);
    values.clear();
    for (const GaugeValue &v : all)
        if (v.trial == 1)
            values << v;
    QTest::newRow("one trial") << values << false << GaugeMessages::tooSmall(10, 3, 1);
    QTest::newRow("none") << QVector<GaugeValue>{} << false << GaugeMessages::noValues();
    values = all;
    for (GaugeValue &v : values)
        v.value = 2.5;
    QTest::newRow("no variation") << values << false << GaugeMessages::noVariation();
    // The study as set up: 10 parts, operators A and B, 3 trials.
    QTest::newRow("outside the study") << all << true << GaugeMessages::notInStudy("1", "C", 1);
    values.clear();
    for (const GaugeValue &v : all)
        if (v.appraiser != QLatin1String("C") && !(v.part == QLatin1String("10") && v.trial == 3))
            values << v;
    QTest::newRow("last trials missing")
        << values << true << GaugeMessages::missingCell("10", "A", 3, 1);
}

void TestQcGrr::refused()
{
    QFETCH(QVector<GaugeValue>, values);
    QFETCH(bool, withShape);
    QFETCH(QString, problem);
    GaugeShape shape;
    for (int i = 1; i <= 10; ++i)
        shape.parts << QString::number(i);
    shape.appraisers = QStringList{"A", "B"};
    shape.trials = 3;
    GaugeResult r;
    r.ev = -1.0;
    QCOMPARE(analyseGaugeStudy(values, &r, withShape ? &shape : nullptr), problem);
    QCOMPARE(r.ev, -1.0); // nothing given back
}

void TestQcGrr::csv_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("parameter");
    QTest::addColumn<QString>("problem"); // after "FILE: "
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("no header") << "1,A,1,0.5\n1,A,2,0.25\n"
                               << ""
                               << "" << 2 << "";
    QTest::newRow("header in another order") << "# c\n\nValue,Trial,Appraiser,Part\n0.5,1,A,1\n"
                                             << ""
                                             << "" << 1 << "";
    QTest::newRow("one parameter named") << "part,operator,trial,value,parameter\n1,A,1,0.5,Fs\n"
                                         << ""
                                         << "" << 1 << "Fs";
    const QString two = "part,operator,trial,value,parameter\n1,A,1,0.5,Fs\n1,A,1,9,Qts\n"
                        "1,A,2,8,Qts\n";
    QTest::newRow("parameter chosen") << two << "Qts"
                                      << "" << 2 << "Qts";
    QTest::newRow("two parameters")
        << two << "" << GaugeMessages::chooseParameter({"Fs", "Qts"}) << 0 << "";
    QTest::newRow("parameter absent")
        << two << "Re" << GaugeMessages::noParameterRows("Re", {"Fs", "Qts"}) << 0 << "";
    QTest::newRow("column missing")
        << "part,trial,value\n"
        << ""
        << "line 1: " + GaugeMessages::csvMissingColumn("operator") << 0 << "";
    QTest::newRow("short row") << "1,A,1\n"
                               << ""
                               << "line 1: " + GaugeMessages::csvFieldCount(3, 4) << 0 << "";
    QTest::newRow("trial 0") << "1,A,0,1\n"
                             << ""
                             << "line 1: " + GaugeMessages::csvBadTrial("0") << 0 << "";
    QTest::newRow("bad value") << "1,A,1,x\n"
                               << ""
                               << "line 1: " + GaugeMessages::csvBadValue("x") << 0 << "";
    QTest::newRow("no operator") << "1,,1,2\n"
                                 << ""
                                 << "line 1: " + GaugeMessages::csvEmptyName("operator") << 0 << "";
}

void TestQcGrr::csv()
{
    QFETCH(QString, text);
    QFETCH(QString, parameter);
    QFETCH(QString, problem);
    QFETCH(int, count);
    QFETCH(QString, chosen);
    QTemporaryDir dir;
    const QString path = dir.filePath("study.csv");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text.toUtf8());
    f.close();
    GaugeCsv csv;
    const QString got = readGaugeCsv(path, parameter, &csv);
    QCOMPARE(got, problem.startsWith("line") ? path + ": " + problem : problem);
    if (!problem.isEmpty())
        return;
    QCOMPARE(csv.values.size(), count);
    QCOMPARE(csv.parameter, chosen);
    const GaugeValue &v = csv.values.first();
    QCOMPARE(QStringList({v.part, v.appraiser}), QStringList({"1", "A"}));
    QCOMPARE(v.trial, 1);
    QCOMPARE(v.value, chosen == "Qts" ? 9.0 : 0.5);
}

void TestQcGrr::plan_data()
{
    QTest::addColumn<GaugeStudyPlan>("plan");
    QTest::addColumn<QString>("problem");
    const GaugeStudyPlan ok{"g", 10, {"A", "B", "C"}, 3};
    QTest::newRow("10 x 3 x 3") << ok << "";
    GaugeStudyPlan p = ok;
    p.name = "  ";
    QTest::newRow("no name") << p << GaugeMessages::badStudyName();
    p.name = QString(65, 'n');
    QTest::newRow("name too long") << p << GaugeMessages::badStudyName();
    for (const auto &[parts, trials] : {std::pair{1, 3}, {101, 3}, {10, 1}, {10, 21}}) {
        p = ok;
        p.parts = parts;
        p.trials = trials;
        QTest::addRow("%d parts, %d trials", parts, trials) << p << GaugeMessages::badStudyShape();
    }
    for (const QStringList &appraisers :
         {QStringList{"A"}, QStringList{"A", "A"}, QStringList{"A", " B"}, QStringList{"A", ""}}) {
        p = ok;
        p.appraisers = appraisers;
        QTest::addRow("operators %s", qPrintable(appraisers.join('|')))
            << p << GaugeMessages::badAppraisers();
    }
}

void TestQcGrr::plan()
{
    QFETCH(GaugeStudyPlan, plan);
    QFETCH(QString, problem);
    QCOMPARE(checkGaugeStudyPlan(plan), problem);
}

void TestQcGrr::studyLog_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("sqlite") << "sqlite";
    QTest::newRow("postgresql") << "postgresql";
}

// The station's way into the log: the study set up, its cells measured one by one in the
// manual's order, worked out from the log as from the CSV, by velo2-cli too.
void TestQcGrr::studyLog()
{
    QFETCH(QString, kind);
    QString target = m_dir.filePath(QStringLiteral("study.sqlite"));
    if (kind == QLatin1String("postgresql")) {
        if (!m_pg) {
            QVERIFY2(PgServer::available(), "PostgreSQL 15 is not installed");
            m_pg = std::make_unique<PgServer>();
            QVERIFY2(m_pg->setUp(), qPrintable(m_pg->error()));
        }
        target = m_pg->socketUri();
    }
    LogConnection c;
    QString error;
    QVERIFY2(openStudyLogToWrite(target, &c, &error), qPrintable(error));
    const GaugeStudyPlan plan{QStringLiteral("gauge 1"), 10, {"A", "B", "C"}, 3};
    QVector<GaugeCell> done;
    QVERIFY2(StudyLog::open(c.db(), plan, "st1", &done, &error), qPrintable(error));
    QVERIFY(done.isEmpty());
    const QVector<GaugeValue> values = example(0.0);
    auto valueOf = [&values](const GaugeCell &c) {
        for (const GaugeValue &v : values)
            if (v.part.toInt() == c.part && v.appraiser == c.appraiser && v.trial == c.trial)
                return v.value;
        return 0.0;
    };
    const QDateTime now = QDateTime::currentDateTimeUtc();
    // In the manual's order: A measures every part, then B, then C; then the next trial.
    GaugeCell next;
    while (nextGaugeCell(plan, done, &next) && !(next == GaugeCell{10, "C", 3})) {
        if (done.size() == 10)
            QCOMPARE(next, (GaugeCell{1, "B", 1}));
        if (done.size() == 30)
            QCOMPARE(next, (GaugeCell{1, "A", 2}));
        const double v = valueOf(next);
        QVERIFY2(
            StudyLog::record(c.db(), plan, next, {{"Fs", v}, {"Qts", 2 * v}}, "st1", now, &error),
            qPrintable(error));
        done << next;
    }
    QCOMPARE(done.size(), plan.cellCount() - 1);
    // One cell short: refused, nothing changed by it.
    QString parameter = QStringLiteral("Fs");
    GaugeResult fromLog;
    QVERIFY(!analyseLoggedStudy(target, plan.name, &parameter, &fromLog, &error));
    QCOMPARE(error, "gauge 1: " + GaugeMessages::missingCell("10", "C", 3, 0));
    const Cli refused = runCli({"--db", target, "--study", plan.name, "--parameter", "Fs"});
    QCOMPARE(refused.exitCode, 1);
    QVERIFY2(refused.err.contains(GaugeMessages::missingCell("10", "C", 3, 0)),
             qPrintable(refused.err));
    // A slip of the hand: the same cell measured twice keeps the last value.
    QVERIFY(StudyLog::record(c.db(), plan, {10, "C", 3}, {{"Fs", 99.0}, {"Qts", 0.0}}, "st1", now,
                             &error));
    QVERIFY(StudyLog::record(c.db(), plan, {10, "C", 3},
                             {{"Fs", values.last().value}, {"Qts", 2 * values.last().value}}, "st1",
                             now, &error));
    QVERIFY(!StudyLog::record(c.db(), plan, {11, "C", 3}, {{"Fs", 1.0}}, "st1", now, &error));
    QCOMPARE(error, GaugeMessages::cellOutsideStudy(plan.name, 11, "C", 3));

    // Set up again: the same shape goes on where it was, another is refused.
    QVERIFY(StudyLog::open(c.db(), plan, "st2", &done, &error));
    QCOMPARE(done.size(), plan.cellCount());
    QVERIFY(!nextGaugeCell(plan, done, &next));
    GaugeStudyPlan other = plan;
    other.trials = 2;
    QVERIFY(!StudyLog::open(c.db(), other, "st2", &done, &error));
    QCOMPARE(error, GaugeMessages::studyOtherShape(plan.name, 10, 3, 3));

    GaugeResult fromCsv;
    QCOMPARE(analyseGaugeStudy(values, &fromCsv), QString());
    QVERIFY2(analyseLoggedStudy(target, plan.name, &parameter, &fromLog, &error),
             qPrintable(error));
    QCOMPARE(fromLog.grrPct, fromCsv.grrPct);
    QCOMPARE(fromLog.anova[2].p, fromCsv.anova[2].p);
    parameter.clear();
    QVERIFY(!analyseLoggedStudy(target, plan.name, &parameter, &fromLog, &error));
    QCOMPARE(error, GaugeMessages::chooseParameter({"Fs", "Qts"}));
    parameter = QStringLiteral("Qts");
    QVERIFY(analyseLoggedStudy(target, plan.name, &parameter, &fromLog, &error));
    QCOMPARE(fromLog.ndc, fromCsv.ndc); // twice the values, the same shares

    const Cli cli = runCli({"--db", target, "--study", plan.name, "--parameter", "Fs", "--json"});
    QCOMPARE(cli.exitCode, 0);
    QCOMPARE(cli.json["GRR_pct"].toDouble(), fromCsv.grrPct);
    QCOMPARE(cli.json["study"].toString(), plan.name);
    QCOMPARE(cli.json["parameter"].toString(), QStringLiteral("Fs"));
    QVERIFY(!analyseLoggedStudy(target, "gauge 2", &parameter, &fromLog, &error));
    QCOMPARE(error, GaugeMessages::noStudy("gauge 2", parseLogTarget(target).display()));
}

// A log from before gauge studies: read, it is left as it was; written, it gains them.
void TestQcGrr::olderLogLeftAlone()
{
    const QString path = m_dir.filePath(QStringLiteral("old.sqlite"));
    QString error;
    {
        LogConnection c;
        QVERIFY(c.open(parseLogTarget(path)));
        QVERIFY(LogSchema::migrate(c.db(), &error, 4));
    }
    QString parameter;
    GaugeResult r;
    QVERIFY(!analyseLoggedStudy(path, "g", &parameter, &r, &error));
    QCOMPARE(error, GaugeMessages::noStudy("g", path));
    const Cli cli = runCli({"--db", path, "--study", "g"});
    QCOMPARE(cli.exitCode, 1);
    LogConnection c;
    QVERIFY(c.open(parseLogTarget(path)));
    QCOMPARE(LogSchema::version(c.db()), 4);
    c.close();
    QVERIFY(openStudyLogToWrite(path, &c, &error));
    QCOMPARE(LogSchema::version(c.db()), LogSchema::kVersion);
}

void TestQcGrr::cli_data()
{
    QTest::addColumn<QStringList>("args"); // EXAMPLE: the published CSV
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("text") << QStringList{"--csv", "EXAMPLE"} << 0
                          << "GRR                             0.30237    27.86"
                          << "";
    QTest::newRow("both sources") << QStringList{"--csv", "EXAMPLE", "--db", "x.sqlite"} << 2 << ""
                                  << "--csv and --db";
    QTest::newRow("no source") << QStringList{"--json"} << 2 << ""
                               << "--csv FILE | --db URL";
    QTest::newRow("no study") << QStringList{"--db", "x.sqlite"} << 2 << ""
                              << "--study NAME";
    QTest::newRow("no log") << QStringList{"--db", "none.sqlite", "--study", "g"} << 1 << ""
                            << LogMessages::noSuchLog("none.sqlite");
}

void TestQcGrr::cli()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    args.replaceInStrings("EXAMPLE", kExample);
    const Cli c = runCli(args);
    QCOMPARE(c.exitCode, exitCode);
    QVERIFY2(c.out.contains(out), qPrintable(c.out));
    QVERIFY2(c.err.contains(err), qPrintable(c.err));
    QCOMPARE(c.err.isEmpty(), err.isEmpty());
}

QTEST_GUILESS_MAIN(TestQcGrr)
#include "tst_qc_grr.moc"
