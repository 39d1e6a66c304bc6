// The Thiele-Small worksheet window with the simulated unit: the guided measurement with an
// added mass, and the wiring of its outputs.

#include "MeasureBench.h"
#include "ScriptedChoosers.h"
#include "ScriptedFileChooser.h"
#include "core/analysis/WorksheetMessages.h"
#include "core/analysis/fit/ImpedanceFit.h"
#include "core/files/AppPaths.h"
#include "core/qc/QcLimitsBuild.h"
#include "core/qc/QcLimitsFile.h"
#include "ui/analysis/TFormWorksheet.h"
#include "ui/analysis/VentedBoxPart.h"
#include "ui/analysis/WorksheetTexts.h"
#include "ui/common/UnitTexts.h"
#include "ui/graph/Graph_RTF.h"
#include "ui/main/MainRun.h"
#include "ui/main/MainView.h"
#include "ui/qc/QcTexts.h"
#include "ui/qc/TFormQc.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QTableWidget>
#include <QtTest>
#include <cmath>

namespace {

const QString kDriver = QStringLiteral("Re=6,Le=0,Bl=7,Mms=15,Cms=0.9,Rms=1.2,Sd=104");
constexpr int kBand = 4;

// Measures free air and saves it as free.DTA through the window's 保存する.
TFormWorksheet *measureAndSave(MeasureBench &b, ScriptedFileChooser &files, const QString &path)
{
    if (!b.startSim({"--fast", "--driver", kDriver}) || !b.measure(kBand))
        return nullptr;
    files.answers.append({path});
    b.win->findChild<QAction *>("MenuFile_Save")->trigger();
    b.win->findChild<QAction *>("MenuMeasure_Worksheet")->trigger();
    return b.win->findChild<TFormWorksheet *>("FormWorksheet");
}

// The value the detail table shows for a row of a section.
QString shown(const QTableWidget *t, const QString &section, const QString &name)
{
    QString current;
    for (int row = 0; row < t->rowCount(); ++row) {
        if (!t->item(row, 0)->text().isEmpty())
            current = t->item(row, 0)->text();
        if (current == section && t->item(row, 1)->text() == name)
            return t->item(row, 2)->text();
    }
    return QString();
}

} // namespace

class TestAppWorksheet : public QObject
{
    Q_OBJECT
private slots:
    void measureWithMass();
    void outputs();
    void fitOverlay();
    void fitOffThread();
    void boxRunAndMainRunWarning();
    void oneWindowMeasuresAtATime();
    void cliRefusedWhileTheWindowMeasures();
    void ventedBox();
};

