// The analysis windows driven as a user drives them: menu entry, buttons, the modal Re entry
// and result dialogs. Message boxes are recorded through the message seam.

#include "AnalysisCurves.h"
#include "ModalDriver.h"
#include "RecordingPresenter.h"
#include "core/analysis/WorksheetMessages.h"
#include "core/document/MeasurementDocument.h"
#include "ui/analysis/TFormCalc.h"
#include "ui/analysis/TFormTS.h"
#include "ui/analysis/TFormWorksheet.h"
#include "ui/analysis/TForm_Re.h"
#include "ui/common/Seams.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <functional>
#include <limits>
#include <memory>

namespace {

// What the main window owns and hands to the analysis window.
struct Owner {
    MeasurementRecord measurement;
    CurveBlock raw;
    CurveBlock smooth;
    TsParameters ts;
};

void loadWorkedExample(Owner &o)
{
    AnalysisCurves::fillWorkedExample(o.raw);
    o.measurement.band = AnalysisCurves::kExampleBand;
    o.measurement.valid = 1;
}

// Narrow spikes in band 2 on a floor of `floor` ohm, spike tops at `top`.
void loadSpikes(Owner &o, const QList<int> &centres, float floor = 1.0f, float top = 10.0f)
{
    clearCurve(o.raw);
    for (int i = 0; i <= 539; ++i) {
        o.raw.r[i] = floor;
        o.raw.freq[i] = float(gridFrequencyHz(i));
    }
    for (int c : centres) {
        o.raw.r[c - 3] = (floor + top) / 2.0f;
        o.raw.r[c] = top;
        o.raw.r[c + 3] = (floor + top) / 2.0f;
    }
    o.raw.valid = 1;
    o.measurement.band = 2;
    o.measurement.valid = 1;
}

void loadRising(Owner &o)
{
    clearCurve(o.raw);
    for (int i = 0; i <= 539; ++i) {
        o.raw.r[i] = 4.0f + 0.1f * float(i);
        o.raw.freq[i] = float(gridFrequencyHz(i));
    }
    o.raw.valid = 1;
    o.measurement.band = 2;
    o.measurement.valid = 1;
}

// Answers the Re dialog with `texts` one after another (each by "入力").
void answerRe(TFormCalc &form, QStringList texts, std::function<void()> afterEach = {})
{
    whenShown(form.formRe(), [&form, texts, afterEach] {
        TForm_Re *re = form.formRe();
        for (const QString &text : texts) {
            re->Edit1->setText(text);
            re->Button1->click();
            if (afterEach)
                afterEach();
        }
        if (re->isVisible()) // never leave a modal dialog open behind a failed check
            re->Button2->click();
    });
}

QStringList fieldTexts(const TFormCalc &form)
{
    QStringList out;
    for (int row = 0; row < kMaxPeaks; ++row)
        out << form.peakField(row, 0)->text() << form.peakField(row, 1)->text();
    return out;
}

QStringList dashes(int n)
{
    return QStringList(n, QStringLiteral("---"));
}

} // namespace

class TestAnalysisDialogs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void noValidMeasurement();
    void listsPeaksModeless();
    void fieldsByRowAndFormat();
    void noPeakShownOnceAndButtonDisabled();
    void curvesChangedWhileOpen();
    void reopenedAfterNewMeasurement();
    void tsComputation();
    void reNotANumberThenZero_data();
    void reNotANumberThenZero();
    void reRefused_data();
    void reRefused();
    void reCancelAndEscape();
    void reTextIsKept();
    void f1NotFound();
    void curvesChangedDuringReEntry();
    void closeClosesBoth();
    void resultDialogNeverShowsNaN();
    void worksheetFromNumbers();

private:
    RecordingPresenter messages_;
    std::unique_ptr<Owner> owner_;
    std::unique_ptr<TFormCalc> form_;
};

void TestAnalysisDialogs::initTestCase()
{
    Seams::install(&messages_);
}

void TestAnalysisDialogs::cleanupTestCase()
{
    Seams::install(nullptr);
}

void TestAnalysisDialogs::init()
{
    messages_.boxes.clear();
    owner_ = std::make_unique<Owner>();
    form_ = std::make_unique<TFormCalc>();
    form_->setSource(&owner_->raw, &owner_->smooth, &owner_->measurement, &owner_->ts);
}

