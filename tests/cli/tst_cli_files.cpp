// velo2-cli on data files: info, export and zma against the program's own reader, converter
// and export, plus every kind of bad input.
#include "CliTestSupport.h"
#include "GoldenFile.h"
#include "core/analysis/AnalysisMessages.h"
#include "core/document/CurveOnGrid.h"
#include "core/files/NumberFormat.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <cmath>
#include <cstring>

namespace {

// A JSON number read back as the float it stands for.
float asFloat(const QJsonValue &v)
{
    return float(v.toDouble());
}

bool sameFloat(float a, float b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

QByteArray exportOf(const CurveBlock &curve, const MeasurementRecord &record, const QString &dir)
{
    const QString path = QDir(dir).filePath(QStringLiteral("expected.txt"));
    QFile::remove(path);
    if (!VELO_File().exportText(path, &curve, &record))
        return QByteArray();
    const QByteArray bytes = cli::readAll(path);
    QFile::remove(path);
    return bytes;
}

} // namespace

class TestCliFiles : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void info_data();
    void info();
    void infoReportsEveryFile();
    void exportMatchesWindowExport_data();
    void exportMatchesWindowExport();
    void exportGolden_data();
    void exportGolden();
    void exportFollowsLocale();
    void zma_data();
    void zma();
    void badInput_data();
    void badInput();
    void failedWriteKeepsOldFile();
    void importedTableSaved();
    void compare();
    void renderViewRefusals_data();
    void renderViewRefusals();
    void fullStandardOutput_data();
    void fullStandardOutput();
    void help_data();
    void help();
    void version();

private:
    void fixtureRows();
    QString out(const QString &name) const { return m_out->filePath(name); }

    QTemporaryDir m_dir;
    QTemporaryDir *m_out = nullptr;
};

void TestCliFiles::initTestCase()
{
    QVERIFY2(QFileInfo(cli::binary()).isExecutable(), qPrintable(cli::binary()));
    QVERIFY(m_dir.isValid());
    for (const cli::Fixture &f : cli::fixtures())
        QVERIFY(!cli::writeFixture(m_dir.path(), f).isEmpty());

    // A rising curve without any resonance, and files that are not data files.
    MeasurementRecord rising;
    clearPoints(rising);
    rising.band = 2;
    for (int i = bandFirstIndex(2); i <= bandLastIndex(2); ++i)
        encodePoint(rising.points[i], 4.0 + 0.05 * i, 0.0, gridFrequencyHz(i));
    QVERIFY(VELO_File().writeDataFile(m_dir.filePath("rising.DTA"), "S", 1, &rising));
    QVERIFY(golden::writeBytes(m_dir.filePath("corrupt.DTA"), "DataFile:HK-A2\r\nSN:1\r\n"));
    QVERIFY(golden::writeBytes(m_dir.filePath("empty.DTA"), ""));
    QVERIFY(golden::writeBytes(m_dir.filePath("neg.zma"), "* h\r\n20 8 1\r\n50 -1 0\r\n"));
    QByteArray band10 = cli::readAll(m_dir.filePath("a2_band3.DTA"));
    band10.replace("Band:3\r\n", "Band:10\r\n");
    QVERIFY(golden::writeBytes(m_dir.filePath("band10.DTA"), band10));
}

void TestCliFiles::init()
{
    m_out = new QTemporaryDir;
    QVERIFY(m_out->isValid());
}

void TestCliFiles::cleanup()
{
    delete m_out;
    m_out = nullptr;
}

void TestCliFiles::fixtureRows()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < cli::fixtures().size(); ++i)
        QTest::newRow(cli::fixtures()[i].name) << i;
}

void TestCliFiles::info_data()
{
    fixtureRows();
}

