// velo2-cli peaks, ts and circle against the analysis window itself: the same file opened in the
// window's blocks, searched by opening the window, computed by its "Ts の計算" button.
#include "CliTestSupport.h"
#include "ModalDriver.h"
#include "RecordingPresenter.h"
#include "core/analysis/AnalysisFormat.h"
#include "core/analysis/MotionalCircle.h"
#include "ui/analysis/TFormCalc.h"
#include "ui/analysis/TFormTS.h"
#include "ui/analysis/TForm_Re.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cstring>
#include <functional>

namespace {

bool sameFloat(float a, float b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The analysis window over one opened file, as the main window hands it its blocks.
struct Window {
    std::unique_ptr<cli::Loaded> file;
    CurveBlock smooth;
    TsParameters ts;
    TFormCalc form;
};

} // namespace

class TestCliAnalysis : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void peaks_data();
    void peaks();
    void ts_data();
    void ts();
    void circle_data();
    void circle();

private:
    std::unique_ptr<Window> open(const QString &path);

    QTemporaryDir m_dir;
    ScopedRecorder *m_rec = nullptr;
};

void TestCliAnalysis::initTestCase()
{
    QVERIFY(m_dir.isValid());
    for (const cli::Fixture &f : cli::fixtures())
        QVERIFY(!cli::writeFixture(m_dir.path(), f).isEmpty());
}

void TestCliAnalysis::init()
{
    m_rec = new ScopedRecorder;
}

void TestCliAnalysis::cleanup()
{
    delete m_rec;
    m_rec = nullptr;
}

std::unique_ptr<Window> TestCliAnalysis::open(const QString &path)
{
    auto w = std::make_unique<Window>();
    w->file = cli::load(path);
    if (!w->file)
        return nullptr;
    w->form.setSource(&w->file->raw, &w->smooth, &w->file->record, &w->ts);
    if (!w->form.showAnalysis())
        return nullptr;
    return w;
}

void TestCliAnalysis::peaks_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < cli::fixtures().size(); ++i)
        QTest::newRow(cli::fixtures()[i].name) << i;
}

void TestCliAnalysis::peaks()
{
    QFETCH(int, index);
    const QString path = cli::fixturePath(m_dir.path(), cli::fixtures()[index]);
    const auto w = open(path);
    QVERIFY(w);
    const PeakList &listed = w->form.peaks();
    QVERIFY(listed.peakCount > 0);
    QVERIFY(m_rec->presenter.boxes.isEmpty());

    const cli::Result r = cli::run({"peaks", "--json", path});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QByteArray());
    const QJsonObject o = r.json().object();
    const QJsonArray peaks = o["peaks"].toArray();
    QCOMPARE(peaks.size(), listed.peakCount);
    for (int row = 0; row < listed.peakCount; ++row) {
        const QJsonObject p = peaks[row].toObject();
        const int i = listed.peakIndex[row];
        QCOMPARE(p["gridIndex"].toInt(), i);
        QVERIFY(sameFloat(float(p["frequencyHz"].toDouble()), w->file->raw.freq[i]));
        QVERIFY(sameFloat(float(p["rOhm"].toDouble()), w->file->raw.r[i]));
    }
    QVERIFY(sameFloat(float(o["Rmax"].toDouble()), listed.Rmax));
    QVERIFY(sameFloat(float(o["Fs"].toDouble()), listed.Fs));

    // The text rows carry what the window's fields show.
    const cli::Result text = cli::run({"peaks", path});
    QCOMPARE(text.exitCode, 0);
    const QStringList lines = QString::fromUtf8(text.out).trimmed().split('\n');
    QCOMPARE(lines.size(), listed.peakCount + 1);
    for (int row = 0; row < listed.peakCount; ++row)
        QCOMPARE(lines[row + 1],
                 QStringLiteral("%1\t%2\t%3")
                     .arg(row + 1)
                     .arg(w->form.peakField(row, 0)->text(), w->form.peakField(row, 1)->text()));
}

void TestCliAnalysis::ts_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("re");
    for (int i = 0; i < cli::fixtures().size(); ++i) {
        QTest::addRow("%s Re 6.2", cli::fixtures()[i].name) << i << "6.2";
        QTest::addRow("%s Re 5.5", cli::fixtures()[i].name) << i << " 5.5 ";
    }
    QTest::newRow("exponent form") << 1 << "6.1e0";
}