void TestAnalysisDialogs::cleanup()
{
    form_.reset();
    owner_.reset();
}

void TestAnalysisDialogs::noValidMeasurement()
{
    loadWorkedExample(*owner_);
    owner_->measurement.valid = 0;
    QVERIFY(!form_->showAnalysis());
    QVERIFY(!form_->isVisible());
    QCOMPARE(messages_.boxes.size(), 1);
    QCOMPARE(messages_.boxes[0].text, QString("データがありません"));
    QCOMPARE(messages_.boxes[0].caption, QString("VELO2 v2.3"));
    QCOMPARE(messages_.boxes[0].icon, MessagePresenter::Icon::Error);

    // Without the blocks handed over there is nothing to search either.
    TFormCalc bare;
    QVERIFY(!bare.showAnalysis());
    QCOMPARE(messages_.boxes.size(), 2);
}

void TestAnalysisDialogs::listsPeaksModeless()
{
    loadWorkedExample(*owner_);
    QVERIFY(form_->showAnalysis());
    QVERIFY(form_->isVisible());
    QVERIFY(!form_->isModal());
    QCOMPARE(form_->windowTitle(), QString("VELO / 測定結果"));
    QCOMPARE(form_->font().pixelSize(), 12);
    QVERIFY(form_->font().families().contains("IPAPGothic"));
    QCOMPARE(fieldTexts(*form_), QStringList({"50.00", "40.00"}) + dashes(8));
    QVERIFY(form_->ButtonTS->isEnabled());
    QCOMPARE(form_->ButtonTS->text(), QString("Ts の計算"));
    QCOMPARE(form_->CloseButton->text(), QString("閉じる"));
    QVERIFY(messages_.boxes.isEmpty());
    // The band's smoothing went into the owner's smoothed block.
    QCOMPARE(owner_->smooth.r[41], (owner_->raw.r[40] + owner_->raw.r[41] + owner_->raw.r[42]) / 3);
}

void TestAnalysisDialogs::fieldsByRowAndFormat()
{
    // Seven spikes: five rows; values below 1 show without a leading zero.
    loadSpikes(*owner_, {100, 150, 200, 250, 300, 350, 400}, 0.1f, 0.5f);
    owner_->raw.freq[100] = 0.75f;
    QVERIFY(form_->showAnalysis());
    QCOMPARE(form_->peakCount(), 5);
    QCOMPARE(form_->findChild<QLineEdit *>("Edit1")->text(), QString(".75"));
    QCOMPARE(form_->findChild<QLineEdit *>("Edit2")->text(), QString(".50"));
    QCOMPARE(form_->findChild<QLineEdit *>("Edit9")->text(),
             QString("%1").arg(gridFrequencyHz(300), 0, 'f', 2));
    QCOMPARE(form_->findChild<QLineEdit *>("Edit10")->text(), QString(".50"));
}

void TestAnalysisDialogs::noPeakShownOnceAndButtonDisabled()
{
    loadRising(*owner_);
    QVERIFY(form_->showAnalysis());
    QCOMPARE(messages_.boxes.size(), 1);
    QCOMPARE(messages_.boxes[0].text, QString("ピークは検出できませんでした"));
    QCOMPARE(messages_.boxes[0].caption, QString("ピーク値の計算"));
    QCOMPARE(messages_.boxes[0].icon, MessagePresenter::Icon::Error);
    QCOMPARE(fieldTexts(*form_), dashes(10));
    QVERIFY(!form_->ButtonTS->isEnabled());

    // Coming back to the window (as after closing the box) does not search again.
    QWidget other;
    other.show();
    other.activateWindow();
    QTRY_VERIFY(other.isActiveWindow());
    form_->activateWindow();
    QTRY_VERIFY(form_->isActiveWindow());
    QCOMPARE(messages_.boxes.size(), 1);
}

