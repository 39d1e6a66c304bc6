// The QC station's wiring: a scanned serial ending with Return measures with the simulated
// unit, shows PASS or FAIL with the reasons and saves <serial>.DTA.

#include "MeasureBench.h"
#include "ModalDriver.h"
#include "core/qc/QcLimitsBuild.h"
#include "core/qc/QcLimitsFile.h"
#include "core/qc/grr/GaugeMessages.h"
#include "core/qc/log/LogConnection.h"
#include "core/qc/log/LogSchema.h"
#include "core/qc/log/LogStore.h"
#include "core/qc/log/LogTarget.h"
#include "ui/qc/GaugeStudyDialog.h"
#include "ui/qc/QcTexts.h"
#include "ui/qc/TDialogQcCharts.h"
#include "ui/qc/TFormQc.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

class TestAppQc : public QObject
{
    Q_OBJECT
private slots:
    void scanMeasureJudgeSave();
    void logsWhileTheNextUnitMeasures();
    void gaugeStudyMode();
    void chartsOfTheStationLog();
    void fastSweep();
};

namespace {

const QString driver = QStringLiteral("Re=5.7,Le=0.5,Fs=40,Qms=3,Qes=0.45");

// The station with limits from one golden unit measured in the main window.
TFormQc *openStation(MeasureBench &b)
{
    Seams::install(&b.recorder.presenter);
    QcLimits limits;
    if (!b.startSim({"--fast", "--driver", driver}) || !b.measure(2) ||
        !makeQcLimits({{"golden", &b.win->document().curveRaw(), 2}}, {"w", 3, 5, 0}, &limits)
             .isEmpty() ||
        !writeQcLimitsFile(b.dir.filePath("w.limits"), limits))
        return nullptr;
    b.win->findChild<QAction *>("MenuMeasure_Qc")->trigger();
    TFormQc *qc = b.win->findChild<TFormQc *>("FormQc");
    qc->LimitsEdit->setText(b.dir.filePath("w.limits"));
    QTest::keyClick(qc->LimitsEdit, Qt::Key_Return);
    return qc;
}

} // namespace

void TestAppQc::scanMeasureJudgeSave()
{
    MeasureBench b;
    TFormQc *qc = openStation(b);
    QVERIFY(qc && qc->isVisible());
    const QString limitsPath = b.dir.filePath("w.limits");
    const QImage bandOnly = qc->GraphView->pixmap().toImage();
    const QByteArray mainPoints(b.win->document().measurement().points[100]);
    auto scan = [qc](const QString &serial) {
        QTest::keyClicks(qc->SerialEdit, serial);
        QTest::keyClick(qc->SerialEdit, Qt::Key_Return);
    };
    // A refused number is selected, so the next scan replaces it.
    scan("C/D");
    QVERIFY(!qc->running());
    QCOMPARE(qc->SerialEdit->selectedText(), QStringLiteral("C/D"));

    struct Unit {
        QString serial;
        QString driver;
        QString verdict;
    };
    for (const Unit &u : {Unit{"A-001", driver, "PASS"},
                          Unit{"A-002", "Re=5.7,Le=0.5,Fs=46.4,Qms=3,Qes=0.45", "FAIL"}}) {
        QVERIFY(b.startSim({"--fast", "--driver", u.driver}));
        scan(u.serial);
        QVERIFY(qc->running());
        QCOMPARE(qc->SerialEdit->text(), u.serial);
        // A scan while the unit measures is refused aloud and measures nothing.
        scan("X-9");
        QVERIFY(qc->running());
        QVERIFY(qc->NoticeLabel->text().contains("X-9"));
        QVERIFY(waitUntil([qc] { return !qc->running(); }, 20000));
        QVERIFY(!QFile::exists(b.dir.filePath("X-9.DTA")));
        QCOMPARE(qc->SerialEdit->selectedText(), QStringLiteral("X-9"));
        QCOMPARE(qc->VerdictLabel->text(), u.verdict);
        QCOMPARE(qc->ReasonsText->toPlainText().isEmpty(), u.verdict == "PASS");
        QVERIFY(QFile::exists(b.dir.filePath(u.serial + ".DTA")));
        QVERIFY2(waitUntil([qc] { return qc->LogLabel->text().contains("VELO2_qc_log.sqlite"); }),
                 qPrintable(qc->LogLabel->text()));
    }
    QVERIFY(qc->ReasonsText->toPlainText().startsWith("Fs 46."));
    // A unit without a resonance (a flat 8 ohm) fails and is logged all the same.
    QFile flat(b.dir.filePath("flat.txt"));
    QVERIFY(flat.open(QIODevice::WriteOnly));
    flat.write("10 8 0\n1000 8 0\n100000 8 0\n");
    flat.close();
    QVERIFY(b.startSim({"--fast", "--curve", flat.fileName()}));
    qc->SerialEdit->setText("A-003");
    QTest::keyClick(qc->SerialEdit, Qt::Key_Return);
    QVERIFY(waitUntil([qc] { return !qc->running(); }, 20000));
    QCOMPARE(qc->VerdictLabel->text(), QStringLiteral("FAIL"));
    QVERIFY(qc->ReasonsText->toPlainText().startsWith("no resonance"));
    QVERIFY(waitUntil([qc, &b] {
        return qc->LogLabel->text() == QcTexts::logged(b.dir.filePath("VELO2_qc_log.sqlite"));
    }));
    // A serial longer than the log takes is refused before the run.
    qc->SerialEdit->setText(QString(129, QLatin1Char('x')));
    QTest::keyClick(qc->SerialEdit, Qt::Key_Return);
    QVERIFY(!qc->running());
    QCOMPARE(qc->RunLabel->text(), QcTexts::serialTooLong(129, 128));
    // A refused unit leaves nothing of the one before on screen.
    scan("C/D");
    QVERIFY(qc->LogLabel->text().isEmpty() && qc->NoticeLabel->text().isEmpty());
    QCOMPARE(qc->GraphView->pixmap().toImage(), bandOnly);
    // The main window's measurement is not the station's.
    QCOMPARE(QByteArray(b.win->document().measurement().points[100]), mainPoints);
    QVERIFY(b.controlsEnabled(true));
    // The next start of the station has the same limits.
    QCOMPARE(TFormQc(QcStationHost{}).LimitsEdit->text(), limitsPath);
}

