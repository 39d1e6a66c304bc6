#pragma once

#include "core/analysis/MotionalCircle.h"
#include "core/analysis/PeakSearch.h"
#include "core/analysis/TsParameters.h"

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
struct CurveBlock;
struct MeasurementRecord;
class RepeatSet;
class TForm_Re;
class TFormTS;

// The modeless analysis window "VELO / 測定結果": up to five resonance peaks of the
// measurement, its motional circle and the entry to the Thiele-Small computation. It searches the
// main window's blocks when it is opened and when the curves have changed, never on a mere
// activation, so closing its own message box cannot start the search again. While the measurement
// is not valid it keeps the peaks of the curve it last searched.
class TFormCalc : public QDialog
{
    Q_OBJECT
public:
    explicit TFormCalc(QWidget *parent = nullptr);

    // The main window's curveRaw, curveSmooth (filled here by the smoothing step), measurement
    // (only valid and band are read) and tsParameters. Any of them may be null.
    // The sweeps of a measurement that is their mean, for the spread of its values; null for
    // none.
    void setRepeatSource(std::function<const RepeatSet *()> repeats)
    {
        repeats_ = std::move(repeats);
    }
    void setSource(const CurveBlock *raw, CurveBlock *smooth, const MeasurementRecord *measurement,
                   TsParameters *ts);

    // The menu command: without a valid measurement shows "データがありません" and returns
    // false; otherwise shows the window without blocking, searches and returns true.
    bool showAnalysis();

    // To be called whenever the measurement or its curves change (a run starts or ends, a
    // file is opened or closed). An open window searches again as soon as the event loop
    // runs; a hidden one searches when it is next opened.
    void curvesChanged();

    const PeakList &peaks() const { return peaks_; }
    int peakCount() const { return peaks_.peakCount; }
    float Re() const { return Re_; }
    // Row 0..4, column 0 frequency / 1 resistance; Edit1..Edit10 on the form.
    QLineEdit *peakField(int row, int column) const;
    // The motional circle of the searched curve, its value i (circleValues' order) and the
    // line that says why there is none.
    const MotionalCircle &circle() const { return circle_; }
    QLineEdit *circleField(int i) const { return circleFields_[i]; }
    QLabel *circleNote() const { return circleNote_; }
    TForm_Re *formRe() const { return formRe_; }
    TFormTS *formTS() const { return formTS_; }

    QPushButton *ButtonTS;    // "Ts の計算"
    QPushButton *CloseButton; // "閉じる"

signals:
    // An Re was typed and accepted for the computation (the worksheet takes it over).
    void reEntered(float re);

public slots:
    void ButtonTSClick();
    void CloseButtonClick();

private:
    bool hasSource() const;
    bool sourceReady() const;
    bool hasResonance() const;
    void runSearch();
    void runQueuedSearch();
    void clearPeakFields();
    void showPeak(int index, int row);
    void showCircle(const MotionalCircle &circle);

    const CurveBlock *raw_ = nullptr;
    CurveBlock *smooth_ = nullptr;
    const MeasurementRecord *measurement_ = nullptr;
    TsParameters *ts_ = nullptr;

    PeakList peaks_;
    // The raw curve the list was found on: the list and the Thiele-Small computation keep to
    // it while a run overwrites the main window's block.
    CurveBlock searched_;
    int first_ = 0;
    int last_ = 0;
    float Re_ = 0.0f;
    quint8 reCancelled_ = 0;
    bool searchQueued_ = false;

    QLineEdit *fields_[kMaxPeaks][2];
    MotionalCircle circle_;
    QLineEdit *circleFields_[kCircleValueCount];
    QLabel *circleNote_;
    TForm_Re *formRe_;
    std::function<const RepeatSet *()> repeats_;
    TFormTS *formTS_;
};