void TestCliFiles::info()
{
    QFETCH(int, index);
    const cli::Fixture &f = cli::fixtures()[index];
    const QString path = cli::fixturePath(m_dir.path(), f);
    const auto expected = cli::load(path);
    QVERIFY(expected);
    const int band = cli::recordBand(f);

    const cli::Result r = cli::run({"info", "--json", path});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QByteArray());
    const QJsonArray all = r.json().array();
    QCOMPARE(all.size(), 1);
    const QJsonObject o = all.first().toObject();
    QCOMPARE(o["file"].toString(), path);
    QCOMPARE(o["model"].toString(), QString(f.firstModel ? "HK-A" : "HK-A2"));
    QCOMPARE(o["serial"].toString(), QString::fromUtf8(f.serial));
    QCOMPARE(o["dateTime"].toString(), QString::fromUtf8(f.dateTime));
    QCOMPARE(o["comPort"].toInt(), 3);
    QCOMPARE(o["band"].toInt(), band);
    QCOMPARE(o["bandCaption"].toString(), bandCaption(band));
    QCOMPARE(o["points"].toInt(), bandPointCount(band));

    // Ranges of the unaveraged curve, bit for bit.
    const int first = bandFirstIndex(band);
    const int last = bandLastIndex(band);
    const float *curves[] = {expected->raw.freq, expected->raw.r, expected->raw.theta};
    const char *keys[] = {"frequencyHz", "rOhm", "thetaDeg"};
    for (int c = 0; c < 3; ++c) {
        const float lo = *std::min_element(curves[c] + first, curves[c] + last + 1);
        const float hi = *std::max_element(curves[c] + first, curves[c] + last + 1);
        const QJsonObject range = o[keys[c]].toObject();
        QVERIFY2(sameFloat(asFloat(range["min"]), lo), keys[c]);
        QVERIFY2(sameFloat(asFloat(range["max"]), hi), keys[c]);
    }

    const cli::Result text = cli::run({"info", path});
    QCOMPARE(text.exitCode, 0);
    const QString shown = QString::fromUtf8(text.out);
    QVERIFY(shown.startsWith(path + '\n'));
    QVERIFY(shown.contains(QStringLiteral("%1 (%2)").arg(band).arg(bandCaption(band))));
    QVERIFY(shown.contains(QString::fromUtf8(f.dateTime)));
    QVERIFY(shown.contains(f.firstModel ? QRegularExpression("model +HK-A\n")
                                        : QRegularExpression("model +HK-A2\n")));
}

void TestCliFiles::infoReportsEveryFile()
{
    // A missing and a corrupt file among good ones: the good ones are all shown, each bad one
    // gets its own line, and the exit code says something failed.
    const QString a = cli::fixturePath(m_dir.path(), cli::fixtures()[0]);
    const QString b = cli::fixturePath(m_dir.path(), cli::fixtures()[7]);
    const QString missing = m_dir.filePath("missing.DTA");
    const QString corrupt = m_dir.filePath("corrupt.DTA");
    const cli::Result r = cli::run({"info", "--json", a, missing, b, corrupt});
    QCOMPARE(r.exitCode, 1);
    const QJsonArray all = r.json().array();
    QCOMPARE(all.size(), 2);
    QCOMPARE(all[0].toObject()["file"].toString(), a);
    QCOMPARE(all[1].toObject()["file"].toString(), b);
    const QStringList lines = r.errText().split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0], QStringLiteral("velo2-cli info: %1: no such file").arg(missing));
    QCOMPARE(lines[1],
             QStringLiteral("velo2-cli info: %1: not a valid VELO2 data file").arg(corrupt));
}

void TestCliFiles::exportMatchesWindowExport_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("raw");
    QTest::addColumn<QString>("target"); // "stdout", "-", "file", "folder", "folder, relative"
    for (int i = 0; i < cli::fixtures().size(); ++i) {
        const char *n = cli::fixtures()[i].name;
        QTest::addRow("%s avg stdout", n) << i << false << "stdout";
        QTest::addRow("%s raw file", n) << i << true << "file";
    }
    QTest::addRow("dash") << 1 << false << "-";
    QTest::addRow("folder avg") << 3 << false << "folder";
    QTest::addRow("folder raw first model") << 8 << true << "folder";
    QTest::addRow("folder, relative input") << 2 << false << "folder, relative";
}

