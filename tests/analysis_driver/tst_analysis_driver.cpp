// Driver files: the JSON record read back exactly, damaged files refused, the Hornresp record
// read by a parser written from the format's public description, and the whole hand-off
// through velo2-cli on the SEAS woofer.

#include "CliTestSupport.h"
#include "core/analysis/driver/DriverJson.h"
#include "core/analysis/driver/HornrespRecord.h"
#include "ui/analysis/DriverTexts.h"
#include "ui/analysis/TFormDrivers.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonObject>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

namespace {

DriverRecord sample()
{
    DriverRecord d;
    d.name = QStringLiteral("L16RN-X µ");
    d.method = QStringLiteral("singleMass");
    d.re = 5.721;
    d.le = 2.69954e-4;
    d.fs = 45.420851234;
    d.qms = 1.9847141;
    d.qes = 0.48728243;
    d.qts = 0.3912288;
    d.sd = 0.0103869;
    d.mms = 0.01427546;
    d.mair = airLoadMass(d.sd, 1.2041183163746156);
    d.mmd = d.mms - d.mair;
    d.cms = 8.600818e-4;
    d.rms = 2.052708;
    d.bl = 6.916051;
    d.vas = 0.01316304;
    d.air = {1.2041183163746156, 343.23197767690584};
    d.masses = {{8.017, 36.34723}};
    d.band = 4;
    d.curve = {{20.0, 6.1, 12.5}, {45.42, 29.0, -0.25}, {1000.0, 6.5, 30.0}};
    return d;
}

// Hornresp's record as its public description lays it out: "|TITLE:" section headers,
// "key = value" lines, CR LF line ends. Returns the traditional driver section's values.
QMap<QString, QString> hornrespDriverSection(const QByteArray &bytes, QString *problem)
{
    QMap<QString, QString> values;
    if (!bytes.endsWith("\r\n") || bytes.count("\r\n") != bytes.count('\n')) {
        *problem = QStringLiteral("a line does not end in CR LF");
        return values;
    }
    QString section;
    for (const QByteArray &raw : bytes.split('\n')) {
        const QString line = QString::fromLatin1(raw).chopped(raw.endsWith('\r') ? 1 : 0);
        for (const QChar c : line)
            if (c.unicode() < 0x20 || c.unicode() > 0x7e)
                *problem = QStringLiteral("not ASCII: ") + line;
        if (line.startsWith(QLatin1Char('|')) && line.endsWith(QLatin1Char(':')))
            section = line.mid(1).chopped(1);
        else if (section == QLatin1String("TRADITIONAL DRIVER PARAMETER VALUES") &&
                 line.contains(QLatin1String(" = ")))
            values.insert(line.section(QStringLiteral(" = "), 0, 0),
                          line.section(QStringLiteral(" = "), 1));
    }
    return values;
}

} // namespace

class TestAnalysisDriver : public QObject
{
    Q_OBJECT
private slots:
    void jsonRoundTrip();
    void damagedJson_data();
    void damagedJson();
    void hornresp();
    void handOffThroughCli();
    void library();
};

void TestAnalysisDriver::jsonRoundTrip()
{
    // The air load of a 103.869 cm² piston in 1.20412 kg/m³ air, worked by hand.
    QVERIFY(std::fabs(airLoadMass(0.0103869, 1.2041183163746156) * 1e3 - 1.220877267) < 1e-8);
    const DriverRecord d = sample();
    DriverRecord back;
    QString problem;
    QVERIFY2(readDriverJson(driverJsonText(d), &back, &problem), qPrintable(problem));
    QCOMPARE(back.name, d.name);
    QCOMPARE(back.method, d.method);
    const QVector<DriverValue> a = driverValues(d);
    const QVector<DriverValue> b = driverValues(back);
    for (int i = 0; i < a.size(); ++i)
        QVERIFY2(std::fabs(a[i].value - b[i].value) <= 1e-12 * std::fabs(a[i].value), a[i].key);
    QCOMPARE(back.air.rho, d.air.rho);
    QCOMPARE(back.masses.size(), 1);
    QCOMPARE(back.masses[0].fsLoadedHz, d.masses[0].fsLoadedHz);
    QCOMPARE(back.band, 4);
    QCOMPARE(back.curve.size(), 3);
    QCOMPARE(back.curve[1].deg, -0.25);
    QCOMPARE(back.curve[2].hz, 1000.0);
}

