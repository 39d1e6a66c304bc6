#include "ModalDriver.h"
#include "PrintFixtures.h"
#include "ScriptedChoosers.h"
#include "core/files/AnsiText.h"
#include "core/print/PrintLayout.h"
#include "ui/common/TH_Message.h"
#include "ui/print/PrintCommands.h"
#include "ui/print/TFormPrnInfo.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Counts how often a widget was shown.
class ShowCounter : public QObject
{
public:
    int shows = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            ++shows;
        return false;
    }
};

// What the user does in the information dialog: fill the three fields, then press a button.
void answerInfoDialog(const QStringList &lines, bool print)
{
    whenModalShown<TFormPrnInfo>([lines, print](TFormPrnInfo *dlg) {
        QLineEdit *edits[] = {dlg->Edit1, dlg->Edit2, dlg->Edit3};
        for (int i = 0; i < 3; ++i)
            if (i < lines.size())
                edits[i]->setText(lines[i]);
        QTest::mouseClick(print ? dlg->Button1 : dlg->Button2, Qt::LeftButton);
    });
}

} // namespace

class TestPrintFlow : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void infoDialogDesign();
    void infoDialogClosing_data();
    void infoDialogClosing();
    void infoDialogRefillsEachTime();
    void infoDialogKeepsLinesSingle();
    void noMeasurement();
    void infoCancelled();
    void printDialogCancelledKeepsTheLines();
    void printed_data();
    void printed();
    void printFailure();
    void pdfResolutionIsCapped();
    void setupChoicesStayForPrinting();

private:
    PrintRequest request(bool valid = true);
    QStringList printInfo() const
    {
        return {fromAnsi(m_settings.printInfo[0]), fromAnsi(m_settings.printInfo[1]),
                fromAnsi(m_settings.printInfo[2])};
    }

    QTemporaryDir *m_dir = nullptr;
    ScopedDialogSeams *m_seams = nullptr;
    QWidget *m_owner = nullptr;
    TFormPrnInfo *m_info = nullptr;
    ShowCounter *m_infoShows = nullptr;
    FakePrintSource *m_source = nullptr;
    LabelTable *m_labels = nullptr;
    TH_Message *m_message = nullptr;
    Settings m_settings;
};

void TestPrintFlow::init()
{
    m_dir = new QTemporaryDir;
    m_seams = new ScopedDialogSeams;
    m_owner = new QWidget;
    m_owner->show();
    m_info = new TFormPrnInfo(m_owner);
    m_infoShows = new ShowCounter;
    m_info->installEventFilter(m_infoShows);
    m_source = new FakePrintSource;
    m_labels = new LabelTable;
    m_message = new TH_Message(QStringLiteral("HK-A2"), QStringLiteral("VELO2 v2.3"));
    m_settings = Settings();
    m_settings.printInfo[0] = "Tweeter T1";
    m_settings.printInfo[2] = "2024-05-01";
}

void TestPrintFlow::cleanup()
{
    delete m_message;
    delete m_labels;
    delete m_source;
    delete m_info;
    delete m_infoShows;
    delete m_owner;
    delete m_seams;
    delete m_dir;
}

PrintRequest TestPrintFlow::request(bool valid)
{
    PrintRequest r;
    r.owner = m_owner;
    r.infoDialog = m_info;
    r.message = m_message;
    r.settings = &m_settings;
    r.renderer = m_source;
    r.labels = m_labels->table();
    r.measurementValid = valid;
    return r;
}

void TestPrintFlow::infoDialogDesign()
{
    quint8 cancel = 0xEE;
    m_info->mPrepare(&m_settings, &cancel);
    m_info->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_info));
    QCOMPARE(m_info->windowTitle(), QStringLiteral("VELO グラフ印刷"));
    QCOMPARE(m_info->Label1->text(), QStringLiteral("印刷する測定情報の設定"));
    QCOMPARE(m_info->Button1->text(), QStringLiteral("印刷"));
    QCOMPARE(m_info->Button2->text(), QStringLiteral("取消し"));
    QVERIFY(m_info->Button2->x() < m_info->Button1->x());
    QVERIFY(m_info->Edit1->y() < m_info->Edit2->y());
    QVERIFY(m_info->Edit2->y() < m_info->Edit3->y());
    QVERIFY(!(m_info->windowFlags() & Qt::WindowCloseButtonHint));
    // The fields start with the settings' lines.
    QCOMPARE(m_info->Edit1->text(), QStringLiteral("Tweeter T1"));
    QCOMPARE(m_info->Edit2->text(), QString());
    QCOMPARE(m_info->Edit3->text(), QStringLiteral("2024-05-01"));
    QCOMPARE(cancel, quint8(1));
}

void TestPrintFlow::infoDialogClosing_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("stored");
    QTest::newRow("印刷") << "print" << true;
    QTest::newRow("取消し") << "cancel" << false;
    QTest::newRow("window closed") << "close" << false;
    QTest::newRow("Escape") << "escape" << false;
}