void TestCliFiles::exportMatchesWindowExport()
{
    QFETCH(int, index);
    QFETCH(bool, raw);
    QFETCH(QString, target);
    const cli::Fixture &f = cli::fixtures()[index];
    const QString path = cli::fixturePath(m_dir.path(), f);
    const auto loaded = cli::load(path);
    QVERIFY(loaded);
    // The window exports with exportText, from the averaged curve unless averaging is off.
    const QByteArray expected =
        exportOf(raw ? loaded->raw : loaded->avg, loaded->record, m_out->path());
    QVERIFY(!expected.isEmpty());

    QStringList args{"export", path};
    if (raw)
        args << "--raw";
    QString written;
    QString cwd;
    if (target == "folder, relative") {
        cwd = QFileInfo(path).path();
        args[1] = QFileInfo(path).fileName();
    }
    if (target == "-")
        args << "-o"
             << "-";
    else if (target == "file")
        args << "-o" << (written = out("spk.txt"));
    else if (target.startsWith("folder")) {
        args << "--output" << m_out->path();
        written = out(QString::fromLatin1(f.name) + ".txt");
    }
    const cli::Result r = cli::run(args, cwd);
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QByteArray());
    const QByteArray actual = written.isEmpty() ? r.out : cli::readAll(written);
    if (!written.isEmpty())
        QCOMPARE(r.out, QByteArray());
    const QString d = golden::diff(actual, expected);
    QVERIFY2(d.isEmpty(), qPrintable(d));
    QCOMPARE(cli::entries(m_out->path()).size(), written.isEmpty() ? 0 : 1);
}

void TestCliFiles::exportGolden_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("raw");
    QTest::addColumn<QString>("expected");
    QTest::newRow("band3 averaged") << "band3_sjis.DTA" << false << "band3_sjis.avg.txt";
    QTest::newRow("band3 raw") << "band3_sjis.DTA" << true << "band3_sjis.raw.txt";
    QTest::newRow("band2 raw") << "band2.DTA" << true << "band2.raw.txt";
}

void TestCliFiles::exportGolden()
{
    QFETCH(QString, input);
    QFETCH(bool, raw);
    QFETCH(QString, expected);
    QStringList args{"export", golden::path(input)};
    if (raw)
        args << "--raw";
    const cli::Result r = cli::run(args, QString(), {"LC_ALL=C.UTF-8"});
    QCOMPARE(r.exitCode, 0);
    const QString d = golden::diff(r.out, golden::load(expected));
    QVERIFY2(d.isEmpty(), qPrintable(expected + ":\n" + d));
}

void TestCliFiles::exportFollowsLocale()
{
    // The decimal separator is the locale's, in the tool as in the window.
    const QString path = cli::fixturePath(m_dir.path(), cli::fixtures()[1]);
    const auto loaded = cli::load(path);
    QVERIFY(loaded);
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const QByteArray expected = exportOf(loaded->avg, loaded->record, m_out->path());
    QLocale::setDefault(saved);
    QVERIFY(expected.contains("\t8,"));

    const cli::Result r = cli::run({"export", path}, QString(), {"LC_ALL=de_DE.UTF-8"});
    QCOMPARE(r.exitCode, 0);
    const QString d = golden::diff(r.out, expected);
    QVERIFY2(d.isEmpty(), qPrintable(d));
}

void TestCliFiles::zma_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("raw");
    for (int i = 0; i < cli::fixtures().size(); ++i) {
        QTest::addRow("%s avg", cli::fixtures()[i].name) << i << false;
        QTest::addRow("%s raw", cli::fixtures()[i].name) << i << true;
    }
}

