#include "ui/main/TFormMain.h"

#include "core/graph/ReadoutFormat.h"
#include "core/graph/ViewScale.h"
#include "core/measure/MeasurementRun.h"
#include "core/measure/TCommPortDriver.h"
#include "core/measure/UnitProtocol.h"
#include "core/model/BandTable.h"
#include "ui/analysis/TFormWorksheet.h"
#include "ui/common/HStatus.h"
#include "ui/common/TH_Message.h"
#include "ui/common/Texts.h"
#include "ui/graph/Graph_RTF.h"

#include <QAbstractEventDispatcher>
#include <QPushButton>
#include <QTimer>

// The measurement run and the unit protocol as the main window drives them.

namespace {

constexpr float kLiveRescaleLimit = 200.0f; // from this full scale on the scale stays put
const QString kRangeJoin = QStringLiteral("...");

// Each acquisition step waits in the driver's read for up to one point, so asking for the
// next idle pass straight away keeps a run at line speed without spinning. It does not rely
// on the step's own repaints, which a hidden or minimised window never gets.
void requestIdlePass()
{
    if (auto *dispatcher = QAbstractEventDispatcher::instance())
        dispatcher->wakeUp();
}

// After a failed start the graph shows what the record holds: a start that got as far as the
// band request has cleared it, and a curve left on screen would belie Save's "no data".
void showRecord(TFormMain &w)
{
    if (w.document().hasMeasurement()) {
        w.showMeasurementView();
    } else if (w.anyReferenceLoaded()) {
        w.showReferences();
    } else if (w.graph) {
        w.scaleForMeasurement();
        w.graph->clear();
        w.graph->layoutLabels(w.rOnly());
    }
}

} // namespace

// ---- buttons and menu ----

void TFormMain::MStartBtnClick()
{
    MStartBtn->setEnabled(false);
    if (MStartBtn->text() == Texts::shown(Texts::kStartCaption)) {
        mStartMeasure();
    } else {
        mStopUnit();
        mUnlockControls();
        MStartBtn->setText(Texts::shown(Texts::kStartCaption));
    }
    MStartBtn->setEnabled(true);
}

void TFormMain::MenuMeasure_StartClick()
{
    // The menu is locked during a run, so it only ever starts.
    MStartBtn->setEnabled(false);
    mStartMeasure();
    MStartBtn->setEnabled(true);
}

// ---- start ----

void TFormMain::mStartMeasure()
{
    // The worksheet's curves belong to the measurement it shows; a new one changes them all.
    if (formWorksheet && !formWorksheet->confirmMainRun())
        return;
    if (measurement->valid && !m_document->saved() && !message->askDiscardAndStart())
        return;
    mLockControls();
    MStartBtn->setText(Texts::shown(Texts::kStopCaption));
    status->clearPanel(HStatus::kProgressPanel);
    status->clearPanel(HStatus::kReadoutPanel);
    if (mStartSequence()) {
        graph->clear();
        graph->layoutLabels(rOnly());
        status->showMeasuring();
    } else {
        mUnlockControls();
        MStartBtn->setText(Texts::shown(Texts::kStartCaption));
        showRecord(*this);
    }
}

bool TFormMain::mStartSequence()
{
    if (!port)
        return false;
    if (!mIdentifyUnit())
        return false;
    status->showUnit(unit->modelText(), unitSerial, unitVersion());

    const int band = selectedBand();
    if (run->checkBand(band) != UnitOutcome::Ok) {
        // The port stays open and the session kept: the next start reuses them.
        message->msgBandUnsupported();
        return false;
    }

    initGraphScale(graphScale, band);
    const MeasurementDocument::RunTarget target = m_document->beginRun();
    run->prepare(band, target.record, target.raw, target.avg);
    pointsReceived = 0;
    setWindowTitle(QString::fromUtf8(Texts::kCaption));
    curvesChanged();

    if (!mRequestBand())
        return false;

    measuring = 1;
    mStartWatchdog(MeasurementRun::kWatchdogMs);
    status->showReceiving();
    return true;
}

// ---- streaming ----