void TestAppWorksheet::measureWithMass()
{
    MeasureBench b;
    ScriptedFileChooser files;
    Seams::install(&b.recorder.presenter, &files);
    TFormWorksheet *w = measureAndSave(b, files, b.dir.filePath("free.DTA"));
    QVERIFY(w && w->isVisible());
    w->ReEdit->setText("6");
    w->SdEdit->setText("104");
    w->MassEdit[0]->setText("8.017");

    // The same driver with the mass on its cone, on the same link.
    QVERIFY(b.startSim({"--fast", "--driver", kDriver, "--added-mass", "8.017"}));
    const QByteArray freeAirPoints = QByteArray(b.win->document().measurement().points[50]);
    QTest::mouseClick(w->MassMeasure[0], Qt::LeftButton);
    QVERIFY(w->running());
    QVERIFY(!b.win->findChild<QMenu *>("MenuFile")->menuAction()->isEnabled());
    QVERIFY(waitUntil([w] { return !w->running(); }, 20000));
    QVERIFY2(b.recorder.presenter.boxes.isEmpty(), qPrintable(b.recorder.presenter.lastText()));
    QVERIFY(b.controlsEnabled(true));

    const QString massFile = b.dir.filePath("free_m8.017g.DTA");
    QVERIFY(QFile::exists(massFile));
    const MeasurementDocument &doc = b.win->document();
    QCOMPARE(doc.refCount(), 1);
    QCOMPARE(doc.refFileNames()[0], massFile);
    QCOMPARE(doc.reference(0).band, kBand);
    QCOMPARE(w->MassSlot[0]->currentIndex(), 1);
    // The free-air measurement is untouched.
    QCOMPARE(QByteArray(doc.measurement().points[50]), freeAirPoints);
    QCOMPARE(doc.dataFileName(), b.dir.filePath("free.DTA"));

    QVERIFY(waitUntil([w] { return w->result().singleMass.size() == 1; }));
    const QString mms = shown(w->Detail, WorksheetMessages::sectionSingleMass("8.017"), "Mms");
    QVERIFY2(qAbs(mms.toDouble() / 15.0 - 1.0) < 0.01, qPrintable(mms));

    // Every result, Vas with them, is in view at the size the window opens with.
    QTableWidget *t = w->Comparison;
    QVERIFY(t->findItems(shown(w->Detail, WorksheetMessages::sectionSingleMass("8.017"), "Vas"),
                         Qt::MatchExactly)
                .size() == 1);
    QVERIFY(waitUntil([w, t] {
        const int last = t->rowCount() - 1;
        return t->rowViewportPosition(last) + t->rowHeight(last) <= t->viewport()->height() &&
               t->mapTo(w, QPoint(0, t->height())).y() <= w->height();
    }));

    // Cleared references leave the slot, with a note; the rest of the worksheet stays.
    b.win->findChild<QAction *>("MenuRef_Close")->trigger();
    QCOMPARE(w->MassSlot[0]->currentIndex(), 0);
    QCOMPARE(w->RunLabel->text(),
             WorksheetTexts::slotDropped(WorksheetTexts::massSlot(1), "free_m8.017g.DTA"));
    QVERIFY(waitUntil([w] { return w->result().singleMass.isEmpty(); }));
    QCOMPARE(w->refusal(), QString());
    Seams::install(&b.recorder.presenter);
}

void TestAppWorksheet::oneWindowMeasuresAtATime()
{
    MeasureBench b;
    ScriptedFileChooser files;
    Seams::install(&b.recorder.presenter, &files);
    TFormWorksheet *w = measureAndSave(b, files, b.dir.filePath("free.DTA"));
    QVERIFY(w);
    QcLimits limits;
    QVERIFY(
        makeQcLimits({{"golden", &b.win->document().curveRaw(), kBand}}, {"w", 3, 5, 0}, &limits)
            .isEmpty());
    QVERIFY(writeQcLimitsFile(b.dir.filePath("w.limits"), limits));
    b.win->findChild<QAction *>("MenuMeasure_Qc")->trigger();
    TFormQc *qc = b.win->findChild<TFormQc *>("FormQc");
    qc->LimitsEdit->setText(b.dir.filePath("w.limits"));

    // The worksheet measures: the station's Start waits and a scan is refused by name.
    w->MassEdit[0]->setText("8");
    QTest::mouseClick(w->MassMeasure[0], Qt::LeftButton);
    QVERIFY(w->running());
    QVERIFY(!qc->StartButton->isEnabled() &&
            !b.win->findChild<QPushButton *>("MStartBtn")->isEnabled());
    qc->SerialEdit->setText("A-1");
    QTest::keyClick(qc->SerialEdit, Qt::Key_Return);
    QVERIFY(!qc->running());
    QCOMPARE(qc->RunLabel->text(),
             QcTexts::measureFailed(UnitTexts::heldBy(UnitTexts::worksheetHolder())));
    QVERIFY(waitUntil([w] { return !w->running(); }, 20000));
    QCOMPARE(b.win->document().refFileNames()[0], b.dir.filePath("free_m8g.DTA"));
    QVERIFY(!QFile::exists(b.dir.filePath("A-1.DTA")));

    // Free again: the station measures and now the worksheet waits.
    QVERIFY(qc->StartButton->isEnabled() && w->MassMeasure[0]->isEnabled());
    QTest::keyClick(qc->SerialEdit, Qt::Key_Return);
    QVERIFY(qc->running() && !w->MassMeasure[0]->isEnabled());
    QVERIFY(waitUntil([qc] { return !qc->running(); }, 20000));
    QVERIFY(QFile::exists(b.dir.filePath("A-1.DTA")));
    QVERIFY(w->MassMeasure[0]->isEnabled() && b.controlsEnabled(true));
    Seams::install(&b.recorder.presenter);
}