void TestCliFiles::zma()
{
    QFETCH(int, index);
    QFETCH(bool, raw);
    const cli::Fixture &f = cli::fixtures()[index];
    const QString path = cli::fixturePath(m_dir.path(), f);
    const auto loaded = cli::load(path);
    QVERIFY(loaded);
    const CurveBlock &curve = raw ? loaded->raw : loaded->avg;
    const int band = cli::recordBand(f);

    QStringList args{"zma", path, "-o", out("spk.zma")};
    if (raw)
        args << "--raw";
    const cli::Result r = cli::run(args);
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QByteArray());
    QCOMPARE(r.out, QByteArray());
    const QByteArray text = cli::readAll(out("spk.zma"));
    QVERIFY(text.endsWith("\r\n"));
    const QList<QByteArray> lines = text.trimmed().split('\n');
    // The source and band, then the column titles.
    QVERIFY(lines[0].startsWith(QStringLiteral("* VELO2: %1, band %2 (")
                                    .arg(QFileInfo(path).fileName())
                                    .arg(band)
                                    .toLatin1()));
    QVERIFY(lines[1].startsWith('*'));
    QCOMPARE(lines.size() - 2, bandPointCount(band));
    // Each row gives back the curve's floats exactly, with "." whatever the locale.
    for (int k = 2; k < lines.size(); ++k) {
        const int i = bandFirstIndex(band) + k - 2;
        const QList<QByteArray> cols = lines[k].trimmed().split('\t');
        QCOMPARE(cols.size(), 3);
        bool ok[3];
        const float v[3] = {cols[0].toFloat(&ok[0]), cols[1].toFloat(&ok[1]),
                            cols[2].toFloat(&ok[2])};
        QVERIFY(ok[0] && ok[1] && ok[2]);
        QVERIFY2(sameFloat(v[0], curve.freq[i]) && sameFloat(v[1], curve.r[i]) &&
                     sameFloat(v[2], curve.theta[i]),
                 lines[k].constData());
    }

    // The same table on standard output.
    args.replace(3, "-");
    const cli::Result toStdout = cli::run(args);
    QCOMPARE(toStdout.exitCode, 0);
    QCOMPARE(toStdout.out, text);
}

void TestCliFiles::badInput_data()
{
    QTest::addColumn<QStringList>("args"); // "@" stands for the fixture folder, "%" the output one
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("mentions");

    const QString good = "@/a2_band2.DTA";
    const QString out = "%/out";
    QTest::newRow("missing file") << QStringList{"export", "@/none.DTA", "-o", out} << 1
                                  << QStringList{"@/none.DTA", "no such file"};
    QTest::newRow("corrupt file") << QStringList{"zma", "@/corrupt.DTA", "-o", out} << 1
                                  << QStringList{"@/corrupt.DTA", "not a valid VELO2 data file"};
    QTest::newRow("empty file") << QStringList{"peaks", "@/empty.DTA"} << 1
                                << QStringList{"@/empty.DTA", "not a valid"};
    QTest::newRow("band 10 in the file") << QStringList{"render", "@/band10.DTA", "-o", out} << 1
                                         << QStringList{"@/band10.DTA", "not a valid"};
    QTest::newRow("folder as file")
        << QStringList{"info", "@"} << 1 << QStringList{"@", "is a folder"};
    QTest::newRow("device as file") << QStringList{"info", "/dev/zero"} << 1
                                    << QStringList{"/dev/zero", "is not a regular file"};
    QTest::newRow("unknown option")
        << QStringList{"export", good, "--bogus", "-o", out} << 2 << QStringList{"'--bogus'"};
    QTest::newRow("unknown short option")
        << QStringList{"peaks", "-x", good} << 2 << QStringList{"'-x'"};
    QTest::newRow("missing file argument")
        << QStringList{"export", "-o", out} << 2 << QStringList{"missing FILE.DTA"};
    QTest::newRow("missing value") << QStringList{"zma", good, "-o"} << 2 << QStringList{"'-o'"};
    QTest::newRow("extra argument")
        << QStringList{"ts", good, good, "--re", "6"} << 2 << QStringList{"unexpected argument"};
    QTest::newRow("missing Re") << QStringList{"ts", good} << 2 << QStringList{"--re"};
    QTest::newRow("Re not a number") << QStringList{"ts", good, "--re", "abc"} << 2
                                     << QStringList{"'abc'", AnalysisMessages::badRe()};
    QTest::newRow("Re nan") << QStringList{"ts", good, "--re", "nan"} << 2
                            << QStringList{AnalysisMessages::badRe()};
    QTest::newRow("Re zero") << QStringList{"ts", good, "--re", "0"} << 1
                             << QStringList{"@/a2_band2.DTA", AnalysisMessages::badRe()};
    QTest::newRow("Re above Rmax")
        << QStringList{"ts", good, "--re", "500"} << 1 << QStringList{AnalysisMessages::badRe()};
    QTest::newRow("no peak") << QStringList{"peaks", "@/rising.DTA"} << 1
                             << QStringList{"@/rising.DTA", AnalysisMessages::noPeak()};
    QTest::newRow("ts without peak") << QStringList{"ts", "@/rising.DTA", "--re", "4"} << 1
                                     << QStringList{AnalysisMessages::noPeak()};
    QTest::newRow("band above range") << QStringList{"render", good, "-o", out, "--band", "10"} << 2
                                      << QStringList{"--band '10'", "1 to 9"};
    QTest::newRow("band zero") << QStringList{"render", good, "-o", out, "--band", "0"} << 2
                               << QStringList{"--band '0'"};
    QTest::newRow("band not a number") << QStringList{"render", good, "-o", out, "--band", "two"}
                                       << 2 << QStringList{"--band 'two'"};
    QTest::newRow("size too small") << QStringList{"render", good, "-o", out, "--size", "100x50"}
                                    << 2 << QStringList{"--size '100x50'"};
    QTest::newRow("size malformed") << QStringList{"render", good, "-o", out, "--size", "640"} << 2
                                    << QStringList{"--size '640'"};
    QTest::newRow("render without output")
        << QStringList{"render", good} << 2 << QStringList{"missing -o"};
    QTest::newRow("six references")
        << QStringList{"render", good, "-o",    out,  "--ref", good, "--ref", good,
                       "--ref",  good, "--ref", good, "--ref", good, "--ref", good}
        << 2 << QStringList{"at most 5"};
    QTest::newRow("bad reference")
        << QStringList{"render", good, "-o", out, "--ref", "@/corrupt.DTA"} << 1
        << QStringList{"@/corrupt.DTA", "not a valid"};
    QTest::newRow("output folder missing") << QStringList{"export", good, "-o", "%/none/out.txt"}
                                           << 1 << QStringList{"%/none/out.txt", "no such folder"};
    QTest::newRow("unknown command")
        << QStringList{"frobnicate", good} << 2 << QStringList{"unknown command 'frobnicate'"};
    // Other tools' tables: one message each, exit 1, nothing written.
    QTest::newRow("negative |Z|") << QStringList{"ts", "@/neg.zma", "--re", "6"} << 1
                                  << QStringList{"@/neg.zma: line 3: ", "negative"};
    QTest::newRow("device as table") << QStringList{"convert", "/dev/zero", "-o", out} << 1
                                     << QStringList{"is not a regular file"};
    QTest::newRow("band for a data file") << QStringList{"convert", good, "-o", out, "--band", "1"}
                                          << 2 << QStringList{"tables only"};
    QTest::newRow("no command") << QStringList{} << 2 << QStringList{"Usage: velo2-cli"};
}

