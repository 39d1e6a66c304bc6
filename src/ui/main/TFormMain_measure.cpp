#include "ui/main/TFormMain.h"

#include "core/graph/ReadoutFormat.h"
#include "core/graph/ViewScale.h"
#include "core/measure/UnitStation.h"
#include "core/model/BandTable.h"
#include "ui/analysis/TFormWorksheet.h"
#include "ui/common/HStatus.h"
#include "ui/common/TH_Message.h"
#include "ui/common/Texts.h"
#include "ui/common/UnitTexts.h"
#include "ui/graph/Graph_RTF.h"

#include <QAbstractEventDispatcher>
#include <QPushButton>
#include <QTimer>

// The measurement run and the unit protocol as the main window drives them.

namespace {

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
    if (!station)
        return false;
    if (!m_lease.held()) {
        m_lease = UnitLease(*station, UnitTexts::mainWindowHolder());
        if (!m_lease.held()) {
            message->msgUnitHeldBy(m_lease.refusedBy());
            return false;
        }
    }
    const int band = selectedBand();
    const MeasurementDocument::RunTarget target = m_document->runTarget();
    const MeasurementRun::Start start =
        station->run().start(settings.comPort, band, target.record, target.raw, target.avg);
    // "SN?" was answered exactly when the identification passed it.
    if (start.identified() || start.outcome == UnitOutcome::Uncalibrated)
        m_document->setUnitSerial(station->unit().unitSerial());
    if (start.identified())
        status->showUnit(station->unit().modelText(), unitSerial, unitVersion());
    if (start.prepared()) {
        initGraphScale(graphScale, band);
        pointsReceived = 0;
        m_document->beginRun();
        setWindowTitle(QString::fromUtf8(Texts::kCaption));
        curvesChanged();
    }
    if (!start.started()) {
        // A band the unit lacks or refused keeps the port open: the next start reuses it.
        status->showOutcome(start.outcome);
        message->msgOutcome(
            UnitTexts::outcomeText(start.outcome, QString::fromUtf8(Texts::kUnitName)).box);
        m_lease.release();
        return false;
    }

    measuring = 1;
    mStartWatchdog(MeasurementRun::kWatchdogMs);
    status->showReceiving();
    return true;
}

// ---- streaming ----

void TFormMain::mAcquireStep()
{
    const MeasurementRun::StepEvent e = station->run().step();
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
            if (growForLivePoint(graphScale, curveRaw->r[index])) {
                graph->clear();
                graph->drawLive(rOnly(), e.point, wide());
            } else {
                graph->drawLiveSegment(rOnly(), index, wide());
            }
        }
        pointsReceived = station->run().pointsReceived();
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
    m_lease.release();
    status->showReceiveError();
    // "測定中です" would tell of a run that has ended.
    status->clearPanel(HStatus::kProgressPanel);
    MStartBtn->setText(Texts::shown(Texts::kStartCaption));
    mUnlockControls();
}

void TFormMain::mFinishRun()
{
    m_lease.release();
    if (!station->run().finish()) {
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
    return station && station->run().watchdogExpired();
}

// ---- the unit ----

bool TFormMain::mCreatePort()
{
    station = new UnitStation(this);
    port = &station->driver();
    connect(station, &UnitStation::runAbandoned, this, [this](const QString &holder) {
        if (holder == UnitTexts::mainWindowHolder())
            m_lease.release();
    });
    // Another window measuring holds the unit: this window's controls wait for it.
    connect(station, &UnitStation::holderChanged, this, [this](const QString &holder) {
        const bool other = !holder.isEmpty() && holder != UnitTexts::mainWindowHolder();
        if (other == m_lockedByOther)
            return;
        m_lockedByOther = other;
        if (other) {
            mLockControls();
            MStartBtn->setEnabled(false);
        } else {
            mUnlockControls();
        }
    });
    return true;
}

void TFormMain::mDeletePort()
{
    m_lease.release();
    // The window is going: what the station says while it ends is for the other windows.
    if (station)
        station->disconnect(this);
    delete station; // stops what runs and closes the port
    station = nullptr;
    port = nullptr;
}

bool TFormMain::portOpen() const
{
    return station && station->unit().portOpen();
}

bool TFormMain::unitSession() const
{
    return station && station->unit().unitSession();
}

bool TFormMain::unitIsHKA() const
{
    return station && station->unit().unitIsHKA();
}

QString TFormMain::unitVersion() const
{
    return station ? station->unit().unitVersion() : QString();
}

void TFormMain::mStopAllRuns()
{
    if (!station)
        return;
    // The status line tells of this window's run, or of a session a refused start left.
    const bool mine = m_lease.held() || !station->busy();
    if (station->stopAll() == StopOutcome::NothingToStop || !mine)
        return;
    mStopWatchdog();
    measuring = 0;
    status->showStopped();
}

void TFormMain::mStopUnit()
{
    if (!port || !unitSession())
        return;
    mStopWatchdog();
    station->run().stop();
    measuring = 0;
    m_lease.release();
    status->showStopped();
}
