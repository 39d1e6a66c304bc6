#include "DocumentProbe.h"
#include "ModalDriver.h"
#include "ScriptedChoosers.h"
#include "ScriptedFileChooser.h"
#include "SpeakerCurve.h"
#include "WaitIdle.h"
#include "WindowStart.h"
#include "core/files/AppPaths.h"
#include "core/files/VELO_File.h"
#include "ui/analysis/TFormCalc.h"
#include "ui/dialogs/TFormSetting.h"
#include "ui/graph/TFormSetColor.h"
#include "ui/main/MainView.h"
#include "ui/main/TFormMain.h"
#include "ui/print/TFormPrnInfo.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

// The settings and print commands of the main window, each through its real dialog.
class TestAppDialogs : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void comPortTypedAndConfirmed_data();
    void comPortTypedAndConfirmed();
    void colourConfirmedRecoloursLabels();
    void colourCancelledChangesNothing();
    void printWithoutMeasurement();
    void printToPdf();
    void analysisFollowsOpenedAndClosedFiles();

private:
    QTemporaryDir *m_dir = nullptr;
    ScopedDialogSeams *m_seams = nullptr;
    TFormMain *m_win = nullptr;
};

void TestAppDialogs::init()
{
    m_dir = new QTemporaryDir;
    setSettingsDirectoryOverride(m_dir->path());
    m_seams = new ScopedDialogSeams;
    m_win = new TFormMain;
    QVERIFY(startWindow(m_win));
}

void TestAppDialogs::cleanup()
{
    delete m_win;
    delete m_seams;
    delete m_dir;
}

void TestAppDialogs::comPortTypedAndConfirmed_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<int>("expected");
    QTest::newRow("COM15 set") << "COM15" << true << 15;
    QTest::newRow("COM256 set") << "COM256" << true << 256;
    QTest::newRow("COM7 cancelled") << "COM7" << false << 1;
}

void TestAppDialogs::comPortTypedAndConfirmed()
{
    QFETCH(QString, typed);
    QFETCH(bool, confirm);
    QFETCH(int, expected);
    bool shown = false;
    whenModalShown<TFormSetting>([&](TFormSetting *d) {
        shown = true;
        QCOMPARE(d->windowTitle(), QStringLiteral("COMポートの設定"));
        QCOMPARE(d->ComboBox1->currentText(), QStringLiteral("COM1"));
        d->ComboBox1->setEditText(typed);
        QTest::mouseClick(confirm ? d->Button1 : d->Button2, Qt::LeftButton);
    });
    m_win->findChild<QAction *>("MenuSet_COM")->trigger();
    QVERIFY(shown);
    QCOMPARE(m_win->preferences().settings.comPort, expected);
    QVERIFY(m_seams->messages.boxes.isEmpty());
}

void TestAppDialogs::colourConfirmedRecoloursLabels()
{
    const QColor chosen(10, 200, 30);
    m_seams->colors.answers = {chosen};
    whenModalShown<TFormSetColor>([&](TFormSetColor *d) {
        QTest::mouseClick(d->PaintBox1, Qt::LeftButton);
        QTest::mouseClick(d->SetBtn, Qt::LeftButton);
    });
    m_win->findChild<QAction *>("MenuSet_Color")->trigger();
    QCOMPARE(m_win->preferences().settings.colorR, toColorRef(chosen));
    QCOMPARE(m_win->findChild<QLabel *>("Label0")->palette().color(QPalette::WindowText), chosen);
    // The grid redrawn with the labels; the θ labels keep their colour.
    QCOMPARE(m_win->findChild<QLabel *>("Label20")->palette().color(QPalette::WindowText),
             toQColor(0x000000FF));
}

void TestAppDialogs::colourCancelledChangesNothing()
{
    m_seams->colors.answers = {QColor(1, 2, 3)};
    whenModalShown<TFormSetColor>([&](TFormSetColor *d) {
        QTest::mouseClick(d->PaintBox1, Qt::LeftButton);
        QTest::mouseClick(d->CancelBtn, Qt::LeftButton);
    });
    m_win->findChild<QAction *>("MenuSet_Color")->trigger();
    QCOMPARE(m_win->preferences().settings.colorR, ColorRef(0x00FF0000));
    QCOMPARE(m_win->findChild<QLabel *>("Label0")->palette().color(QPalette::WindowText),
             toQColor(0x00FF0000));
}