void TestCliFiles::badInput()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QStringList, mentions);
    auto expand = [this](QString s) {
        return s.replace('@', m_dir.path()).replace('%', m_out->path());
    };
    for (QString &a : args)
        a = expand(a);

    const cli::Result r = cli::run(args);
    QVERIFY(!r.crashed);
    QCOMPARE(r.exitCode, exitCode);
    QCOMPARE(r.out, QByteArray());
    const QString err = r.errText();
    for (const QString &m : mentions)
        QVERIFY2(err.contains(expand(m)), qPrintable(err));
    if (!args.isEmpty()) {
        // One line, naming the command.
        QCOMPARE(err.count('\n'), 1);
        QVERIFY2(err.startsWith("velo2-cli " + args.first() + ": ") ||
                     err.startsWith("velo2-cli: "),
                 qPrintable(err));
    }
    // Nothing written, not even a temporary file.
    QCOMPARE(cli::entries(m_out->path()), QStringList());
}

void TestCliFiles::failedWriteKeepsOldFile()
{
    const QString good = cli::fixturePath(m_dir.path(), cli::fixtures()[1]);
    const QString target = out("old.txt");
    QVERIFY(golden::writeBytes(target, "old content"));

    // A bad input never reaches the output.
    cli::Result r = cli::run({"export", m_dir.filePath("corrupt.DTA"), "-o", target});
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(cli::readAll(target), QByteArray("old content"));

    // A folder that takes no new file: the old one stays whole and no temporary is left.
    if (!golden::lockFolder(m_out->path()))
        QSKIP("the folder cannot be made read-only here");
    r = cli::run({"export", good, "-o", target});
    const QStringList left = cli::entries(m_out->path());
    golden::unlockFolder(m_out->path());
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.errText().contains(target + ": cannot be written"), qPrintable(r.errText()));
    QCOMPARE(cli::readAll(target), QByteArray("old content"));
    QCOMPARE(left, QStringList{"old.txt"});
}