void TestPrintFlow::infoDialogClosing()
{
    QFETCH(QString, how);
    QFETCH(bool, stored);
    quint8 cancel = 0xEE;
    m_info->mPrepare(&m_settings, &cancel);
    m_info->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_info));
    m_info->Edit1->clear();
    QTest::keyClicks(m_info->Edit2, QStringLiteral("Bass reflex"));
    m_info->Edit3->setText(QStringLiteral("測定: 2回目"));
    if (how == "print")
        QTest::mouseClick(m_info->Button1, Qt::LeftButton);
    else if (how == "cancel")
        QTest::mouseClick(m_info->Button2, Qt::LeftButton);
    else if (how == "close")
        m_info->close();
    else
        QTest::keyClick(m_info, Qt::Key_Escape);
    QVERIFY(!m_info->isVisible());
    QCOMPARE(cancel, quint8(stored ? 0 : 1));
    QCOMPARE(printInfo(), stored ? (QStringList{"", "Bass reflex", "測定: 2回目"})
                                 : (QStringList{"Tweeter T1", "", "2024-05-01"}));
}

void TestPrintFlow::infoDialogRefillsEachTime()
{
    quint8 cancel = 0;
    m_info->mPrepare(&m_settings, &cancel);
    m_info->show();
    m_info->Edit1->setText(QStringLiteral("dropped"));
    QTest::mouseClick(m_info->Button2, Qt::LeftButton);

    m_settings.printInfo[1] = "changed elsewhere";
    m_info->mPrepare(&m_settings, &cancel);
    m_info->show();
    QCOMPARE(m_info->Edit1->text(), QStringLiteral("Tweeter T1"));
    QCOMPARE(m_info->Edit2->text(), QStringLiteral("changed elsewhere"));
}

void TestPrintFlow::infoDialogKeepsLinesSingle()
{
    // A pasted text keeps its line breaks in the field; the settings file cannot. A line left
    // as it was keeps its bytes, even those no character stands for.
    m_settings.printInfo[0] = "SN\x82";
    quint8 cancel = 0;
    m_info->mPrepare(&m_settings, &cancel);
    m_info->show();
    m_info->Edit2->clear();
    m_info->Edit2->insert(QStringLiteral("one\r\ntwo\nthree"));
    QTest::mouseClick(m_info->Button1, Qt::LeftButton);
    QCOMPARE(m_settings.printInfo[1], QByteArray("one  two three"));
    QCOMPARE(m_settings.printInfo[0], QByteArray("SN\x82"));
}

void TestPrintFlow::noMeasurement()
{
    QCOMPARE(runPrintFlow(request(false)), PrintOutcome::NoData);
    QCOMPARE(m_seams->messages.boxes.size(), 1);
    QCOMPARE(m_seams->messages.boxes[0].text, QStringLiteral("データがありません"));
    QCOMPARE(m_seams->messages.boxes[0].icon, MessagePresenter::Icon::Error);
    QCOMPARE(m_seams->messages.boxes[0].caption, QStringLiteral("VELO2 v2.3"));
    QCOMPARE(m_infoShows->shows, 0);
    QVERIFY(m_seams->print.printCalls.isEmpty());
    QVERIFY(m_source->draws.isEmpty());
}

void TestPrintFlow::infoCancelled()
{
    answerInfoDialog({"edited", "edited", "edited"}, false);
    QCOMPARE(runPrintFlow(request()), PrintOutcome::InfoCancelled);
    QCOMPARE(m_infoShows->shows, 1);
    QVERIFY(m_seams->print.printCalls.isEmpty());
    QVERIFY(m_seams->messages.boxes.isEmpty());
    QCOMPARE(printInfo(), (QStringList{"Tweeter T1", "", "2024-05-01"}));
}

void TestPrintFlow::printDialogCancelledKeepsTheLines()
{
    const QString pdf = m_dir->filePath(QStringLiteral("never.pdf"));
    m_seams->print.onPrint = [pdf](QPrinter *p) {
        printToPdf(p, pdf);
        return false;
    };
    answerInfoDialog({"Woofer", "Sealed", ""}, true);
    QCOMPARE(runPrintFlow(request()), PrintOutcome::PrinterCancelled);
    QCOMPARE(m_seams->print.printCalls.size(), 1);
    QCOMPARE(printInfo(), (QStringList{"Woofer", "Sealed", ""}));
    QVERIFY(m_source->draws.isEmpty());
    QVERIFY(!QFileInfo::exists(pdf));
    QVERIFY(m_seams->messages.boxes.isEmpty());
}