void TestAnalysisDriver::damagedJson_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("problem");
    const QByteArray head = R"({"format": "velo2-driver", "version": 1, )";
    const QByteArray ts = R"("parameters": {"Re_Ohm": 5.7, "Fs_Hz": 45, "Qms": 2, "Qes": 0.5)";
    QTest::newRow("cut short") << head << "not a JSON text";
    QTest::newRow("another file") << QByteArray(R"({"format": "zma"})") << "not a driver file";
    QTest::newRow("newer") << QByteArray(R"({"format": "velo2-driver", "version": 2})")
                           << "version 2";
    QTest::newRow("no Fs") << head + R"("parameters": {"Re_Ohm": 5.7}})"
                           << "\"Fs_Hz\" is missing";
    QTest::newRow("negative Bl") << head + ts + R"(, "Bl_Tm": -1}})"
                                 << "\"Bl_Tm\" is not";
    QTest::newRow("text for a number") << head + ts + R"(, "Vas_L": "13"}})"
                                       << "\"Vas_L\"";
    QTest::newRow("bad point") << head + ts + R"(}, "curve": {"points": [[0, 5, 3]]}})"
                               << "the curve's points";
}

void TestAnalysisDriver::damagedJson()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, problem);
    DriverRecord d = sample();
    QString why;
    QVERIFY(!readDriverJson(text, &d, &why));
    QVERIFY2(why.contains(problem), qPrintable(why));
    QCOMPARE(d.fs, sample().fs); // left alone
}

void TestAnalysisDriver::hornresp()
{
    const DriverRecord d = sample();
    QString problem;
    const QMap<QString, QString> v = hornrespDriverSection(hornrespText(d), &problem);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    // Each value back within half a unit of its last printed digit, in Hornresp's units.
    const struct {
        const char *key;
        double value;
        double unit;
    } expected[] = {{"Sd", d.sd * 1e4, 0.01},   {"Bl", d.bl, 0.01},
                    {"Cms", d.cms, 0.01e-4},    {"Rms", d.rms, 0.01},
                    {"Mmd", d.mmd * 1e3, 0.01}, {"Le", d.le * 1e3, 0.01},
                    {"Re", d.re, 0.01},         {"Nd", 1.0, 0.0}};
    QCOMPARE(v.size(), int(std::size(expected)));
    for (const auto &e : expected) {
        bool ok = false;
        const double read = v.value(QLatin1String(e.key)).toDouble(&ok);
        QVERIFY2(ok && std::fabs(read - e.value) <= e.unit / 2 + 1e-12,
                 qPrintable(QStringLiteral("%1 = %2").arg(e.key, v.value(e.key))));
    }
    QVERIFY(v.value("Cms").contains("E-04")); // Hornresp's E notation
    // The cone alone: the air load taken off.
    QCOMPARE(v.value("Mmd"), QStringLiteral("13.05"));
    DriverRecord noMass = d;
    noMass.mms = noMass.mmd = noMass.bl = 0.0;
    QVERIFY(hornrespText(noMass).isEmpty());
}