void TestCliAnalysis::ts()
{
    QFETCH(int, index);
    QFETCH(QString, re);
    const QString path = cli::fixturePath(m_dir.path(), cli::fixtures()[index]);
    const auto w = open(path);
    QVERIFY(w);

    // "Ts の計算", Re typed into the entry dialog, the result dialog closed with OK.
    TForm_Re *entry = w->form.formRe();
    TFormTS *result = w->form.formTS();
    whenShown(entry, [=] {
        entry->Edit1->setText(re);
        entry->Button1->click();
    });
    whenShown(result, [=] { result->Button1->click(); });
    w->form.ButtonTS->click();
    QVERIFY2(m_rec->presenter.boxes.isEmpty(), qPrintable(m_rec->presenter.lastText()));
    const auto window = tsValues(w->ts);
    QVERIFY(window[kTsValueCount - 1] > 0.0f);

    const cli::Result r = cli::run({"ts", path, "--re", re, "--json"});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QByteArray());
    const QJsonObject o = r.json().object();
    const char *keys[kTsValueCount] = {"Re", "Rmax", "Fs",  "r0",  "Rx",
                                       "f1", "f2",   "Qms", "Qes", "Qts"};
    for (int i = 0; i < kTsValueCount; ++i)
        QVERIFY2(sameFloat(float(o[keys[i]].toDouble()), window[i]),
                 qPrintable(QStringLiteral("%1: %2 vs %3")
                                .arg(keys[i])
                                .arg(o[keys[i]].toDouble(), 0, 'g', 9)
                                .arg(window[i], 0, 'g', 9)));

    // The text rows: the result window's labels and field texts.
    const cli::Result text = cli::run({"ts", path, "--re", re});
    QCOMPARE(text.exitCode, 0);
    const QStringList lines = QString::fromUtf8(text.out).trimmed().split('\n');
    QCOMPARE(lines.size(), kTsValueCount);
    for (int i = 0; i < kTsValueCount; ++i) {
        QVERIFY(lines[i].startsWith(tsValueLabel(i) + "  "));
        QCOMPARE(lines[i].section(' ', -1), result->field(i)->text());
    }
}

void TestCliAnalysis::circle_data()
{
    QTest::addColumn<double>("qms"); // of the fixtures' model; next to none: a flat curve
    QTest::newRow("woofer") << 4.0;
    QTest::newRow("flat 8 ohm") << 1e-9;
}

void TestCliAnalysis::circle()
{
    QFETCH(double, qms);
    MeasurementRecord record;
    fillRecord(record, 4, SpeakerModel{8.0, 0.0, 48.0, qms, 0.45});
    const QString path = m_dir.filePath(QStringLiteral("circle.DTA"));
    QVERIFY(VELO_File().writeDataFile(path, "A2-0100", 3, &record));
    const auto w = open(path);
    QVERIFY(w);
    const auto values = circleValues(w->form.circle());
    const cli::Result json = cli::run({"circle", path, "--json"});
    const cli::Result text = cli::run({"circle", path});
    QCOMPARE(w->form.circleNote()->text().isEmpty(), w->form.circle().ok());
    QCOMPARE(json.exitCode, w->form.circle().ok() ? 0 : 1);
    if (!w->form.circle().ok()) {
        QCOMPARE(w->form.circleField(0)->text(), emptyFieldText());
        QCOMPARE(json.out, QByteArray());
        QVERIFY(json.errText().contains("no motional circle: the curve has no resonance"));
        return;
    }
    const char *keys[kCircleValueCount] = {"Res_ohm", "fs_Hz", "fa_Hz",
                                           "fb_Hz",   "Qms",   "residual_ohm"};
    const QStringList lines = QString::fromUtf8(text.out).trimmed().split('\n');
    QCOMPARE(lines.size(), kCircleValueCount);
    for (int i = 0; i < kCircleValueCount; ++i) {
        QCOMPARE(json.json()[keys[i]].toDouble(), values[std::size_t(i)]);
        QCOMPARE(w->form.circleField(i)->text(), circleValueText(i, values[std::size_t(i)]));
        QCOMPARE(lines[i].section(' ', -1), w->form.circleField(i)->text());
    }
}

QTEST_MAIN(TestCliAnalysis)
#include "tst_cli_analysis.moc"
