#include "PgServer.h"
#include "core/qc/log/LogConnection.h"
#include "core/qc/log/LogSchema.h"
#include "core/qc/log/LogStore.h"
#include "core/qc/spc/SpcChart.h"
#include "core/qc/spc/SpcPeriods.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <ctime>

namespace {

// The hand case: five values, their moving ranges 2, 1, 2, 1.
const std::vector<double> kHand{10, 12, 11, 13, 12};
const char kCli[] = VELO2_BINARY_DIR "/tools/velo2-cli/velo2-cli";

struct Run {
    int code = -1;
    QByteArray out;
    QString err;
};

Run run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    Run r;
    if (!p.waitForFinished(120000))
        return r;
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

} // namespace

class TestQcSpc : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void limitsAndCapabilityOfTheHandCase();
    void westernElectricRules_data();
    void westernElectricRules();
    void shiftTables_data();
    void shiftTables();
    void reportOptions_data();
    void reportOptions();
    void htmlRendersInChromium();

private:
    QTemporaryDir m_dir;
    QString m_log;
    std::unique_ptr<PgServer> m_pg;
};

namespace {

// The hand case's units: three on one day, two on the next (Tokyo and UTC alike).
void fill(const QString &target)
{
    LogConnection c;
    QVERIFY2(c.open(parseLogTarget(target)), qPrintable(c.message()));
    QString error;
    QVERIFY2(LogSchema::migrate(c.db(), &error), qPrintable(error));
    RecordWriter writer(c.db());
    const char *const times[] = {"2026-03-01T00:30:00Z", "2026-03-01T01:00:00Z",
                                 "2026-03-01T02:00:00Z", "2026-03-02T00:30:00Z",
                                 "2026-03-02T01:00:00Z"};
    for (int i = 0; i < 5; ++i) {
        QcRecord r;
        r.station = i < 3 ? QStringLiteral("st1") : QStringLiteral("st2");
        r.runId = QStringLiteral("run-%1").arg(i);
        r.timeUtc = QDateTime::fromString(QLatin1String(times[i]), Qt::ISODate);
        r.limitsName = QStringLiteral("woofer v1");
        r.passed = i != 3;
        if (!r.passed) {
            r.failures << QStringLiteral("Rmax 52 above 50");
            r.dataFile = QStringLiteral("/data/u3.DTA");
        }
        r.parameters << QcParameter{QStringLiteral("Fs"), kHand[std::size_t(i)], 8.0, 14.0};
        bool added = false;
        QVERIFY2(writer.write(r, &added) && added, qPrintable(writer.error()));
    }
}

} // namespace

void TestQcSpc::initTestCase()
{
    // Tokyo has no daylight saving: a unit at 00:30 UTC is at 09:30 on the same local day.
    qputenv("TZ", "Asia/Tokyo");
    tzset();
    m_log = m_dir.filePath(QStringLiteral("log.sqlite"));
    fill(m_log);
    QVERIFY2(PgServer::available(), "PostgreSQL 15 is not installed (./run test installs it)");
    m_pg = std::make_unique<PgServer>();
    QVERIFY2(m_pg->setUp(), qPrintable(m_pg->error()));
    fill(m_pg->socketUri());
}

void TestQcSpc::limitsAndCapabilityOfTheHandCase()
{
    const ImrLimits l = imrLimits(kHand);
    QCOMPARE(l.centre, 11.6);
    QCOMPARE(l.mrBar, 1.5);
    QCOMPARE(l.upper, 11.6 + 2.66 * 1.5);
    QCOMPARE(l.lower, 11.6 - 2.66 * 1.5);
    QCOMPARE(l.mrUpper, 3.267 * 1.5);
    QCOMPARE(l.mrLower, 0.0);
    // σ within 1.5 / 1.128; overall sqrt(5.2 / 4); the nearer limit is 14, 2.4 away.
    const Capability c = capability(l.centre, l.sigmaWithin(), std::sqrt(1.3), 8.0, 14.0);
    QCOMPARE(c.cpk, 0.6016);
    QCOMPARE(c.ppk, 2.4 / (3.0 * std::sqrt(1.3)));
    QVERIFY(std::isnan(capability(11.6, 0.0, 1.0, 8.0, 14.0).cpk));
}