void TFormMain::mAcquireStep()
{
    const MeasurementRun::StepEvent e = run->step();
    if (e.dataArrived)
        mStartWatchdog(MeasurementRun::kWatchdogMs);
    switch (e.event) {
    case MeasurementRun::Event::Nothing:
        break;
    case MeasurementRun::Event::Failed:
        mStopWatchdog();
        mErrorEnd();
        return;
    case MeasurementRun::Event::Finished:
        mStopWatchdog();
        measuring = 0;
        status->showCalculating();
        m_finishPending = 1;
        MStartBtn->setText(Texts::shown(Texts::kStartCaption));
        mUnlockControls();
        return;
    case MeasurementRun::Event::Point: {
        const int index = e.gridIndex;
        status->showText(pointReadoutText(measurement->points[index]), HStatus::kReadoutPanel);
        if (e.converted && e.point > 0) {
            if (graphScale.rMax >= kLiveRescaleLimit) {
                graph->drawLiveSegment(rOnly(), index, wide());
            } else if (curveRaw->r[index] > graphScale.rMax) {
                graphScale.rMax = roundUpRScale(curveRaw->r[index]);
                graph->clear();
                graph->drawLive(rOnly(), e.point, wide());
            } else {
                graph->drawLiveSegment(rOnly(), index, wide());
            }
        }
        pointsReceived = run->pointsReceived();
        break;
    }
    }
    if (measuring)
        requestIdlePass();
}

void TFormMain::mErrorEnd()
{
    // The run has released the unit; the record keeps valid 0 and whatever points arrived.
    measuring = 0;
    status->showReceiveError();
    // "測定中です" would tell of a run that has ended.
    status->clearPanel(HStatus::kProgressPanel);
    MStartBtn->setText(Texts::shown(Texts::kStartCaption));
    mUnlockControls();
}

void TFormMain::mFinishRun()
{
    if (!run->finish()) {
        status->showCalcError();
        curvesChanged();
        return;
    }
    showMeasurementView();
    const int band = measurement->band;
    status->showText(readoutPrefix() + formatFrequency(measurement->points[bandFirstIndex(band)]) +
                         kRangeJoin + formatFrequency(measurement->points[bandLastIndex(band)]),
                     HStatus::kReadoutPanel);
    status->showFinished();
    curvesChanged();
}

// ---- watchdog ----

void TFormMain::mStartWatchdog(int ms)
{
    Timer1->stop();
    Timer1->setInterval(ms);
    Timer1->start();
}

void TFormMain::mStopWatchdog()
{
    Timer1->stop();
}

void TFormMain::Timer1Timer()
{
    // Only wakes the idle loop: whether the unit has been silent too long is the run's call.
    Timer1->stop();
    requestIdlePass();
}

bool TFormMain::watchdogExpired() const
{
    return run && run->watchdogExpired();
}

// ---- unit protocol ----

bool TFormMain::mCreatePort()
{
    port = new TCommPortDriver(this);
    unit = new UnitProtocol(*port);
    run = new MeasurementRun(*unit);
    return true;
}

void TFormMain::mDeletePort()
{
    delete run;
    run = nullptr;
    delete unit;
    unit = nullptr;
    delete port; // its destructor closes the port
    port = nullptr;
}

bool TFormMain::portOpen() const
{
    return unit && unit->portOpen();
}

bool TFormMain::unitSession() const
{
    return unit && unit->unitSession();
}

bool TFormMain::unitIsHKA() const
{
    return unit && unit->unitIsHKA();
}

QString TFormMain::unitVersion() const
{
    return unit ? unit->unitVersion() : QString();
}

bool TFormMain::mIdentifyUnit()
{
    const UnitOutcome outcome = run->connect(settings.comPort);
    // "SN?" was answered exactly when the identification passed it.
    if (outcome == UnitOutcome::Ok || outcome == UnitOutcome::Uncalibrated)
        m_document->setUnitSerial(unit->unitSerial());
    switch (outcome) {
    case UnitOutcome::Ok:
        return true;
    case UnitOutcome::PortAccessDenied:
        status->showPortAccessDenied();
        message->msgComOpenFailed();
        break;
    case UnitOutcome::PortOpenFailed:
        status->showPortError();
        message->msgComOpenFailed();
        break;
    case UnitOutcome::UnitNotFound:
        status->showUnitNotFound();
        message->msgUnitNotFound();
        break;
    case UnitOutcome::ReplyError:
        status->showReplyError();
        break;
    case UnitOutcome::ModelUnknown:
        status->showModelUnknown();
        break;
    case UnitOutcome::Uncalibrated:
        status->showUncalibrated();
        break;
    default:
        break;
    }
    return false;
}

bool TFormMain::mRequestBand()
{
    switch (run->requestBand()) {
    case UnitOutcome::Ok:
        return true;
    case UnitOutcome::SendError:
        status->showSendError();
        break;
    case UnitOutcome::CountMismatch:
        message->msgVersionMismatch();
        break;
    case UnitOutcome::Refused:
    case UnitOutcome::NotHexCount:
        status->showBandRefused();
        break;
    default:
        break;
    }
    return false;
}

void TFormMain::mStopUnit()
{
    if (!port || !unitSession())
        return;
    mStopWatchdog();
    run->stop();
    measuring = 0;
    status->showStopped();
}
