// The compensation window driven from the main window's menu: it shows what the core designs
// for the measurement, refuses a band without the coil's rise and writes the compensated curve.

#include "ScriptedFileChooser.h"
#include "WindowStart.h"
#include "core/files/ZmaText.h"
#include "ui/analysis/CompensationTexts.h"
#include "ui/analysis/TFormCompensation.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

class TestAnalysisCompensation : public QObject
{
    Q_OBJECT
private slots:
    void wiring();
};

void TestAnalysisCompensation::wiring()
{
    QTemporaryDir dir;
    ScopedFileSeams seams;
    auto win = std::make_unique<TFormMain>();
    QVERIFY(startWindow(win.get()));
    MeasurementDocument &doc = win->document();
    QVERIFY(doc.importMeasurement(VELO2_SHARED_DATA_DIR "/real-drivers/seas_l16rnx_0g.zma").ok());
    win->findChild<QAction *>(QStringLiteral("MenuMeasure_Compensation"))->trigger();
    auto *form = win->findChild<TFormCompensation *>(QStringLiteral("FormCompensation"));
    QVERIFY(form && form->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!form->busy() && form->ZobelTable->rowCount() == 4, 20000);

    // The numbers are the core's for the default band and series.
    const ZobelDesign z = designZobel(doc.curveRaw(), 300.0, 20000.0, ESeries::E24);
    QCOMPARE(form->ZobelTable->item(0, 3)->text(), QString::number(z.fitted.flatnessPct, 'f', 2));
    QCOMPARE(form->ZobelTable->item(1, 1)->text(), QString::number(z.snapped.rOhm, 'g', 4));
    QCOMPARE(form->ZobelTable->item(3, 0)->text(), z.classic[1].rule);
    QCOMPARE(form->NotchTable->rowCount(), 2);
    QVERIFY(!form->GraphView->pixmap().isNull());

    // The export writes the measurement with the snapped Zobel across it.
    const QString path = dir.filePath(QStringLiteral("out.zma"));
    seams.files.answers << QStringList{path};
    form->ExportButton->click();
    auto expected = std::make_unique<CurveBlock>();
    compensatedCurve(doc.curveRaw(), doc.measurement().band, zobelNetwork(z.snapped), *expected);
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(),
             zmaText(*expected, doc.measurement().band,
                     QFileInfo(doc.dataFileName()).fileName() + QStringLiteral(" with Zobel")));

    // A second pair: both in the cells, the flatness of both.
    form->SecondPairCheck->setChecked(true);
    const ZobelDesign two = designZobel(doc.curveRaw(), 300.0, 20000.0, ESeries::E24, true);
    QTRY_VERIFY_WITH_TIMEOUT(!form->busy() && form->designs().zobel.fitted.hasSecondPair(), 20000);
    QCOMPARE(form->ZobelTable->item(0, 3)->text(), QString::number(two.fitted.flatnessPct, 'f', 2));
    QVERIFY(form->ZobelTable->item(1, 1)->text().contains(QStringLiteral(" / ")));

    // A band below the coil's rise: the reason, no number, nothing to export; the notch stays.
    form->FromEdit->setText(QStringLiteral("20"));
    form->ToEdit->setText(QStringLiteral("60"));
    emit form->ToEdit->editingFinished();
    QTRY_VERIFY_WITH_TIMEOUT(!form->busy() && form->ZobelLabel->text() ==
                                                  CompensationTexts::zobelRefused(
                                                      ZobelOutcome::NoCoilRise, kMinZobelPoints),
                             20000);
    QCOMPARE(form->ZobelTable->rowCount(), 0);
    QCOMPARE(form->NotchTable->rowCount(), 2);
    QVERIFY(!form->ExportButton->isEnabled());
    form->ShownBox->setCurrentIndex(1);
    QVERIFY(form->ExportButton->isEnabled());
    form->FromEdit->setText(QStringLiteral("abc"));
    emit form->FromEdit->editingFinished();
    QCOMPARE(form->ZobelLabel->text(), CompensationTexts::notANumber(CompensationTexts::fromHz()));
    QCOMPARE(form->NotchTable->rowCount(), 0);
}

QTEST_MAIN(TestAnalysisCompensation)
#include "tst_analysis_compensation.moc"