void TestQcSpc::westernElectricRules_data()
{
    QTest::addColumn<QVector<double>>("values"); // centre 0, σ 1
    QTest::addColumn<QVector<int>>("flags");
    QTest::newRow("beyond 3 sigma") << QVector<double>{0.5, 3.01, -3.5} << QVector<int>{0, 1, 1};
    QTest::newRow("on 3 sigma is not beyond") << QVector<double>{3.0} << QVector<int>{2 * 0};
    QTest::newRow("2 of 3 beyond 2 sigma")
        << QVector<double>{2.5, 0.0, 2.2, -2.5} << QVector<int>{0, 0, 2, 0};
    QTest::newRow("2 of 3, other sides")
        << QVector<double>{2.5, -2.5, 0.5} << QVector<int>{0, 0, 0};
    QTest::newRow("4 of 5 beyond 1 sigma")
        << QVector<double>{1.5, 1.5, 0.5, 1.5, 1.5, -0.5} << QVector<int>{0, 0, 0, 0, 4, 0};
    QTest::newRow("8 on one side")
        << QVector<double>{0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, -0.1}
        << QVector<int>{0, 0, 0, 0, 0, 0, 0, 8, 8, 0};
    QTest::newRow("7 then the centre") << QVector<double>{0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.0}
                                       << QVector<int>{0, 0, 0, 0, 0, 0, 0, 0};
}

void TestQcSpc::westernElectricRules()
{
    QFETCH(QVector<double>, values);
    QFETCH(QVector<int>, flags);
    const std::vector<std::uint8_t> got =
        westernElectricFlags(std::vector<double>(values.begin(), values.end()), 0.0, 1.0);
    QCOMPARE(QVector<int>(got.begin(), got.end()), flags);
}

void TestQcSpc::shiftTables_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("labels"); // or the start of the message
    QTest::newRow("three, past midnight")
        << defaultShifts() << QStringLiteral("06:00-14:00,14:00-22:00,22:00-06:00");
    QTest::newRow("gaps are allowed")
        << QStringLiteral("6:00-8:00, 20:00-24:00") << QStringLiteral("06:00-08:00,20:00-00:00");
    QTest::newRow("overlap") << QStringLiteral("06:00-14:00,13:30-22:00")
                             << QStringLiteral("the shifts 06:00-14:00 and 13:30-22:00 overlap "
                                               "(both hold 13:30)");
    QTest::newRow("overlap past midnight") << QStringLiteral("22:00-06:00,05:00-07:00")
                                           << QStringLiteral("the shifts 22:00-06:00 and "
                                                             "05:00-07:00 overlap (both hold "
                                                             "05:00)");
    QTest::newRow("no end") << QStringLiteral("06:00") << QStringLiteral("'06:00' is not a shift");
    QTest::newRow("25 h") << QStringLiteral("06:00-25:00")
                          << QStringLiteral("'06:00-25:00' is not a shift");
    QTest::newRow("empty") << QStringLiteral("08:00-08:00")
                           << QStringLiteral("the shift '08:00-08:00' starts and ends");
}

void TestQcSpc::shiftTables()
{
    QFETCH(QString, text);
    QFETCH(QString, labels);
    QVector<SpcShift> shifts;
    QString error;
    const bool ok = parseShifts(text, &shifts, &error);
    QStringList got;
    for (const SpcShift &s : shifts)
        got << s.label();
    QVERIFY2(ok ? got.join(QLatin1Char(',')) == labels : error.startsWith(labels),
             qPrintable(ok ? got.join(QLatin1Char(',')) : error));
}

