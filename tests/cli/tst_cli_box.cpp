// velo2-cli box on a driver the simulated unit measured in free air and in a lossless vented box.

#include "CliTestSupport.h"
#include "SimulatedUnit.h"

#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QStringList kDriver{"--driver", "Re=5.7,Le=0,Bl=7,Mms=15,Cms=1,Rms=0.5,Sd=130"};
} // namespace

class TestCliBox : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void textbook();
    void fit();
    void refused_data();
    void refused();

private:
    QString measure(const QStringList &simArgs, int band, const QString &name);
    QTemporaryDir m_dir;
    QString m_free, m_box, m_otherBand;
};

QString TestCliBox::measure(const QStringList &simArgs, int band, const QString &name)
{
    SimulatedUnit sim;
    const QString link = m_dir.filePath(QStringLiteral("COM7"));
    if (!sim.start(link, kDriver + simArgs + QStringList{QStringLiteral("--fast")}))
        return {};
    const QString out = m_dir.filePath(name);
    const cli::Result r =
        cli::run({"measure", "--port", link, "--band", QString::number(band), "-o", out});
    return r.exitCode == 0 ? out : QString();
}

void TestCliBox::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_free = measure({}, 4, QStringLiteral("free.DTA"));
    m_box = measure({"--vented-box", "20,35,0"}, 4, QStringLiteral("box.DTA"));
    m_otherBand = measure({"--vented-box", "20,35,0"}, 3, QStringLiteral("band3.DTA"));
    QVERIFY(!m_free.isEmpty() && !m_box.isEmpty() && !m_otherBand.isEmpty());
}

void TestCliBox::textbook()
{
    const cli::Result r = cli::run({"box", m_free, m_box, "--vb", "20", "--json"});
    QCOMPARE(r.exitCode, 0);
    const QJsonObject t = r.json().object().value("textbook").toObject();
    // fs = 1 / (2π·sqrt(Mms·Cms)); Vas = ρc²·Sd²·Cms at 20 °C and 1013.25 hPa.
    QVERIFY2(qAbs(t.value("fs_Hz").toDouble() / 41.0936 - 1) < 0.001, r.out.constData());
    QVERIFY2(qAbs(t.value("Vas_L").toDouble() / 23.97 - 1) < 0.005, r.out.constData());
    QVERIFY2(qAbs(t.value("Fb_Hz").toDouble() / 35 - 1) < 0.001, r.out.constData());
    QCOMPARE(t.keys(),
             QStringList({"Fb_Hz", "Vas_L", "alpha", "fH_Hz", "fL_Hz", "fM_Hz", "fs_Hz"}));
}

// Beside the textbook: the lossy box's fit, which finds no leakage in this box.
void TestCliBox::fit()
{
    const cli::Result r = cli::run({"box", m_free, m_box, "--vb", "20", "--re", "5.7", "--json"});
    QCOMPARE(r.exitCode, 0);
    const QJsonObject f = r.json().object().value("fit").toObject();
    QVERIFY2(qAbs(f.value("Vas_L").toDouble() / 23.97 - 1) < 0.005, r.out.constData());
    QVERIFY2(qAbs(f.value("Fb_Hz").toDouble() / 35 - 1) < 0.01, r.out.constData());
    QVERIFY2(qAbs(f.value("fs_Hz").toDouble() / 41.0936 - 1) < 0.001, r.out.constData());
    QVERIFY(f.value("Vas_L_stderr").toDouble() > 0);
    QVERIFY(f.value("QL").isNull() && f.value("QL_stderr").isNull());
    QVERIFY(f.value("rmsMagPct").toDouble() < 0.5);
    for (const char *key : {"Fb_Hz", "Vas_L", "QL", "fs_Hz"})
        QVERIFY(f.contains(QLatin1String(key) + QLatin1String("_stderr")));
    const cli::Result text = cli::run({"box", m_free, m_box, "--vb", "20"});
    QVERIFY(text.out.contains("textbook") && text.out.contains("fit of a lossy box"));
}

void TestCliBox::refused_data()
{
    QTest::addColumn<QString>("which"); // the box file: free, box or band3
    QTest::addColumn<QString>("vb");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("one peak") << "free"
                              << "20" << 1
                              << "one impedance peak, as a sealed box or a blocked "
                                 "port has; for a sealed box use the sealed-box "
                                 "analysis: velo2-cli ts FREE --re OHMS --box";
    QTest::newRow("another band") << "band3"
                                  << "20" << 1 << "the box curve is on band 3";
    QTest::newRow("Vb 0") << "box"
                          << "0" << 2 << "--vb '0': give the box's volume";
    QTest::newRow("Vb text") << "box"
                             << "x" << 2 << "--vb 'x': give the box's volume";
    QTest::newRow("Re text") << "box"
                             << "20 --re x" << 2 << "--re 'x'";
}

void TestCliBox::refused()
{
    QFETCH(QString, which);
    QFETCH(QString, vb);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const QString box = which == "free" ? m_free : which == "box" ? m_box : m_otherBand;
    const cli::Result r = cli::run(QStringList{"box", m_free, box, "--vb"} +
                                   vb.split(QLatin1Char(' ')) + QStringList{"--json"});
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(r.errText().contains(message), qPrintable(r.errText()));
    QVERIFY(r.out.isEmpty());
}

QTEST_GUILESS_MAIN(TestCliBox)
#include "tst_cli_box.moc"
