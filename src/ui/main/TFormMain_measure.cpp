#include "ui/main/TFormMain.h"

#include "core/graph/ReadoutFormat.h"
#include "core/graph/ViewScale.h"
#include "core/measure/RunDateTime.h"
#include "core/measure/RunReceiver.h"
#include "core/measure/TCommPortDriver.h"
#include "core/measure/UnitProtocol.h"
#include "core/model/BandTable.h"
#include "ui/common/HStatus.h"
#include "ui/common/TH_Message.h"
#include "ui/common/Texts.h"
#include "ui/graph/Graph_RTF.h"

#include <QAbstractEventDispatcher>
#include <QDateTime>
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
    if (w.measurement->valid == 1) {
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
    if (MStartBtn->text() == QString::fromUtf8(Texts::kStartCaption)) {
        mStartMeasure();
    } else {
        mStopUnit();
        mUnlockControls();
        MStartBtn->setText(QString::fromUtf8(Texts::kStartCaption));
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
    if (measurement->valid && !saved && !message->askDiscardAndStart())
        return;
    mLockControls();
    MStartBtn->setText(QString::fromUtf8(Texts::kStopCaption));
    status->clearPanel(HStatus::kProgressPanel);
    status->clearPanel(HStatus::kReadoutPanel);
    if (mStartSequence()) {
        graph->clear();
        graph->layoutLabels(rOnly());
        status->showMeasuring();
        oldFormatLoaded = 0;
    } else {
        mUnlockControls();
        MStartBtn->setText(QString::fromUtf8(Texts::kStartCaption));
        showRecord(*this);
    }
}

bool TFormMain::mStartSequence()
{
    if (!port)
        return false;
    if (!mOpenCOM(settings.comPort)) {
        if (unit->openFailure() == UnitOutcome::PortAccessDenied)
            status->showPortAccessDenied();
        else
            status->showPortError();
        message->msgComOpenFailed();
        return false;
    }
    if (!mCheckUnit()) {
        mCloseCOM();
        status->showUnitNotFound();
        message->msgUnitNotFound();
        return false;
    }
    if (!mIdentifyUnit()) {
        mCloseCOM();
        unit->setUnitSession(false);
        mSyncUnitState();
        return false;
    }
    unit->setUnitSession(true);
    mSyncUnitState();
    status->showUnit(unit->modelText(), unitSerial, unitVersion);

    const int band = selectedBand();
    if (unit->mCheckBand(band) != UnitOutcome::Ok) {
        // The port stays open and the session kept: the next start reuses them.
        message->msgBandUnsupported();
        return false;
    }

    measurement->band = band;
    initGraphScale(graphScale, band);
    receiver->start(band);
    measurement->valid = 0;
    clearPoints(*measurement);
    measurement->dateTime = runDateTimeText(QDateTime::currentDateTime());
    pointsReceived = 0;
    dataFileName.clear();
    setWindowTitle(QString::fromUtf8(Texts::kCaption));
    curvesChanged();

    if (!mRequestBand(band))
        return false;

    measuring = 1;
    mStartWatchdog(RunReceiver::kWatchdogMs);
    status->showReceiving();
    return true;
}

// ---- streaming ----

void TFormMain::mAcquireStep()
{
    if (watchdogExpired) {
        watchdogExpired = 0;
        mErrorEnd();
        return;
    }

    if (receiver->readFrom(*port) > 0)
        mStartWatchdog(RunReceiver::kWatchdogMs);

    const RunReceiver::StepResult r = receiver->step(*measurement);
    switch (r.step) {
    case RunReceiver::Step::Nothing:
        // A device that has gone away sends nothing more: end now, not at the watchdog.
        if (port->DeviceLost()) {
            mStopWatchdog();
            mErrorEnd();
            return;
        }
        break;
    case RunReceiver::Step::EndOk:
        mStopWatchdog();
        measuring = 0;
        status->showCalculating();
        finishPending = 1;
        mReleaseCOM();
        MStartBtn->setText(QString::fromUtf8(Texts::kStartCaption));
        mUnlockControls();
        return;
    case RunReceiver::Step::EndWrong:
    case RunReceiver::Step::BadPoint:
        mStopWatchdog();
        mErrorEnd();
        return;
    case RunReceiver::Step::PointStored: {
        const int index = r.gridIndex;
        status->showText(pointReadoutText(measurement->points[index]), HStatus::kReadoutPanel);
        if (file->convertPoint(measurement.get(), index, curveRaw.get(), curveAvg.get())) {
            if (r.point > 0) {
                if (graphScale.rMax >= kLiveRescaleLimit) {
                    graph->drawLiveSegment(rOnly(), index, wide());
                } else if (curveRaw->r[index] > graphScale.rMax) {
                    graphScale.rMax = roundUpRScale(curveRaw->r[index]);
                    graph->clear();
                    graph->drawLive(rOnly(), r.point, wide());
                } else {
                    graph->drawLiveSegment(rOnly(), index, wide());
                }
            }
        }
        pointsReceived = receiver->pointsReceived();
        break;
    }
    }
    if (measuring)
        requestIdlePass();
}

void TFormMain::mErrorEnd()
{
    // The record keeps valid 0 and whatever points arrived.
    mReleaseCOM();
    measuring = 0;
    status->showReceiveError();
    // "測定中です" would tell of a run that has ended.
    status->clearPanel(HStatus::kProgressPanel);
    MStartBtn->setText(QString::fromUtf8(Texts::kStartCaption));
    mUnlockControls();
}

void TFormMain::mFinishRun()
{
    if (!file->convertRecord(measurement.get(), curveRaw.get(), curveAvg.get())) {
        status->showCalcError();
        measurement->valid = 0;
        curvesChanged();
        return;
    }
    measurement->valid = 1;
    saved = 0;
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
    watchdogExpired = 0;
    Timer1->start();
}

void TFormMain::mStopWatchdog()
{
    Timer1->stop();
}

void TFormMain::Timer1Timer()
{
    Timer1->stop();
    watchdogExpired = 1;
}

// ---- unit protocol ----

bool TFormMain::mCreatePort()
{
    port = new TCommPortDriver(this);
    unit = new UnitProtocol(*port);
    receiver = new RunReceiver;
    return true;
}

void TFormMain::mDeletePort()
{
    delete receiver;
    receiver = nullptr;
    delete unit;
    unit = nullptr;
    delete port; // its destructor closes the port
    port = nullptr;
    portOpen = unitSession = 0;
}

void TFormMain::mSyncUnitState()
{
    portOpen = unit->portOpen();
    unitSession = unit->unitSession();
    unitIsHKA = unit->unitIsHKA();
    unitVersion = unit->unitVersion();
    // unitSerial is not copied here: an opened data file sets it too, and only an
    // identification that got as far as "SN?" replaces it (mIdentifyUnit).
}

bool TFormMain::mOpenCOM(int comPort)
{
    const bool ok = unit->mOpenCOM(comPort);
    mSyncUnitState();
    return ok;
}

void TFormMain::mCloseCOM()
{
    unit->mCloseCOM();
    mSyncUnitState();
}

bool TFormMain::mQuery(const QByteArray &command, QByteArray &reply, quint32 timeoutMs, int n)
{
    return unit->mQuery(command, reply, timeoutMs, n);
}

bool TFormMain::mQueryAny(const QByteArray &command, QByteArray &reply, quint32 timeoutMs)
{
    return unit->mQueryAny(command, reply, timeoutMs);
}

bool TFormMain::mCommand(const QByteArray &command, const QByteArray &expected, quint32 timeoutMs)
{
    return unit->mCommand(command, expected, timeoutMs);
}

bool TFormMain::mCheckUnit()
{
    return unit->mCheckUnit();
}

bool TFormMain::mIdentifyUnit()
{
    const UnitOutcome outcome = unit->mIdentifyUnit();
    mSyncUnitState();
    // "SN?" was answered exactly when the identification passed it.
    if (outcome == UnitOutcome::Ok || outcome == UnitOutcome::Uncalibrated)
        unitSerial = unit->unitSerial();
    switch (outcome) {
    case UnitOutcome::Ok:
        return true;
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

bool TFormMain::mRequestBand(int band)
{
    const UnitOutcome outcome = unit->mRequestBand(band);
    mSyncUnitState();
    switch (outcome) {
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
    if (!port || !unitSession)
        return;
    mStopWatchdog();
    unit->mStopUnit();
    mSyncUnitState();
    measuring = 0;
    status->showStopped();
}

void TFormMain::mReleaseCOM()
{
    if (!port || !unitSession)
        return;
    unit->mReleaseCOM();
    mSyncUnitState();
}
