#include "ui/analysis/TFormCalc.h"

#include "core/analysis/AnalysisFormat.h"
#include "core/analysis/AnalysisMessages.h"
#include "core/analysis/ThieleSmall.h"
#include "core/graph/WindowFont.h"
#include "core/model/MeasurementRecord.h"
#include "ui/analysis/TFormTS.h"
#include "ui/analysis/TForm_Re.h"
#include "ui/common/Seams.h"
#include "ui/common/TH_Message.h"
#include "ui/common/Texts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char *const kRowLabels[kMaxPeaks] = {
    QT_TRANSLATE_NOOP("TFormCalc", "ピーク値１"), QT_TRANSLATE_NOOP("TFormCalc", "ピーク値２"),
    QT_TRANSLATE_NOOP("TFormCalc", "ピーク値３"), QT_TRANSLATE_NOOP("TFormCalc", "ピーク値４"),
    QT_TRANSLATE_NOOP("TFormCalc", "ピーク値５")};

const char *const kCircleLabels[kCircleValueCount] = {
    QT_TRANSLATE_NOOP("TFormCalc", "Res [ Ω ]"), QT_TRANSLATE_NOOP("TFormCalc", "fs [ Hz ]"),
    QT_TRANSLATE_NOOP("TFormCalc", "fa [ Hz ]"), QT_TRANSLATE_NOOP("TFormCalc", "fb [ Hz ]"),
    QT_TRANSLATE_NOOP("TFormCalc", "Qms"),       QT_TRANSLATE_NOOP("TFormCalc", "残差 [ Ω ]")};

QString circleRefusal(CircleOutcome outcome)
{
    switch (outcome) {
    case CircleOutcome::Ok:
        break;
    case CircleOutcome::NoResonance:
        return TFormCalc::tr("共振点がないため、円を求められません。");
    case CircleOutcome::NoPhase:
        return TFormCalc::tr("位相のない曲線のため、円を求められません。");
    case CircleOutcome::TooFewPoints:
        return TFormCalc::tr("共振付近の点が少なすぎるため、円を求められません。");
    case CircleOutcome::NoCircle:
        return TFormCalc::tr("共振付近の点が円に乗らないため、円を求められません。");
    case CircleOutcome::NoTurningX:
        return TFormCalc::tr("曲線が円の上端・右端・下端を順に通らないため、円を求められません。");
    }
    return QString();
}

void showError(const QString &caption, const QString &text)
{
    Seams::messages().show(MessagePresenter::Icon::Error, caption, text);
}

// The circle's rows and two lines for why there is none, below the peaks.
constexpr int kCircleGroupHeight = 150;

} // namespace

TFormCalc::TFormCalc(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("FormCalc"));
    setWindowTitle(tr("VELO / 測定結果"));
    setFont(windowFont());
    setModal(false);

    auto *group = new QGroupBox(tr("共振点"), this);
    auto *grid = new QGridLayout(group);
    const QString columns[2] = {tr("周波数[Hz]"), tr("抵抗値[Ω]")};
    grid->addWidget(new QLabel(columns[0], group), 0, 1, Qt::AlignHCenter);
    grid->addWidget(new QLabel(columns[1], group), 0, 2, Qt::AlignHCenter);
    for (int row = 0; row < kMaxPeaks; ++row) {
        grid->addWidget(new QLabel(tr(kRowLabels[row]), group), row + 1, 0);
        for (int column = 0; column < 2; ++column) {
            auto *edit = new QLineEdit(emptyFieldText(), group);
            edit->setObjectName(QStringLiteral("Edit%1").arg(row * 2 + column + 1));
            edit->setReadOnly(true);
            edit->setAlignment(Qt::AlignRight);
            // Reachable with Tab, so a screen reader can read the peaks.
            edit->setFocusPolicy(Qt::StrongFocus);
            edit->setAccessibleName(tr(kRowLabels[row]) + QLatin1Char(' ') + columns[column]);
            grid->addWidget(edit, row + 1, column + 1);
            fields_[row][column] = edit;
        }
    }

    // The motional circle: three rows of two values each.
    auto *circleGroup = new QGroupBox(tr("動インピーダンス円"), this);
    auto *circleGrid = new QGridLayout(circleGroup);
    for (int i = 0; i < kCircleValueCount; ++i) {
        auto *label = new QLabel(tr(kCircleLabels[i]), circleGroup);
        auto *edit = new QLineEdit(emptyFieldText(), circleGroup);
        edit->setObjectName(QStringLiteral("Circle%1").arg(i + 1));
        edit->setReadOnly(true);
        edit->setAlignment(Qt::AlignRight);
        edit->setFocusPolicy(Qt::StrongFocus);
        edit->setAccessibleName(tr(kCircleLabels[i]));
        label->setBuddy(edit);
        circleGrid->addWidget(label, i / 2, (i % 2) * 2);
        circleGrid->addWidget(edit, i / 2, (i % 2) * 2 + 1);
        circleFields_[i] = edit;
    }
    circleNote_ = new QLabel(circleGroup);
    circleNote_->setObjectName(QStringLiteral("CircleNote"));
    circleNote_->setWordWrap(true);
    circleGrid->addWidget(circleNote_, kCircleValueCount / 2, 0, 1, 4);

    ButtonTS = new QPushButton(tr("Ts の計算"), this);
    ButtonTS->setObjectName(QStringLiteral("ButtonTS"));
    ButtonTS->setEnabled(false);
    CloseButton = new QPushButton(tr("閉じる"), this);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ButtonTS);
    buttons->addWidget(CloseButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(circleGroup);
    layout->addLayout(buttons);
    setFixedSize(296, 280 + kCircleGroupHeight);

    formRe_ = new TForm_Re(this);
    formTS_ = new TFormTS(this);

    connect(ButtonTS, &QPushButton::clicked, this, &TFormCalc::ButtonTSClick);
    connect(CloseButton, &QPushButton::clicked, this, &TFormCalc::CloseButtonClick);
}