void TestQcSpc::reportOptions_data()
{
    QTest::addColumn<bool>("server"); // the same log on PostgreSQL
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("json"); // key path=value pairs, or the error's text
    QTest::newRow("unchanged without the new options")
        << false << QStringList{"--json"} << 0 << QStringLiteral("units=5;spc=");
    QTest::newRow("chart and capability")
        << false << QStringList{"--json", "--charts"} << 0
        << QStringLiteral("spc/Fs/chart/ucl=15.59;spc/Fs/chart/mrUcl=4.9005;spc/Fs/chart/"
                          "mrLcl=0;spc/Fs/cpk=0.6016;spc/Fs/n=5;by=day");
    // Local days in Tokyo: 10, 12, 11 (MR̄ 1.5, σ within 1.5/1.128), then 13, 12 (MR̄ 1).
    QTest::newRow("per local day")
        << false << QStringList{"--json", "--by", "day"} << 0
        << QStringLiteral("spc/Fs/periods/0/period=2026-03-01;spc/Fs/periods/0/cpk=0.752;"
                          "spc/Fs/periods/1/n=2;spc/Fs/periods/1/cpk=0.564;spc/Fs/cpkTrend=-0.188");
    QTest::newRow("per shift, local time")
        << false << QStringList{"--json", "--by", "shift", "--shifts", "08:00-10:00,10:00-12:00"}
        << 0
        << QStringLiteral("spc/Fs/periods/0/period=2026-03-01 08:00-10:00;spc/Fs/periods/0/n=1;"
                          "spc/Fs/periods/1/n=2;spc/Fs/periods/3/n=1;outsideShifts=0");
    QTest::newRow("chart and capability, server")
        << true << QStringList{"--json", "--charts", "--by", "day"} << 0
        << QStringLiteral("spc/Fs/chart/ucl=15.59;spc/Fs/cpk=0.6016;spc/Fs/periods/1/cpk=0.564");
    QTest::newRow("per station") << false << QStringList{"--json", "--by", "station"} << 0
                                 << QStringLiteral(
                                        "spc/Fs/periods/1/period=st2;spc/Fs/periods/1/mrBar=1");
    QTest::newRow("overlapping shifts")
        << false << QStringList{"--by", "shift", "--shifts", "06:00-14:00,13:00-22:00"} << 2
        << QStringLiteral("overlap");
    QTest::newRow("empty period") << false << QStringList{"--by", "day", "--since", "2030-01-01"}
                                  << 1 << QStringLiteral("holds no unit checked since 2030-01-01");
    QTest::newRow("charts without json")
        << false << QStringList{"--charts"} << 2 << QStringLiteral("--charts needs --json");
    QTest::newRow("by week") << false << QStringList{"--by", "week"} << 2
                             << QStringLiteral("expected day, shift or station");
}

void TestQcSpc::reportOptions()
{
    QFETCH(QStringList, args);
    QFETCH(int, code);
    QFETCH(QString, json);
    const Run r =
        run(QLatin1String(kCli), QStringList{QStringLiteral("qc"), QStringLiteral("report"),
                                             QStringLiteral("--db"), m_log} +
                                     args);
    QCOMPARE(r.code, code);
    if (code != 0) {
        QVERIFY2(r.err.contains(json), qPrintable(r.err));
        return;
    }
    const QJsonObject root = QJsonDocument::fromJson(r.out).object();
    for (const QString &pair : json.split(QLatin1Char(';'))) {
        const QString path = pair.section(QLatin1Char('='), 0, 0);
        const QString want = pair.section(QLatin1Char('='), 1);
        QJsonValue v = root;
        for (const QString &key : path.split(QLatin1Char('/')))
            v = v.isArray() ? v.toArray().at(key.toInt()) : v.toObject().value(key);
        if (want.isEmpty())
            QVERIFY2(v.isUndefined(), qPrintable(path));
        else if (v.isString())
            QCOMPARE(v.toString(), want);
        else
            QVERIFY2(std::abs(v.toDouble() - want.toDouble()) < 1e-9,
                     qPrintable(path + QStringLiteral(" = ") + QString::number(v.toDouble())));
    }
}