void TestAppWorksheet::cliRefusedWhileTheWindowMeasures()
{
    MeasureBench b;
    QVERIFY(b.startSim({})); // paced: the run lasts long enough
    b.chooseBand(2);
    b.clickStart();
    QVERIFY(b.win->run().measuring());
    QProcess cli;
    cli.start(QStringLiteral(VELO2_BINARY_DIR "/tools/velo2-cli/velo2-cli"),
              {"measure", "--port", b.comLink(), "--band", "2", "-o", b.dir.filePath("cli.DTA")});
    QVERIFY(waitUntil([&cli] { return cli.state() == QProcess::NotRunning; }, 20000));
    QCOMPARE(cli.exitCode(), 1);
    QVERIFY2(cli.readAllStandardError().contains("another program is measuring on it"),
             "no lock in the message");
    QVERIFY(b.win->run().measuring() && !QFile::exists(b.dir.filePath("cli.DTA")));
    b.clickStart(); // stop
    QVERIFY(b.waitForRunEnd());
}

void TestAppWorksheet::outputs()
{
    MeasureBench b;
    ScriptedFileChooser files;
    ScriptedPrintChooser print;
    Seams::install(&b.recorder.presenter, &files, nullptr, &print);
    TFormWorksheet *w = measureAndSave(b, files, b.dir.filePath("spk.DTA"));
    QVERIFY(w);
    w->ReEdit->setText("6");
    QVERIFY(waitUntil([w] { return w->refusal().isEmpty() && w->Detail->rowCount() > 0; }));

    const QString json = b.dir.filePath("out.json");
    files.answers.append({json});
    w->JsonButton->click();
    QCOMPARE(files.lastSuggested(), QStringLiteral("spk_ts.json"));
    QFile f(json);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QJsonDocument(worksheetJson(w->result())).toJson());

    // The driver for simulators, read back into the inputs as numbers: the file's values.
    const QString driver = b.dir.filePath("spk_driver.json");
    files.answers.append({driver});
    files.answers.append({driver});
    w->DriverExportButton->click();
    QFile exported(driver);
    QVERIFY(exported.open(QIODevice::ReadOnly));
    const double fs = QJsonDocument::fromJson(exported.readAll())
                          .object()
                          .value("parameters")
                          .toObject()
                          .value("Fs_Hz")
                          .toDouble();
    w->DriverImportButton->click();
    QVERIFY(w->FromNumbersGroup->isChecked());
    QVERIFY(waitUntil([w] { return w->result().typed && w->refusal().isEmpty(); }));
    QVERIFY(fs > 0.0 && std::fabs(w->result().classic.Fs / fs - 1.0) < 1e-9);
    w->FromNumbersGroup->setChecked(false);

    w->CopyButton->click();
    const QString text = QApplication::clipboard()->text();
    QCOMPARE(text, w->worksheetText());
    QVERIFY(text.contains(QStringLiteral("Fs\t") +
                          shown(w->Detail, WorksheetMessages::sectionClassic(), "Fs")));

    const QString pdf = b.dir.filePath("sheet.pdf");
    print.onPrint = [pdf](QPrinter *p) {
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(pdf);
        return true;
    };
    w->PrintButton->click();
    QFile printed(pdf);
    QVERIFY(printed.open(QIODevice::ReadOnly));
    const QByteArray bytes = printed.readAll();
    QCOMPARE(bytes.count("/Type /Page\n"), 1);
    QVERIFY(bytes.contains("/Count 1"));

    // A refusal replaces every number.
    w->ReEdit->setText("x");
    QVERIFY(waitUntil([w] { return !w->refusal().isEmpty(); }));
    QCOMPARE(w->Detail->rowCount(), 0);
    QCOMPARE(w->ResultLabel->text(), w->refusal());
    Seams::install(&b.recorder.presenter);
}