void TestPrintFlow::printed_data()
{
    QTest::addColumn<bool>("withReferences");
    QTest::addColumn<bool>("rOnly");
    QTest::addColumn<bool>("unitIsHKA");
    QTest::addColumn<bool>("wide");
    QTest::newRow("measurement only") << false << false << false << false;
    QTest::newRow("with references") << true << false << false << true;
    QTest::newRow("HK-A, R only") << false << true << true << false;
}

void TestPrintFlow::printed()
{
    QFETCH(bool, withReferences);
    QFETCH(bool, rOnly);
    QFETCH(bool, unitIsHKA);
    QFETCH(bool, wide);
    if (!Pdf::toolsAvailable())
        QSKIP("poppler-utils are needed to read the PDF back");
    const QString pdf = m_dir->filePath(QStringLiteral("flow.pdf"));
    m_seams->print.onPrint = [pdf](QPrinter *p) {
        printToPdf(p, pdf);
        return true;
    };
    answerInfoDialog({"Woofer W8", "", "Room 21C"}, true);
    PrintRequest r = request();
    r.withReferences = withReferences;
    r.rOnly = rOnly;
    r.unitIsHKA = unitIsHKA;
    r.thickLines = wide;
    QCOMPARE(runPrintFlow(r), PrintOutcome::Printed);

    // The program's printer went through the print dialog.
    QCOMPARE(m_seams->print.printCalls, QList<QPrinter *>{&applicationPrinter()});
    QCOMPARE(m_source->draws.size(), 1);
    QCOMPARE(m_source->draws[0].withReferences, withReferences);
    QCOMPARE(m_source->draws[0].rOnly, rOnly);
    QCOMPARE(m_source->draws[0].wide, wide);
    QVERIFY(m_seams->messages.boxes.isEmpty());

    QCOMPARE(Pdf::pageCount(pdf), 1);
    const QString text = Pdf::text(pdf);
    QVERIFY(text.contains(unitIsHKA ? QStringLiteral("< HK-A インピーダンス測定 >")
                                    : QStringLiteral("< HK-A2 インピーダンス測定 >")));
    QVERIFY(text.contains(QStringLiteral("Woofer W8")));
    QVERIFY(text.contains(QStringLiteral("Room 21C")));
    QVERIFY(!text.contains(QStringLiteral("Tweeter")));
    QCOMPARE(text.contains(QStringLiteral("Th3")), !rOnly);
    QCOMPARE(printInfo(), (QStringList{"Woofer W8", "", "Room 21C"}));
}

void TestPrintFlow::printFailure()
{
    m_seams->print.onPrint = [this](QPrinter *p) {
        printToPdf(p, m_dir->filePath(QStringLiteral("missing/folder/x.pdf")));
        return true;
    };
    answerInfoDialog({"a", "b", "c"}, true);
    QCOMPARE(runPrintFlow(request()), PrintOutcome::PrintFailed);
    QCOMPARE(m_seams->messages.boxes.size(), 1);
    QCOMPARE(m_seams->messages.boxes[0].text, QStringLiteral("印刷できませんでした"));
    QCOMPARE(m_seams->messages.boxes[0].icon, MessagePresenter::Icon::Error);
    // The lines were confirmed before the failure and stay.
    QCOMPARE(printInfo(), (QStringList{"a", "b", "c"}));
}

void TestPrintFlow::pdfResolutionIsCapped()
{
    const QString pdf = m_dir->filePath(QStringLiteral("fine.pdf"));
    m_seams->print.onPrint = [pdf](QPrinter *p) {
        printToPdf(p, pdf, 1200);
        return true;
    };
    answerInfoDialog({}, true);
    QCOMPARE(runPrintFlow(request()), PrintOutcome::Printed);
    QCOMPARE(applicationPrinter().resolution(), 600);
    QCOMPARE(m_source->scales, QList<float>{600.0f / 96.0f});
}

void TestPrintFlow::setupChoicesStayForPrinting()
{
    const QString pdf = m_dir->filePath(QStringLiteral("landscape.pdf"));
    m_seams->print.onPageSetup = [pdf](QPrinter *p) {
        printToPdf(p, pdf, kPdfDpi, QPageLayout::Landscape);
        return true;
    };
    runPrintSetup(m_owner);
    QCOMPARE(m_seams->print.pageSetupCalls, QList<QPrinter *>{&applicationPrinter()});

    // The print dialog is confirmed without changes: the setup's choices print.
    m_seams->print.onPrint = [](QPrinter *) { return true; };
    answerInfoDialog({}, true);
    QCOMPARE(runPrintFlow(request()), PrintOutcome::Printed);
    QPrinter &printer = applicationPrinter();
    QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
    const PrintLayout expected =
        computePrintLayout({kPdfDpi, kPdfDpi, printer.widthMM(), printer.heightMM(), true, 96.0});
    QCOMPARE(m_source->draws[0].size, expected.plotRect().size());
    QVERIFY(QFileInfo::exists(pdf));
}

QTEST_MAIN(TestPrintFlow)
#include "tst_print_flow.moc"
