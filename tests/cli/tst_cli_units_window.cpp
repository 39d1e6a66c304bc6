// The units window's wiring: files chosen through the dialog seam give the numbers velo2-cli
// stats and match give for them, and the envelope reaches the main graph and leaves with the
// window.
#include "CliTestSupport.h"
#include "ScriptedFileChooser.h"
#include "WindowStart.h"
#include "core/qc/log/LogConnection.h"
#include "core/qc/log/LogSchema.h"
#include "core/qc/log/LogStore.h"
#include "ui/analysis/TFormUnits.h"
#include "ui/main/MainView.h"
#include "ui/main/TFormMain.h"

#include <QAction>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

class TestCliUnitsWindow : public QObject
{
    Q_OBJECT
private slots:
    void tableSetsAndEnvelope();
};

void TestCliUnitsWindow::tableSetsAndEnvelope()
{
    QTemporaryDir dir;
    QStringList files;
    const double fs[] = {60.0, 51.0, 54.0, 50.2, 57.0};
    for (int i = 0; i < 5; ++i) {
        SpeakerModel m;
        m.fs = fs[i];
        m.le = 1e-6;
        MeasurementRecord record;
        fillRecord(record, 4, m);
        files << dir.filePath(QStringLiteral("u%1.DTA").arg(i));
        QVERIFY(VELO_File().writeDataFile(files.last(), "S1", 3, &record));
    }
    const QString broken = dir.filePath(QStringLiteral("broken.DTA"));
    QFile(broken).open(QIODevice::WriteOnly);

    ScopedFileSeams seams;
    seams.files.answers << files + QStringList{broken};
    auto *win = new TFormMain;
    QVERIFY(startWindow(win));
    win->findChild<QAction *>(QStringLiteral("MenuMeasure_Units"))->trigger();
    auto *units = win->findChild<TFormUnits *>();
    QVERIFY(units && units->isVisible());
    units->ReChoiceBox->setCurrentIndex(0);
    units->ReEdit->setText(QStringLiteral("6.2"));
    units->AddFilesButton->click();
    QTRY_VERIFY_WITH_TIMEOUT(!units->busy() && units->load(), 20000);
    QVERIFY(units->StatusLabel->text().contains(broken));

    // Rows of units, then mean, sigma, min, max; columns file, Re, Fs, Qms, Qes, Qts, Zmax.
    const QJsonObject stats =
        cli::run(QStringList{"stats", "--re", "6.2", "--json"} + files).json().object();
    const char *keys[] = {"Re_ohm", "Fs_Hz", "Qms", "Qes", "Qts", "Zmax_ohm"};
    const char *summary[] = {"mean", "sigma", "min", "max"};
    QCOMPARE(units->UnitsTable->rowCount(), 5 + 4);
    QCOMPARE(units->TrendTable->rowCount(), 5);
    auto close = [](const QString &cell, double want) {
        return std::abs(cell.toDouble() - want) <= 1e-5 * std::abs(want);
    };
    for (int c = 0; c < 6; ++c) {
        for (int row = 0; row < 5; ++row)
            QVERIFY2(close(units->UnitsTable->item(row, 1 + c)->text(),
                           stats["units"][row][keys[c]].toDouble()),
                     keys[c]);
        for (int s = 0; s < 4; ++s)
            QVERIFY2(close(units->UnitsTable->item(5 + s, 1 + c)->text(),
                           stats["summary"][keys[c]][summary[s]].toDouble()),
                     summary[s]);
    }

    // The envelope and the chosen unit are what the main graph draws.
    const GraphScale &scale = win->view().scale();
    QVERIFY(win->view().showingUnits());
    QVERIFY(scale.spreadUpper && scale.spreadLower);
    QCOMPARE(scale.curveShown, units->load()->in.units[0].raw.get());

    // Sizes that do not add up show no split.
    units->SetsSpin->setValue(2);
    units->SizesEdit->setText(QStringLiteral("4"));
    units->MatchButton->click();
    QVERIFY(units->MatchLabel->text().contains(QStringLiteral("8")));
    QCOMPARE(units->SetsTable->rowCount(), 0);
    units->SizesEdit->clear();
    units->MatchButton->click();
    QTRY_VERIFY_WITH_TIMEOUT(!units->busy() && units->SetsTable->rowCount() == 2, 20000);
    const QJsonObject match =
        cli::run(QStringList{"match", "--sets", "2", "--re", "6.2", "--json"} + files)
            .json()
            .object();
    for (int s = 0; s < 2; ++s) {
        QStringList names;
        for (const QJsonValue &f : match["sets"][s]["files"].toArray())
            names << QFileInfo(f.toString()).fileName();
        QCOMPARE(units->SetsTable->item(s, 2)->text(), names.join(QStringLiteral(", ")));
    }

    // From a results log: the units that passed, a deleted file named with its reason.
    const QString log = dir.filePath(QStringLiteral("log.sqlite"));
    {
        LogConnection c;
        QString error;
        QVERIFY(c.open(parseLogTarget(log)) && LogSchema::migrate(c.db(), &error));
        RecordWriter writer(c.db());
        const QStringList saved{files[3], files[1], dir.filePath(QStringLiteral("gone.DTA"))};
        for (int i = 0; i < 3; ++i) {
            QcRecord r;
            r.station = QStringLiteral("st1");
            r.runId = QString::number(i);
            r.timeUtc = QDateTime::currentDateTimeUtc();
            r.passed = i != 1;
            r.dataFile = saved[i];
            bool added = false;
            QVERIFY(writer.write(r, &added));
        }
    }
    units->ClearButton->click();
    LogUnitsQuery passed;
    passed.verdict = LogUnitsQuery::Verdict::Passed;
    units->addLogUnits(log, passed);
    QTRY_VERIFY_WITH_TIMEOUT(!units->busy() && units->load(), 20000);
    QCOMPARE(units->load()->in.units.size(), std::size_t(1));
    QCOMPARE(units->load()->in.units[0].path, files[3]);
    QVERIFY(units->StatusLabel->text().contains(dir.filePath(QStringLiteral("gone.DTA"))));

    units->close();
    QVERIFY(!win->view().showingUnits());
    QVERIFY(!scale.spreadUpper && scale.curveShown != units->load()->in.units[0].raw.get());
    delete win;
}

QTEST_MAIN(TestCliUnitsWindow)
#include "tst_cli_units_window.moc"