void TestCliFiles::importedTableSaved()
{
    // A resonance of 726 ohm at 40 Hz, from 30 Hz on: info counts the points of band 4
    // (20-250 Hz) it holds, and a data file keeps the peak at 655.35 ohm, which convert says.
    QByteArray table;
    for (double f = 30.0; f <= 250.0; f *= 1.001)
        table += QByteArray::number(f) + ' ' +
                 QByteArray::number(6.0 + 720.0 / std::hypot(1.0, 30.0 * (f / 40 - 40 / f))) + '\n';
    const QString path = m_dir.filePath("qms30.zma");
    QVERIFY(golden::writeBytes(path, table));
    ImpedanceTable t;
    QVERIFY(parseImpedanceTable(table, t).ok());
    cli::Result r = cli::run({"info", "--json", path});
    QCOMPARE(r.json().array().first().toObject()["points"].toInt(), coveredGridPoints(t, 4));

    r = cli::run({"convert", path, "-o", out("q.DTA")});
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.errText().contains(QRegularExpression(
                 "q.DTA: warning: \\d+ point\\(s\\) above 655.35 ohm .*\\((39|40).\\d\\d Hz")),
             qPrintable(r.errText()));
    // A full disk says so.
    QVERIFY(QFile::link("/dev/full", out("full.DTA")));
    r = cli::run({"convert", path, "-o", out("full.DTA")});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.errText().endsWith(
                 ": cannot be written: " + QString::fromLocal8Bit(strerror(ENOSPC)) + "\n"),
             qPrintable(r.errText()));
}

void TestCliFiles::renderViewRefusals_data()
{
    // A table without phase as the measurement ("flat") or the reference.
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said");
    QTest::newRow("unknown view") << QStringList{"--view", "smith"} << 2 << "must be one of";
    QTest::newRow("diff without --ref")
        << QStringList{"--view", "diff"} << 2 << "give one with --ref";
    QTest::newRow("nyquist without phase")
        << QStringList{"flat", "--view", "nyquist"} << 1 << "flat.txt has none";
    QTest::newRow("rx without phase") << QStringList{"flat", "--view", "rx"} << 1 << "has none";
    QTest::newRow("ratio, reference without phase")
        << QStringList{"--ref", "flat", "--view", "ratio"} << 1 << "flat.txt has none";
    QTest::newRow("diff without phase, drawn")
        << QStringList{"--ref", "flat", "--view", "diff"} << 0 << "";
    QTest::newRow("zphase log |Z| without phase")
        << QStringList{"flat", "--view", "zphase", "--log-z", "--legend"} << 0 << "";
}

void TestCliFiles::renderViewRefusals()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    QVERIFY(golden::writeBytes(out("flat.txt"), "10 8\n1000 8\n100000 8\n"));
    QStringList command{"render"};
    if (args.first() != QLatin1String("flat"))
        command << m_dir.filePath("a2_band2.DTA");
    for (const QString &a : args)
        command << (a == QLatin1String("flat") ? out("flat.txt") : a);
    command << "-o" << out("view.png");
    const cli::Result r = cli::run(command);
    QCOMPARE(r.exitCode, exitCode);
    QVERIFY2(r.errText().contains(said), r.err);
    QCOMPARE(QFile::exists(out("view.png")), exitCode == 0);
}

