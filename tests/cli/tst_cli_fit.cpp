// velo2-cli fit on measurements the simulated unit made: a real driver's curve replayed and
// the simulator's own LR-2 model, measured with velo2-cli measure, then fitted.

#include "CliTestSupport.h"
#include "SimulatedUnit.h"

#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

class TestCliFit : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void fitsMeasuredCurve_data();
    void fitsMeasuredCurve();
    void noFit_data();
    void noFit();
    void wrongUsage_data();
    void wrongUsage();

private:
    QString measure(const QStringList &simArgs, int band, const QString &name);
    QTemporaryDir m_dir;
};

// One sweep of the simulated unit into a data file, as a user would make it.
QString TestCliFit::measure(const QStringList &simArgs, int band, const QString &name)
{
    SimulatedUnit sim;
    const QString link = m_dir.filePath(QStringLiteral("COM7"));
    if (!sim.start(link, simArgs + QStringList{QStringLiteral("--fast")}))
        return {};
    const QString out = m_dir.filePath(name);
    const cli::Result r =
        cli::run({"measure", "--port", link, "--band", QString::number(band), "-o", out});
    return r.exitCode == 0 ? out : QString();
}

void TestCliFit::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void TestCliFit::fitsMeasuredCurve_data()
{
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<QStringList>("fitArgs");
    QTest::addColumn<QString>("key");
    QTest::addColumn<double>("expected");
    QTest::addColumn<double>("tolerance"); // relative
    const QString seas = QStringLiteral(VELO2_SHARED_DATA_DIR "/real-drivers/seas_l16rnx_0g.zma");
    QTest::newRow("SEAS semi Fs") << QStringList{"--curve", seas}
                                  << QStringList{"--model", "semi", "--re", "5.721"} << "Fs_Hz"
                                  << 44.985 << 0.01;
    QTest::newRow("simulator LR-2, Re free, 30..3000 Hz")
        << QStringList{"--driver", "Re=6.2,Le=0.4,Fs=48,Qms=4,Qes=0.5,R2=4,L2=1"}
        << QStringList{"--model", "lr2", "--re-free", "--from", "30", "--to", "3000"} << "L2_mH"
        << 1.0 << 0.002;
}

void TestCliFit::fitsMeasuredCurve()
{
    QFETCH(QStringList, simArgs);
    QFETCH(QStringList, fitArgs);
    QFETCH(QString, key);
    QFETCH(double, expected);
    QFETCH(double, tolerance);
    const QString dta = measure(simArgs, 1, QStringLiteral("fit.DTA"));
    QVERIFY(!dta.isEmpty());
    const QString zma = m_dir.filePath(QStringLiteral("fitted.zma"));
    QFile::remove(zma);
    const cli::Result r = cli::run(QStringList{"fit", dta, "--json", "--zma", zma} + fitArgs);
    QVERIFY2(r.exitCode == 0, qPrintable(r.errText()));
    const QJsonObject o = r.json().object();
    QCOMPARE(o.value("file").toString(), dta);
    QVERIFY2(std::fabs(o.value(key).toDouble() / expected - 1) <= tolerance,
             qPrintable(QString::number(o.value(key).toDouble())));
    for (const char *k : {"Re_ohm", "Le_mH", "Res_ohm", "Lces_mH", "Cmes_uF", "R2_ohm", "L2_mH",
                          "Fs_Hz", "Qms", "Qes", "Qts"}) {
        QVERIFY2(o.contains(k) && o.contains(QString(k) + "_stderr"), k);
    }
    QCOMPARE(o.value("reFixed").toBool(), fitArgs.contains("--re"));
    QVERIFY(o.value("rmsMagPct").isDouble() && o.value("rmsPhaseDeg").isDouble());
    QVERIFY(o.value("iterations").toInt() > 0);
    QVERIFY(
        QStringList({"excellent", "good", "fair", "poor"}).contains(o.value("grade").toString()));

    // The fitted curve: one line per point of the measurement, after the two comment lines.
    QFile file(zma);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QCOMPARE(lines.size(), 2 + 400 + 1);
    QVERIFY(lines.front().startsWith("* VELO2: fit.DTA fit, band 1 "));
    QCOMPARE(lines[2].split('\t').size(), 3);

    // The text form shows the same grade.
    const cli::Result text = cli::run(QStringList{"fit", dta} + fitArgs);
    QCOMPARE(text.exitCode, 0);
    QVERIFY(text.out.contains("grade") && text.out.contains(o.value("grade").toString().toUtf8()));
}

void TestCliFit::noFit_data()
{
    QTest::addColumn<int>("band");
    QTest::addColumn<QStringList>("fitArgs");
    QTest::addColumn<QString>("message");
    QTest::newRow("band without resonance")
        << 6 << QStringList{"--model", "semi", "--re", "5.7"} << "no resonance in the range";
    QTest::newRow("three points") << 1 << QStringList{"--model", "classic", "--re", "5.7",
                                                      "--from",  "40",      "--to", "42"}
                                  << "too few points to fit the classic model: 3 in the range";
    QTest::newRow("Re above the peak")
        << 1 << QStringList{"--model", "lr2", "--re", "90"} << "Re must be a number above 0";
}

void TestCliFit::noFit()
{
    QFETCH(int, band);
    QFETCH(QStringList, fitArgs);
    QFETCH(QString, message);
    const QString dta = measure({}, band, QStringLiteral("band%1.DTA").arg(band));
    QVERIFY(!dta.isEmpty());
    const cli::Result r = cli::run(QStringList{"fit", dta} + fitArgs);
    QCOMPARE(r.exitCode, 1);
    QVERIFY(r.out.isEmpty());
    QVERIFY2(r.errText().startsWith("velo2-cli fit: " + dta + ": " + message),
             qPrintable(r.errText()));
}

void TestCliFit::wrongUsage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::newRow("no model") << QStringList{"x.DTA", "--re", "6"} << "missing --model M";
    QTest::newRow("unknown model") << QStringList{"x.DTA", "--model", "wright", "--re", "6"}
                                   << "--model 'wright': the model must be classic, lr2 or semi";
    QTest::newRow("no Re") << QStringList{"x.DTA", "--model", "semi"}
                           << "give either --re OHMS or --re-free";
    QTest::newRow("both Re") << QStringList{"x.DTA", "--model", "semi", "--re", "6", "--re-free"}
                             << "give either --re OHMS or --re-free";
    QTest::newRow("bad from") << QStringList{"x.DTA",     "--model", "semi",
                                             "--re-free", "--from",  "-5"}
                              << "--from '-5': the frequency must be a number above 0 Hz";
    QTest::newRow("reversed") << QStringList{"x.DTA",  "--model", "semi", "--re-free",
                                             "--from", "500",     "--to", "50"}
                              << "--from 500 Hz must be below --to 50 Hz";
    QTest::newRow("zma to stdout")
        << QStringList{"x.DTA", "--model", "semi", "--re-free", "--zma", "-"} << "--zma needs";
}

void TestCliFit::wrongUsage()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    const cli::Result r = cli::run(QStringList{"fit"} + args);
    QCOMPARE(r.exitCode, 2);
    QVERIFY2(r.errText().startsWith("velo2-cli fit: " + message), qPrintable(r.errText()));
}

QTEST_GUILESS_MAIN(TestCliFit)
#include "tst_cli_fit.moc"