void TestAppDialogs::printWithoutMeasurement()
{
    m_win->findChild<QAction *>("MenuFile_Print")->trigger();
    QCOMPARE(m_seams->messages.boxes.size(), 1);
    QCOMPARE(m_seams->messages.lastText(), QStringLiteral("データがありません"));
    QVERIFY(m_seams->print.printCalls.isEmpty());
}

void TestAppDialogs::printToPdf()
{
    fillRecord(DocumentProbe::measurement(m_win->document()), 2, SpeakerModel{});
    QVERIFY(VELO_File().convertRecord(&DocumentProbe::measurement(m_win->document()),
                                      &DocumentProbe::curveRaw(m_win->document()),
                                      &DocumentProbe::curveAvg(m_win->document())));
    m_win->view().showMeasurement();
    const QString pdf = m_dir->filePath(QStringLiteral("page.pdf"));
    m_seams->print.onPrint = [&](QPrinter *printer) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        return true;
    };
    whenModalShown<TFormPrnInfo>([](TFormPrnInfo *d) {
        d->Edit1->setText(QStringLiteral("SPK-01"));
        d->Edit3->clear();
        QTest::mouseClick(d->Button1, Qt::LeftButton);
    });
    m_win->findChild<QAction *>("MenuFile_Print")->trigger();
    QCOMPARE(m_seams->print.printCalls.size(), 1);
    QVERIFY(m_seams->messages.boxes.isEmpty());
    QCOMPARE(m_win->preferences().settings.printInfo[0], QStringLiteral("SPK-01"));
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("%PDF"));
    QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                 bytes.count("/Type /Page "),
             qsizetype(1));
}

void TestAppDialogs::analysisFollowsOpenedAndClosedFiles()
{
    // Two drivers with different resonances, saved as data files.
    auto writeDriver = [this](const QString &name, double fs) {
        MeasurementRecord rec;
        SpeakerModel model;
        model.fs = fs;
        fillRecord(rec, 2, model);
        const QString path = m_dir->filePath(name);
        VELO_File().writeDataFile(path, "0123", 1, &rec);
        return path;
    };
    const QString low = writeDriver(QStringLiteral("low.DTA"), 30);
    const QString high = writeDriver(QStringLiteral("high.DTA"), 90);
    ScriptedFileChooser files;
    Seams::install(&m_seams->messages, &files, &m_seams->colors, &m_seams->print);

    files.answers = {{low}};
    m_win->findChild<QAction *>("MenuFile_Open")->trigger();
    m_win->findChild<QAction *>("MenuMesure_Calc")->trigger();
    QVERIFY(m_win->findChild<TFormCalc *>("FormCalc")->isVisible());
    QCOMPARE(m_win->findChild<TFormCalc *>("FormCalc")->peakCount(), 1);
    const QString lowPeak = m_win->findChild<TFormCalc *>("FormCalc")->peakField(0, 0)->text();
    QVERIFY2(lowPeak.toDouble() > 25 && lowPeak.toDouble() < 35, qPrintable(lowPeak));

    // Opening another file searches again while the window stays open.
    files.answers = {{high}};
    m_win->findChild<QAction *>("MenuFile_Open")->trigger();
    QVERIFY(waitUntil([&] {
        return m_win->findChild<TFormCalc *>("FormCalc")->peakField(0, 0)->text() != lowPeak;
    }));
    const QString highText = m_win->findChild<TFormCalc *>("FormCalc")->peakField(0, 0)->text();
    QVERIFY(highText.toDouble() > 80 && highText.toDouble() < 100);

    // Closing it keeps the curve, and the window its peaks.
    m_win->findChild<QAction *>("MenuFile_Close")->trigger();
    QCoreApplication::sendPostedEvents(m_win->findChild<TFormCalc *>("FormCalc"));
    QCOMPARE(m_win->findChild<TFormCalc *>("FormCalc")->peakField(0, 0)->text(), highText);
    QVERIFY(m_seams->messages.boxes.isEmpty());
}

QTEST_MAIN(TestAppDialogs)
#include "tst_app_dialogs.moc"