void TestAnalysisDialogs::curvesChangedWhileOpen()
{
    loadWorkedExample(*owner_);
    QVERIFY(form_->showAnalysis());
    QVERIFY(form_->ButtonTS->isEnabled());

    // A run starts and overwrites the curve: the list keeps the peaks it found.
    const QStringList listed = fieldTexts(*form_);
    owner_->measurement.valid = 0;
    clearCurve(owner_->raw);
    form_->curvesChanged();
    QCoreApplication::sendPostedEvents(form_.get());
    QCOMPARE(fieldTexts(*form_), listed);
    QVERIFY(form_->ButtonTS->isEnabled());
    QVERIFY(messages_.boxes.isEmpty());

    // The run ends with a new curve: the open window lists its peaks.
    loadSpikes(*owner_, {120, 300});
    form_->curvesChanged();
    QTRY_COMPARE(form_->peakCount(), 2);
    QCOMPARE(form_->peakField(1, 1)->text(), QString("10.00"));
    QVERIFY(form_->ButtonTS->isEnabled());
    QVERIFY(messages_.boxes.isEmpty());
}

void TestAnalysisDialogs::reopenedAfterNewMeasurement()
{
    loadSpikes(*owner_, {100, 200, 300});
    QVERIFY(form_->showAnalysis());
    QCOMPARE(form_->peakCount(), 3);
    form_->CloseButton->click();
    QVERIFY(!form_->isVisible());

    loadWorkedExample(*owner_);
    form_->curvesChanged(); // hidden: nothing happens until it is opened
    QCOMPARE(form_->peakCount(), 3);
    QVERIFY(form_->showAnalysis());
    QCOMPARE(form_->peakCount(), 1);
    QCOMPARE(fieldTexts(*form_), QStringList({"50.00", "40.00"}) + dashes(8));
}

void TestAnalysisDialogs::tsComputation()
{
    loadWorkedExample(*owner_);
    QVERIFY(form_->showAnalysis());
    QCOMPARE(form_->formRe()->windowTitle(), QString("TS の計算"));
    QCOMPARE(form_->formRe()->Edit1->text(), QString("8.0"));

    QStringList shown;
    answerRe(*form_, {"8"});
    whenShown(form_->formTS(), [&] {
        for (int i = 0; i < kTsValueCount; ++i)
            shown << form_->formTS()->field(i)->text();
        form_->formTS()->Button1->click();
    });
    form_->ButtonTS->click();

    QCOMPARE(shown, QStringList({"8.00", "40.00", "50.00", "5.00", "17.89", "40.00", "62.00",
                                 "5.08", "1.27", "1.02"}));
    QVERIFY(messages_.boxes.isEmpty());
    QCOMPARE(form_->Re(), 8.0f);
    QCOMPARE(owner_->ts.r0, 5.0f);
    QCOMPARE(owner_->ts.Rx, AnalysisCurves::kExampleRx);
    QVERIFY(!form_->formTS()->isVisible());
    QVERIFY(form_->isVisible());
}

void TestAnalysisDialogs::reNotANumberThenZero_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("abc") << "abc";
    QTest::newRow("empty") << "";
    QTest::newRow("comma decimal") << "8,0";
    QTest::newRow("nan") << "nan";
    QTest::newRow("inf") << "inf";
    QTest::newRow("beyond float range") << "1e39";
}

void TestAnalysisDialogs::reNotANumberThenZero()
{
    QFETCH(QString, text);
    loadWorkedExample(*owner_);
    QVERIFY(form_->showAnalysis());
    bool openAfterFirst = false;
    int step = 0;
    answerRe(*form_, {text, "0"}, [&] {
        if (step++ == 0)
            openAfterFirst = form_->formRe()->isVisible();
    });
    bool resultShown = false;
    whenShown(form_->formTS(), [&] {
        resultShown = true;
        form_->formTS()->Button1->click();
    });
    form_->ButtonTS->click();

    QVERIFY(openAfterFirst);
    QVERIFY(!resultShown);
    QCOMPARE(messages_.boxes.size(), 2);
    QCOMPARE(messages_.boxes[0].text, QString("Re の値が正しくありません"));
    QCOMPARE(messages_.boxes[0].caption, QString("Re の値の入力"));
    QCOMPARE(messages_.boxes[1].text, QString("Re の値が正しくありません"));
    QCOMPARE(messages_.boxes[1].caption, QString("Ts の計算"));
    QCOMPARE(owner_->ts.Re, 0.0f); // refused before anything was computed
    QCOMPARE(owner_->ts.r0, 0.0f);
    QVERIFY(form_->ButtonTS->isEnabled());
}