void TestAppWorksheet::fitOffThread()
{
    MeasureBench b;
    ScriptedFileChooser files;
    Seams::install(&b.recorder.presenter, &files);
    TFormWorksheet *w = measureAndSave(b, files, b.dir.filePath("semi.DTA"));
    QVERIFY(w);
    w->FitModelBox->setCurrentIndex(2); // semi-inductance: several starts
    // The table is there while the fit still runs; the fit then fills in the motional basis.
    w->ReEdit->setText("7");
    QCoreApplication::processEvents();
    QCOMPARE(w->FitLabel->text(), WorksheetTexts::fitting());
    QVERIFY(w->Detail->rowCount() > 0 && !w->result().motional);
    // A newer request supersedes the one under way.
    w->ReEdit->setText("6");
    QVERIFY(waitUntil([w] { return w->fit().outcome == FitOutcome::Ok; }, 30000));
    QCOMPARE(w->fit().p[PRe], 6.0);
    QVERIFY(w->result().motional && w->FitLabel->text() != WorksheetTexts::fitting());
    // Inputs the fit does not read recompute the table with the fit already there.
    const double cost = w->fit().cost;
    w->SdEdit->setText("104");
    QCoreApplication::processEvents();
    QCOMPARE(w->result().sdM2, 104e-4);
    QVERIFY(w->result().motional && w->FitLabel->text() != WorksheetTexts::fitting());
    QCOMPARE(w->fit().cost, cost);
    // The window and its owner may close while a fit runs.
    w->FitReFree->setChecked(true);
    QCoreApplication::processEvents();
    QCOMPARE(w->FitLabel->text(), WorksheetTexts::fitting());
    Seams::install(&b.recorder.presenter);
}

void TestAppWorksheet::boxRunAndMainRunWarning()
{
    MeasureBench b;
    ScriptedFileChooser files;
    Seams::install(&b.recorder.presenter, &files);
    TFormWorksheet *w = measureAndSave(b, files, b.dir.filePath("free.DTA"));
    QVERIFY(w);
    w->ReEdit->setText("6");
    w->SdEdit->setText("104");
    w->BoxEdit->setText("20");
    QVERIFY(b.startSim({"--fast", "--driver", kDriver, "--box", "20"}));
    QTest::mouseClick(w->BoxMeasure, Qt::LeftButton);
    QVERIFY(w->running() && waitUntil([w] { return !w->running(); }, 20000));
    QCOMPARE(b.win->document().refFileNames()[0], b.dir.filePath("free_box20L.DTA"));
    QCOMPARE(w->BoxSlot->currentIndex(), 1);
    // Vas = rho c² Sd² Cms of the modelled driver: 13.81 L.
    QVERIFY(waitUntil([w] { return w->result().box.has_value(); }));
    QVERIFY(qAbs(w->result().box->set.Vas / 0.01381 - 1.0) < 0.02);

    // A run of the main window would replace the worksheet's free-air curve: asked first.
    const QByteArray freeAir(b.win->document().measurement().points[50]);
    b.recorder.presenter.answers = {false};
    b.clickStart();
    QCOMPARE(b.recorder.presenter.lastText(), WorksheetTexts::askReplaceFreeAir());
    QVERIFY(!b.win->run().measuring());
    QCOMPARE(QByteArray(b.win->document().measurement().points[50]), freeAir);
    Seams::install(&b.recorder.presenter);
}