void TestQcSpc::htmlRendersInChromium()
{
    const QString page = m_dir.filePath(QStringLiteral("report.html"));
    const Run made =
        run(QLatin1String(kCli), {QStringLiteral("qc"), QStringLiteral("report"),
                                  QStringLiteral("--db"), m_log, QStringLiteral("--html"), page});
    QVERIFY2(made.code == 0, qPrintable(made.err));
    QFile f(page);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray html = f.readAll();
    // Self-contained: nothing to fetch, nothing to run.
    QVERIFY(!html.contains("<script") && !html.contains("http:") && !html.contains("https:"));
    QVERIFY(html.contains("Rmax 52 above 50") && html.contains("/data/u3.DTA"));

    const QString chromium = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (chromium.isEmpty())
        QSKIP("chromium is not installed");
    const QString shot = m_dir.filePath(QStringLiteral("shot.png"));
    const Run shown = run(
        chromium, {QStringLiteral("--headless"), QStringLiteral("--disable-gpu"),
                   QStringLiteral("--no-sandbox"), QStringLiteral("--enable-logging=stderr"),
                   QStringLiteral("--v=0"), QStringLiteral("--screenshot=") + shot,
                   QStringLiteral("--window-size=1024,900"), QUrl::fromLocalFile(page).toString()});
    QCOMPARE(shown.code, 0);
    QVERIFY2(!shown.err.contains(QLatin1String(":CONSOLE")), qPrintable(shown.err));
    const QImage image(shot);
    QCOMPARE(image.size(), QSize(1024, 900));

    // The golden layout: the three plots of Fs, each a band of the plot colour with the data
    // drawn in it, at its place within a few pixels whatever the fonts.
    struct Band {
        int top = -1;
        int bottom = -1;
        int left = 0;
        int right = 0;
        int data = 0;
    };
    QVector<Band> bands;
    const QRgb plot = qRgb(0xf3, 0xf6, 0xfa);
    for (int y = 0; y < image.height(); ++y) {
        int first = -1, last = -1, run = 0, longest = 0;
        for (int x = 0; x < image.width(); ++x) {
            run = image.pixel(x, y) == plot ? run + 1 : 0;
            if (run > longest) {
                longest = run;
                last = x;
                first = x - run + 1;
            }
        }
        if (longest < 20) // a row the plot's own data covers is still part of its band
            continue;
        if (bands.isEmpty() || y > bands.last().bottom + 4)
            bands.append({y, y, first, last, 0});
        Band &b = bands.last();
        b.bottom = y;
        b.left = std::min(b.left, first);
        b.right = std::max(b.right, last);
    }
    for (Band &b : bands)
        for (int y = b.top; y <= b.bottom; ++y)
            for (int x = b.left; x <= b.right; ++x) {
                const QColor c = image.pixelColor(x, y);
                b.data += c.blue() > 120 && c.red() < 120 ? 1 : 0;
            }
    // left, top, right, bottom of the individuals, moving-range and histogram plots (the
    // histogram's bars and limits cut its rows, so its longest bare stretch is narrower).
    const QVector<QRect> golden{QRect(QPoint(85, 221), QPoint(868, 402)),
                                QRect(QPoint(85, 425), QPoint(868, 516)),
                                QRect(QPoint(108, 539), QPoint(593, 638))};
    QCOMPARE(bands.size(), golden.size());
    for (int i = 0; i < golden.size(); ++i) {
        const QRect got(QPoint(bands[i].left, bands[i].top),
                        QPoint(bands[i].right, bands[i].bottom));
        const int off = std::max({std::abs(got.left() - golden[i].left()),
                                  std::abs(got.top() - golden[i].top()),
                                  std::abs(got.right() - golden[i].right()),
                                  std::abs(got.bottom() - golden[i].bottom())});
        QVERIFY2(off <= 4 && bands[i].data > 100,
                 qPrintable(QStringLiteral("plot %1 at %2,%3-%4,%5 with %6 data pixels")
                                .arg(i)
                                .arg(got.left())
                                .arg(got.top())
                                .arg(got.right())
                                .arg(got.bottom())
                                .arg(bands[i].data)));
    }
}

QTEST_GUILESS_MAIN(TestQcSpc)
#include "tst_qc_spc.moc"