void TestAnalysisDialogs::reRefused_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("negative") << "-3";
    QTest::newRow("equal to Rmax") << "40";
    QTest::newRow("above Rmax") << "100";
    QTest::newRow("tiny") << "1e-44";
}

void TestAnalysisDialogs::reRefused()
{
    QFETCH(QString, text);
    loadWorkedExample(*owner_);
    QVERIFY(form_->showAnalysis());
    bool resultShown = false;
    whenShown(form_->formTS(), [&] {
        resultShown = true;
        form_->formTS()->Button1->click();
    });
    answerRe(*form_, {text});
    form_->ButtonTS->click();
    QVERIFY(!resultShown);
    QCOMPARE(messages_.boxes.size(), 1);
    QCOMPARE(messages_.boxes[0].text, QString("Re の値が正しくありません"));
    QCOMPARE(messages_.boxes[0].caption, QString("Ts の計算"));
    QCOMPARE(owner_->ts.Re, 0.0f);
    QCOMPARE(owner_->ts.Qms, 0.0f);
}

void TestAnalysisDialogs::reCancelAndEscape()
{
    loadWorkedExample(*owner_);
    QVERIFY(form_->showAnalysis());
    bool resultShown = false;
    whenShown(form_->formTS(), [&] {
        resultShown = true;
        form_->formTS()->Button1->click();
    });
    whenShown(form_->formRe(), [&] {
        form_->formRe()->Edit1->setText("5");
        form_->formRe()->Button2->click();
    });
    form_->ButtonTS->click();
    QVERIFY(!resultShown);
    QVERIFY(messages_.boxes.isEmpty());
    QCOMPARE(form_->Re(), 0.0f);
    QCOMPARE(owner_->ts.Re, 0.0f);

    whenShown(form_->formRe(), [&] { QTest::keyClick(form_->formRe(), Qt::Key_Escape); });
    form_->ButtonTS->click();
    QVERIFY(!resultShown);
    QVERIFY(!form_->formRe()->isVisible());
    QCOMPARE(form_->Re(), 0.0f);
}

void TestAnalysisDialogs::reTextIsKept()
{
    loadWorkedExample(*owner_);
    QVERIFY(form_->showAnalysis());
    whenShown(form_->formTS(), [&] { form_->formTS()->Button1->click(); });
    answerRe(*form_, {"6.5"});
    form_->ButtonTS->click();
    QCOMPARE(form_->Re(), 6.5f);
    QCOMPARE(owner_->ts.Re, 6.5f);

    QString offered;
    whenShown(form_->formRe(), [&] {
        offered = form_->formRe()->Edit1->text();
        form_->formRe()->Button2->click();
    });
    form_->ButtonTS->click();
    QCOMPARE(offered, QString("6.5"));
    QCOMPARE(form_->Re(), 6.5f);
}

void TestAnalysisDialogs::f1NotFound()
{
    loadWorkedExample(*owner_);
    for (int i = 40; i <= 90; ++i)
        owner_->raw.r[i] = 20.0f;
    QVERIFY(form_->showAnalysis());
    answerRe(*form_, {"8"});
    form_->ButtonTS->click();
    QCOMPARE(messages_.boxes.size(), 1);
    QCOMPARE(messages_.boxes[0].text, QString("f1 が求まりませんでした"));
    QCOMPARE(messages_.boxes[0].caption, QString("Ts の計算"));
    QVERIFY(form_->ButtonTS->isEnabled()); // the user may try again at once
    QCOMPARE(owner_->ts.Rx, AnalysisCurves::kExampleRx);
    QCOMPARE(owner_->ts.Qms, 0.0f);
}

void TestAnalysisDialogs::curvesChangedDuringReEntry()
{
    loadWorkedExample(*owner_);
    QVERIFY(form_->showAnalysis());
    bool searched = false;
    whenShown(form_->formRe(), [&] {
        loadRising(*owner_); // a new measurement arrives while Re is being typed
        form_->curvesChanged();
        searched = QTest::qWaitFor([&] { return form_->peakCount() == 0; });
        form_->formRe()->Edit1->setText("8");
        form_->formRe()->Button1->click();
    });
    form_->ButtonTS->click();
    QVERIFY(searched);
    QCOMPARE(messages_.boxes.size(), 1); // the new search's own report, nothing computed
    QCOMPARE(messages_.boxes[0].text, QString("ピークは検出できませんでした"));
    QVERIFY(!form_->ButtonTS->isEnabled());
    QCOMPARE(owner_->ts.Re, 0.0f);
}