void TestAppQc::logsWhileTheNextUnitMeasures()
{
    MeasureBench b;
    TFormQc *qc = openStation(b);
    QVERIFY(qc);
    QTcpServer silent; // takes the connection and never answers
    QVERIFY(silent.listen(QHostAddress::LocalHost));
    qc->DbEdit->setText(QStringLiteral("postgresql://qc@127.0.0.1:%1/qc?connect_timeout=60")
                            .arg(silent.serverPort()));
    // The first result waits for the server while the second unit measures.
    for (const QString serial : {"B-001", "B-002"}) {
        qc->SerialEdit->setText(serial);
        QTest::keyClick(qc->SerialEdit, Qt::Key_Return);
        QVERIFY(waitUntil([qc] { return !qc->running(); }, 20000));
        QCOMPARE(qc->VerdictLabel->text(), QStringLiteral("PASS"));
        QCOMPARE(qc->LogLabel->text(), QcTexts::logging(serial));
        // The server holds the log's connection, not the window.
        QVERIFY(waitUntil([&silent] { return silent.hasPendingConnections(); }));
        QCOMPARE(qc->LogLabel->text(), QcTexts::logging(serial));
    }
    // Closing the station waits a bounded time: both results are in the spool already.
    qc->close();
    LogConnection spool;
    QVERIFY(spool.open(parseLogTarget(b.dir.filePath("VELO2_qc_spool.sqlite")), true));
    QSqlQuery q(spool.db());
    QVERIFY(q.exec("SELECT group_concat(serial) FROM (SELECT serial FROM qc_unit JOIN qc_outbox "
                   "USING (station, run_id) ORDER BY run_id)") &&
            q.next());
    QCOMPARE(q.value(0).toString(), QStringLiteral("B-001,B-002"));
    while (QTcpSocket *s = silent.nextPendingConnection())
        s->abort();
    silent.close();
    QVERIFY(waitUntil([qc] { return qc->LogLabel->text() != QcTexts::logging("B-002"); }, 30000));
    QVERIFY2(qc->LogLabel->text().startsWith(QcTexts::logSpooled(QString())),
             qPrintable(qc->LogLabel->text()));
}