void TestAnalysisDriver::handOffThroughCli()
{
    QTemporaryDir dir;
    const QString data = QStringLiteral(VELO2_SHARED_DATA_DIR "/real-drivers/seas_l16rnx_");
    for (const char *name : {"0g", "plus8g"})
        QCOMPARE(
            cli::run({"convert", data + name + ".zma", "-o", dir.filePath(name) + ".DTA"}).exitCode,
            0);
    const QStringList sheet{dir.filePath("0g.DTA"),
                            "--re",
                            "5.721",
                            "--sd",
                            "103.869",
                            "--mass",
                            dir.filePath("plus8g.DTA") + ":8.017"};
    const QString json = dir.filePath("seas.json");
    QCOMPARE(cli::run(QStringList{"driver", "export"} + sheet + QStringList{"-o", json}).exitCode,
             0);
    // ts on the driver file gives the worksheet of the curves it came from.
    const cli::Result measured = cli::run(QStringList{"ts"} + sheet + QStringList{"--json"});
    const cli::Result reread = cli::run({"ts", json, "--json"});
    QCOMPARE(reread.exitCode, 0);
    const QJsonObject m = measured.json().object().value("singleMass").toArray()[0].toObject();
    const QJsonObject r = reread.json().object().value("singleMass").toArray()[0].toObject();
    for (const char *key : {"Mms_g", "Bl_Tm", "Cms_mmPerN", "Rms_kgPerS", "Vas_L"})
        QVERIFY2(std::fabs(r.value(key).toDouble() / m.value(key).toDouble() - 1.0) < 1e-6, key);
    // driver show prints the file's values under the worksheet's keys.
    const QJsonObject shown =
        cli::run({"driver", "show", json, "--json"}).json().object().value("parameters").toObject();
    QVERIFY(std::fabs(shown.value("Mms_g").toDouble() / m.value("Mms_g").toDouble() - 1) < 1e-6);
    QVERIFY(shown.value("Le_mH").toDouble() > 0.0);
    // Its curve opens as any table does.
    QCOMPARE(cli::run({"convert", json, "-o", dir.filePath("back.DTA")}).exitCode, 0);

    const cli::Result noMass =
        cli::run({"driver", "export", dir.filePath("0g.DTA"), "--re", "5.721", "--format",
                  "hornresp", "-o", dir.filePath("no.txt")});
    QCOMPARE(noMass.exitCode, 1);
    QVERIFY(noMass.errText().contains("needs Sd, Mms and Bl"));
    QVERIFY(!QFile::exists(dir.filePath("no.txt")));
    QCOMPARE(
        cli::run(QStringList{"driver", "export"} + sheet + QStringList{"--format", "wdr"}).exitCode,
        2);
    QFile damaged(dir.filePath("damaged.json"));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("{\"format\": \"velo2-driver\", ");
    damaged.close();
    const cli::Result bad = cli::run({"ts", damaged.fileName()});
    QCOMPARE(bad.exitCode, 1);
    QVERIFY(bad.errText().contains("not a JSON text"));
}

void TestAnalysisDriver::library()
{
    QTemporaryDir dir;
    auto write = [&](const QString &name, const QByteArray &bytes) {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
    };
    DriverRecord woofer = sample();
    woofer.name = QStringLiteral("SEAS woofer");
    DriverRecord tweeter = sample();
    tweeter.name = QStringLiteral("Dome tweeter");
    QVERIFY(write("a.json", driverJsonText(woofer)) && write("b.json", driverJsonText(tweeter)) &&
            write("c.json", "{ damaged") && write("notes.txt", "not listed"));
    QString opened;
    TFormDrivers w([&opened](const QString &path) { opened = path; });
    w.setFolder(dir.path());
    QTRY_COMPARE(w.List->rowCount(), 3);
    QCOMPARE(w.List->item(2, 0)->text(), DriverTexts::unreadable()); // seen, not lost
    // Every word must match, in any case.
    w.SearchEdit->setText(QStringLiteral("WOOFER seas"));
    QCOMPARE(w.List->rowCount(), 1);
    QCOMPARE(w.List->item(0, 0)->text(), woofer.name);
    w.List->setCurrentCell(0, 0);
    w.OpenButton->click();
    QCOMPARE(opened, dir.filePath("a.json"));
}

QTEST_MAIN(TestAnalysisDriver)
#include "tst_analysis_driver.moc"