void TestAnalysisDialogs::closeClosesBoth()
{
    loadWorkedExample(*owner_);
    QVERIFY(form_->showAnalysis());
    answerRe(*form_, {"8"});
    bool wasShown = false;
    whenShown(form_->formTS(), [&] {
        wasShown = true;
        form_->CloseButton->click();
    });
    form_->ButtonTS->click();
    QVERIFY(wasShown);
    QVERIFY(!form_->formTS()->isVisible());
    QVERIFY(!form_->isVisible());
}

void TestAnalysisDialogs::resultDialogNeverShowsNaN()
{
    TFormTS dialog;
    TsParameters p;
    p.Re = 8.0f;
    p.Qms = std::numeric_limits<float>::quiet_NaN();
    p.Qes = std::numeric_limits<float>::infinity();
    dialog.show();
    QCOMPARE(dialog.field(0)->text(), QString("---")); // no record handed over
    dialog.hide();
    dialog.setParameters(&p);
    dialog.show();
    QCOMPARE(dialog.field(0)->text(), QString("8.00"));
    QCOMPARE(dialog.field(7)->text(), QString("---"));
    QCOMPARE(dialog.field(8)->text(), QString("---"));
    QCOMPARE(dialog.field(9)->text(), QString("0.00"));
}

// The worksheet typed "from numbers", without a measurement: the air it uses, each value with
// its U when asked, the budget on request, and a bad tolerance instead of any number.
void TestAnalysisDialogs::worksheetFromNumbers()
{
    namespace M = WorksheetMessages;
    MeasurementDocument doc;
    WorksheetHost host;
    host.document = &doc;
    TFormWorksheet w(host);
    w.showWorksheet();
    w.FromNumbersGroup->setChecked(true);
    const std::pair<QLineEdit *, const char *> typed[] = {
        {w.ReEdit, "5.6"},         {w.DiameterEdit, "110"},        {w.RhoEdit, "1.18"},
        {w.SoundSpeedEdit, "344"}, {w.FsEdit, "56.9327"},          {w.QmsEdit, "2.4038"},
        {w.QesEdit, "0.4208"},     {w.FsLoadedEdit[0], "26.5131"}, {w.MassEdit[0], "25"}};
    for (const auto &[edit, text] : typed)
        edit->setText(QString::fromLatin1(text));
    auto vasText = [&w] {
        for (int row = 0; row < w.Detail->rowCount(); ++row)
            if (w.Detail->item(row, 1)->text() == "Vas")
                return w.Detail->item(row, 2)->text();
        return QString();
    };
    QTRY_COMPARE(vasText(), QStringLiteral("14.24"));
    QVERIFY(w.AirLabel->text().contains("1.1800") && w.AirLabel->text().contains("344.0"));

    // Vas ∝ d⁴: U = 2·4·14.235 L·(0.5 mm/√3)/110 mm = 0.30 L.
    w.UncertaintyGroup->setChecked(true);
    w.DiameterTolEdit->setText("0.5");
    QTRY_COMPARE(vasText(), M::withExpanded("14.24", "0.30", "2"));
    const QString fromDiameter = M::budgetRow(M::budgetSource("diameter"));
    QVERIFY(w.Detail->findItems(fromDiameter, Qt::MatchExactly).isEmpty());
    w.BudgetCheck->setChecked(true);
    QTRY_VERIFY(!w.Detail->findItems(fromDiameter, Qt::MatchExactly).isEmpty());

    w.DiameterTolEdit->setText("-0.5");
    QTRY_VERIFY(w.refusal().contains(M::toleranceNotValid(M::budgetSource("diameter"), "-0.5")));
    QCOMPARE(w.Detail->rowCount(), 0);
    QVERIFY(!w.uncertainty());
}

QTEST_MAIN(TestAnalysisDialogs)
#include "tst_analysis_dialogs.moc"