// The guided study: set up in the dialog, each run kept as the cell the window named, the
// verdicts' log untouched, the result shown after the last run.
void TestAppQc::gaugeStudyMode()
{
    MeasureBench b;
    TFormQc *qc = openStation(b);
    QVERIFY(qc);
    whenModalShown<GaugeStudyDialog>([](GaugeStudyDialog *d) {
        d->NameEdit->setText("g1");
        d->OperatorsEdit->setText("A");
        d->accept(); // one operator: refused in the dialog
        QCOMPARE(d->ProblemLabel->text(), GaugeMessages::badAppraisers());
        d->OperatorsEdit->setText("A, B");
        d->PartsSpin->setValue(2);
        d->TrialsSpin->setValue(2);
        d->accept();
    });
    qc->StudyButton->click();
    QVERIFY(waitUntil(
        [qc] { return qc->StudyLabel->text() == QcTexts::studyNext("g1", "A", 1, 1, 2, 0, 8); }));
    // Each part its own driver, each run its own noise.
    const QList<GaugeCell> order{{1, "A", 1}, {2, "A", 1}, {1, "B", 1}, {2, "B", 1},
                                 {1, "A", 2}, {2, "A", 2}, {1, "B", 2}, {2, "B", 2}};
    for (int i = 0; i < order.size(); ++i) {
        const GaugeCell &c = order[i];
        QVERIFY(
            b.startSim({"--fast", "--noise", "0.3", "--seed", QString::number(i + 1), "--driver",
                        QString("Re=5.7,Le=0.5,Fs=%1,Qms=3,Qes=0.45").arg(c.part == 1 ? 40 : 41)}));
        QTest::keyClick(qc->SerialEdit, Qt::Key_Return);
        QVERIFY(qc->running());
        QVERIFY(waitUntil([qc] { return !qc->running(); }, 20000));
        const QString kept = QcTexts::logged(QcTexts::studyCell(c.part, c.appraiser, c.trial));
        QVERIFY2(waitUntil([qc, kept] { return qc->LogLabel->text() == kept; }),
                 qPrintable(qc->LogLabel->text()));
    }
    QVERIFY(waitUntil([qc] { return qc->StudyLabel->text() == QcTexts::studyDone("g1"); }));
    const QStringList lines = qc->ReasonsText->toPlainText().split('\n');
    QCOMPARE(lines.size(), 6); // one per parameter
    QVERIFY2(lines.filter(QRegularExpression("^Fs：%GRR [0-9.]+ %、ndc [0-9]+、")).size() == 1,
             qPrintable(lines.join('|')));
    // Once done, Return measures nothing and the result stays; the verdicts' log holds no unit.
    QTest::keyClick(qc->SerialEdit, Qt::Key_Return);
    QVERIFY(!qc->running());
    QCOMPARE(qc->ReasonsText->toPlainText(), lines.join('\n'));
    {
        LogConnection log;
        QVERIFY(log.open(parseLogTarget(b.dir.filePath("VELO2_qc_log.sqlite")), true));
        QSqlQuery q(log.db());
        QVERIFY(q.exec("SELECT (SELECT count(*) FROM qc_unit), (SELECT count(DISTINCT part || "
                       "operator || trial) FROM qc_study_value)") &&
                q.next());
        QCOMPARE(q.value(0).toInt(), 0);
        QCOMPARE(q.value(1).toInt(), 8);
    }
    // Back to verdicts.
    qc->StudyButton->click();
    QVERIFY(qc->StudyLabel->text().isEmpty());
    QCOMPARE(qc->StudyButton->text(), QcTexts::studyButton());
}

// The charts button reads the station's log (off the window's thread) into the charts window.
void TestAppQc::chartsOfTheStationLog()
{
    QTemporaryDir dir;
    const QString log = dir.filePath("log.sqlite");
    {
        LogConnection c;
        QString error;
        QVERIFY(c.open(parseLogTarget(log)) && LogSchema::migrate(c.db(), &error));
        RecordWriter writer(c.db());
        for (int i = 0; i < 4; ++i) {
            QcRecord r{"st1", QString("run-%1").arg(i),
                       QDateTime(QDate(2026, 3, 1 + i / 2), QTime(12, i), QTimeZone::utc())};
            r.passed = true;
            r.parameters << QcParameter{"Fs", 30.0 + i, 25.0, 35.0};
            bool added = false;
            QVERIFY2(writer.write(r, &added), qPrintable(writer.error()));
        }
    }
    TFormQc qc{QcStationHost{}};
    qc.DbEdit->setText(log);
    qc.ChartsButton->click();
    auto *charts = qc.findChild<TDialogQcCharts *>("DialogQcCharts");
    QVERIFY(charts && charts->isVisible());
    QVERIFY(waitUntil([charts] { return charts->ParameterCombo->count() == 1; }, 20000));
    QCOMPARE(charts->ParameterCombo->currentText(), QStringLiteral("Fs"));
    QCOMPARE(charts->PeriodTable->rowCount(), 2);
    QCOMPARE(charts->PeriodTable->item(1, 1)->text(), QStringLiteral("2"));
    QVERIFY(!charts->ChartView->pixmap().isNull());
}

// Limits with a sweep: the station asks the unit for just those bands, in order, and judges them.
void TestAppQc::fastSweep()
{
    MeasureBench b;
    TFormQc *qc = openStation(b);
    QVERIFY(qc);
    QFile file(b.dir.filePath("w.limits"));
    QVERIFY(file.open(QIODevice::ReadWrite));
    QByteArray text = file.readAll().replace("# param NAME", "sweep 9 5\n# param NAME");
    QVERIFY(file.resize(0) && file.write(text) == text.size());
    file.close();
    const int before = int(b.sim.commands().size());
    qc->SerialEdit->setText("F-1");
    QTest::keyClick(qc->SerialEdit, Qt::Key_Return);
    QVERIFY(waitUntil([qc] { return !qc->running(); }, 20000));
    QCOMPARE(qc->VerdictLabel->text(), QStringLiteral("PASS"));
    QStringList bands = b.commandsAfter(before).filter(QRegularExpression("^M\\d$"));
    QCOMPARE(bands, QStringList({"M9", "M5"}));
    QVERIFY(QFileInfo::exists(b.dir.filePath("F-1.DTA")));
}

QTEST_MAIN(TestAppQc)
#include "tst_app_qc.moc"