void TestCliFiles::compare()
{
    // Against itself: every point, all exact zeros.
    const QString band2 = m_dir.filePath("a2_band2.DTA");
    cli::Result r = cli::run({"compare", band2, "--ref", band2, "--json"});
    QCOMPARE(r.exitCode, 0);
    QJsonObject o = r.json().object();
    const QJsonArray points = o["points"].toArray();
    QCOMPARE(points.size(), 540);
    for (const char *key : {"maxDiff_ohm", "maxDiff_pct", "maxRatio_dB", "maxPhaseDiff_deg"})
        QCOMPARE(o[key].toDouble(-1), 0.0);
    QCOMPARE(points.at(7).toObject()["ratio_dB"].toDouble(-1), 0.0);

    // A band-3 reference covers 92 of the 540 points: the rest is said. A table without phase
    // gives no phase difference.
    r = cli::run({"compare", band2, "--ref", m_dir.filePath("a2_band3.DTA")});
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.errText().contains("448 point(s)"), r.err);
    QCOMPARE(r.out.count('\n'), 1 + 92 + 1);
    QVERIFY(golden::writeBytes(out("flat.txt"), "10 8\n1000 8\n100000 8\n"));
    r = cli::run({"compare", band2, "--ref", out("flat.txt"), "--json"});
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.errText().contains("without phase"), r.err);
    o = r.json().object();
    QVERIFY(o["maxPhaseDiff_deg"].isNull() && o["maxDiff_ohm"].isDouble());
    QVERIFY(o["points"].toArray().first().toObject()["phaseDiff_deg"].isNull());

    // Nothing in common, or no reference at all.
    r = cli::run(
        {"compare", m_dir.filePath("a2_band8.DTA"), "--ref", m_dir.filePath("a2_band3.DTA")});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.errText().contains("no frequency in common"), r.err);
    QCOMPARE(cli::run({"compare", band2}).exitCode, 2);
}

void TestCliFiles::fullStandardOutput_data()
{
    QTest::addColumn<QStringList>("args");
    const QString good = cli::fixturePath(m_dir.path(), cli::fixtures()[1]);
    QTest::newRow("export") << QStringList{"export", good};
    QTest::newRow("zma") << QStringList{"zma", good};
    QTest::newRow("info") << QStringList{"info", "--json", good};
    QTest::newRow("ts") << QStringList{"ts", good, "--re", "6"};
}

void TestCliFiles::fullStandardOutput()
{
    // Results that cannot be written are a failure, not a silent success.
    QFETCH(QStringList, args);
    QProcess p;
    p.setStandardOutputFile(QStringLiteral("/dev/full"));
    p.start(cli::binary(), args);
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 1);
    QCOMPARE(QString::fromUtf8(p.readAllStandardError()),
             QStringLiteral("velo2-cli: standard output: write error\n"));
}

void TestCliFiles::help_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("usage");
    for (const char *c : {"info", "export", "zma", "peaks", "ts", "render"}) {
        QTest::addRow("%s --help", c) << QStringList{c, "--help"} << QString("velo2-cli ") + c;
        QTest::addRow("help %s", c) << QStringList{"help", c} << QString("velo2-cli ") + c;
    }
    QTest::newRow("overall") << QStringList{"--help"} << "velo2-cli COMMAND";
    QTest::newRow("overall word") << QStringList{"help"} << "velo2-cli COMMAND";
    QTest::newRow("measure") << QStringList{"measure", "--help"} << "velo2-cli measure";
}

void TestCliFiles::help()
{
    QFETCH(QStringList, args);
    QFETCH(QString, usage);
    // Help goes to standard output and succeeds.
    const cli::Result r = cli::run(args);
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QByteArray());
    QVERIFY(r.out.startsWith("Usage: " + usage.toUtf8()));
    // The overall help lists every command.
    if (args.size() == 1)
        for (const char *c :
             {"info",  "export", "zma",     "convert",   "peaks",    "circle",    "ts",
              "fit",   "render", "measure", "qc limits", "qc check", "qc report", "ports",
              "stats", "match",  "trend",   "zobel",     "notch",    "box",       "compare"})
            QVERIFY2(r.out.contains(QByteArray("\n  ") + c + ' '), c);
}

void TestCliFiles::version()
{
    const cli::Result r = cli::run({"--version"});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QByteArray("velo2-cli " VELO2_VERSION "\n"));
}

QTEST_GUILESS_MAIN(TestCliFiles)
#include "tst_cli_files.moc"