void TFormCalc::setSource(const CurveBlock *raw, CurveBlock *smooth,
                          const MeasurementRecord *measurement, TsParameters *ts)
{
    raw_ = raw;
    smooth_ = smooth;
    measurement_ = measurement;
    ts_ = ts;
    curvesChanged();
}

QLineEdit *TFormCalc::peakField(int row, int column) const
{
    return fields_[row][column];
}

bool TFormCalc::hasSource() const
{
    return raw_ && smooth_ && ts_ && measurement_;
}

bool TFormCalc::sourceReady() const
{
    return hasSource() && measurement_->valid && isValidBand(measurement_->band);
}

bool TFormCalc::showAnalysis()
{
    if (!measurement_ || !measurement_->valid || !isValidBand(measurement_->band)) {
        // The program's own box, with its caption, as every command that needs a measurement.
        TH_Message(QString::fromUtf8(Texts::kUnitName), QString::fromUtf8(Texts::kCaption))
            .msgNoData();
        return false;
    }
    show();
    raise();
    activateWindow();
    runSearch();
    return true;
}

void TFormCalc::curvesChanged()
{
    // Searching is left to the event loop so that a caller in the middle of its own work
    // (the end of a run, a file load) is never held up by this window's message box.
    if (!isVisible() || searchQueued_)
        return;
    searchQueued_ = true;
    QMetaObject::invokeMethod(this, &TFormCalc::runQueuedSearch, Qt::QueuedConnection);
}

void TFormCalc::runQueuedSearch()
{
    searchQueued_ = false;
    if (isVisible())
        runSearch();
}

void TFormCalc::runSearch()
{
    if (!hasSource()) {
        peaks_ = PeakList();
        clearPeakFields();
        showCircle(MotionalCircle());
        circleNote_->clear();
        ButtonTS->setEnabled(false);
        return;
    }
    // A closed measurement keeps its curve, and a run overwrites it point by point: either
    // way the list goes on showing the peaks of the curve it was found on.
    if (!sourceReady())
        return;
    peaks_ = PeakList();
    clearPeakFields();
    searched_ = *raw_;
    first_ = last_ = 0;
    analysisRange(searched_, measurement_->band, &first_, &last_);
    peaks_ = searchBand(searched_, *smooth_, measurement_->band);
    for (int row = 0; row < peaks_.peakCount; ++row)
        showPeak(peaks_.peakIndex[row], row);
    showCircle(fitMotionalCircle(searched_, measurement_->band));
    ButtonTS->setEnabled(peaks_.peakCount > 0);
    if (peaks_.peakCount == 0)
        showError(AnalysisMessages::peakCaption(), AnalysisMessages::noPeak());
}

void TFormCalc::clearPeakFields()
{
    for (auto &row : fields_)
        for (QLineEdit *field : row)
            field->setText(emptyFieldText());
}

void TFormCalc::showPeak(int index, int row)
{
    fields_[row][0]->setText(formatHashDot00(searched_.freq[index]));
    fields_[row][1]->setText(formatHashDot00(searched_.r[index]));
    QPalette palette = fields_[row][1]->palette();
    palette.setColor(QPalette::Text, palette.color(QPalette::WindowText));
    fields_[row][1]->setPalette(palette);
}

void TFormCalc::showCircle(const MotionalCircle &circle)
{
    circle_ = circle;
    const auto values = circleValues(circle);
    for (int i = 0; i < kCircleValueCount; ++i)
        circleFields_[i]->setText(circle.ok() ? circleValueText(i, values[std::size_t(i)])
                                              : emptyFieldText());
    circleNote_->setText(circleRefusal(circle.outcome));
}

bool TFormCalc::hasResonance() const
{
    return peaks_.peakCount > 0 && peaks_.Rmax != 0.0f;
}

void TFormCalc::ButtonTSClick()
{
    if (!hasResonance()) {
        showError(AnalysisMessages::peakCaption(), AnalysisMessages::noPeak());
        ButtonTS->setEnabled(false);
        return;
    }

    reCancelled_ = 0;
    formRe_->setTarget(&Re_, &reCancelled_);
    formRe_->exec();
    if (reCancelled_) {
        activateWindow();
        setFocus();
        return;
    }
    // A new measurement may have arrived while the entry was open; the search that followed
    // has already shown what there is to show.
    if (!hasResonance())
        return;

    // Refused before anything is computed: Re must lie strictly between 0 and Rmax.
    if (!isAcceptableRe(Re_, peaks_.Rmax)) {
        showError(AnalysisMessages::tsCaption(), AnalysisMessages::badRe());
        return;
    }
    emit reEntered(Re_);

    const TsResult result = computeTs(searched_, first_, last_, peaks_, Re_, *ts_);
    if (result != TsResult::Ok) {
        const AnalysisMessages::Box box = AnalysisMessages::forResult(result);
        showError(box.caption, box.text);
        return;
    }

    formTS_->setParameters(ts_);
    const RepeatSet *sweeps = repeats_ ? repeats_() : nullptr;
    formTS_->setSpread(sweeps ? windowSpread(*sweeps, Re_) : std::nullopt);
    formTS_->exec();
}

void TFormCalc::CloseButtonClick()
{
    if (formTS_->isVisible())
        formTS_->close();
    close();
}