// The vented box part: a box curve from the references and its volume give the textbook values
// at once and the fit when it reports back, drawn with fL, fM and fH marked.
void TestAppWorksheet::ventedBox()
{
    MeasureBench b;
    ScriptedFileChooser files;
    Seams::install(&b.recorder.presenter, &files);
    TFormWorksheet *w = measureAndSave(b, files, b.dir.filePath("free.DTA"));
    QVERIFY(w);
    QVERIFY(b.startSim({"--fast", "--driver", kDriver, "--vented-box", "20,40,7"}));
    QProcess cli;
    const QString box = b.dir.filePath("vented.DTA");
    cli.start(QStringLiteral(VELO2_BINARY_DIR "/tools/velo2-cli/velo2-cli"),
              {"measure", "--port", b.comLink(), "--band", QString::number(kBand), "-o", box});
    QVERIFY(cli.waitForFinished(20000) && cli.exitCode() == 0);
    files.answers.append({box});
    b.win->findChild<QAction *>("MenuRef_Open")->trigger();
    VentedBoxPart *part = w->VentPart;
    QCOMPARE(part->VentLabel->text(), WorksheetTexts::ventChoose());
    part->VentSlot->setCurrentIndex(1);
    part->VentVbEdit->setText("0");
    QCOMPARE(part->VentLabel->text(), WorksheetTexts::ventVbNotPositive("0"));
    QCOMPARE(part->VentTable->rowCount(), 0);
    w->ReEdit->setText("6");
    part->VentVbEdit->setText("20");
    QCOMPARE(part->VentLabel->text(), WorksheetTexts::fitting());
    QVERIFY(part->result().textbook.ok() && part->VentTable->rowCount() == 11);
    QVERIFY(waitUntil([part] { return part->result().ok(); }, 20000));
    // Vas = ρc²·Sd²·Cms of the modelled driver: 13.81 L; the box as the simulator has it.
    QVERIFY(qAbs(part->result().vasLitres / 13.81 - 1) < 0.005);
    QVERIFY(qAbs(part->result().fbHz / 40 - 1) < 0.01 && qAbs(part->result().ql / 7 - 1) < 0.15);
    QCOMPARE(part->VentTable->item(6, 2)->text(),
             QString::number(part->result().vasLitres, 'f', 2) + " L");
    const VentedBoxTextbook &t = part->result().textbook;
    QCOMPARE(part->VentPlot->marks(), (std::array<double, 3>{t.fLHz, t.fMHz, t.fHHz}));
    QVERIFY(part->VentPlot->modelPoints() > 100);
    Seams::install(&b.recorder.presenter);
}

QTEST_MAIN(TestAppWorksheet)
#include "tst_app_worksheet.moc"

void TestAppWorksheet::fitOverlay()
{
    MeasureBench b;
    ScriptedFileChooser files;
    Seams::install(&b.recorder.presenter, &files);
    TFormWorksheet *w = measureAndSave(b, files, b.dir.filePath("fit.DTA"));
    QVERIFY(w);
    w->ReEdit->setText("6");
    QVERIFY(waitUntil([w] { return w->FitTable->rowCount() > 0; }));
    QVERIFY2(w->fit().outcome == FitOutcome::Ok, qPrintable(w->FitLabel->text()));
    // The methods read the motional impedance of the fit shown beside them.
    QVERIFY(w->result().motional && w->result().fitModel == w->fit().model);

    // The overlay's own colour appears only while it is asked for; off, the picture is as before.
    const QImage before = b.win->view().graph()->bitmap();
    const auto fitPixels = [](const QImage &image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixel(x, y) == qRgb(0, 150, 0);
        return n;
    };
    QCOMPARE(fitPixels(before), 0);
    w->FitShow->setChecked(true);
    QVERIFY(fitPixels(b.win->view().graph()->bitmap()) > 100);
    w->FitShow->setChecked(false);
    QCOMPARE(b.win->view().graph()->bitmap(), before);

    w->FitShow->setChecked(true);
    b.win->close();
    QFile settings(settingsFilePath());
    QVERIFY(settings.open(QIODevice::ReadOnly));
    QCOMPARE(settings.readAll().count("\r\n"), 27);
    Seams::install(&b.recorder.presenter);
}
