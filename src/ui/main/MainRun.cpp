#include "ui/main/MainRun.h"

#include "core/document/MeasurementDocument.h"
#include "core/graph/ReadoutFormat.h"
#include "core/graph/ViewScale.h"
#include "core/model/BandTable.h"
#include "core/model/Settings.h"
#include "ui/common/HStatus.h"
#include "ui/common/TH_Message.h"
#include "ui/common/Texts.h"
#include "ui/common/UnitTexts.h"
#include "ui/graph/Graph_RTF.h"
#include "ui/main/MainView.h"

#include <QAbstractEventDispatcher>
#include <QPushButton>
#include <QTimer>

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

} // namespace

MainRun::MainRun(const MainParts &parts, UnitStation &station, QPushButton *startButton,
                 QTimer *watchdog, QObject *parent)
    : QObject(parent), m_parts(parts), m_station(station), m_startButton(startButton),
      m_watchdog(watchdog)
{
    connect(m_watchdog, &QTimer::timeout, this, [this] { Timer1Timer(); });
    connect(&m_station, &UnitStation::runAbandoned, this, [this](const QString &holder) {
        if (holder == UnitTexts::mainWindowHolder())
            m_lease.release();
    });
    connect(&m_station, &UnitStation::holderChanged, this, &MainRun::holderChanged);
}

void MainRun::setStartCaption(bool start)
{
    m_startButton->setText(Texts::shown(start ? Texts::kStartCaption : Texts::kStopCaption));
}

// ---- buttons and menu ----

void MainRun::MStartBtnClick()
{
    m_startButton->setEnabled(false);
    if (m_startButton->text() == Texts::shown(Texts::kStartCaption)) {
        mStartMeasure();
    } else {
        const bool inSet = m_repeat && m_measuring;
        mStopUnit();
        m_parts.shell->unlockControls();
        setStartCaption(true);
        if (inSet) {
            // What the stopped sweep measured counts; the set ends with it.
            addSweep();
            m_repeat->stop();
            endRepeats();
        }
    }
    m_startButton->setEnabled(true);
}

void MainRun::startRepeats(int sweeps)
{
    if (!RepeatSet::isValidCount(sweeps) || m_measuring)
        return;
    m_repeat.emplace(sweeps);
    m_startButton->setEnabled(false);
    if (!mStartMeasure())
        m_repeat.reset();
    m_startButton->setEnabled(true);
}

bool MainRun::startNextSweep()
{
    m_parts.shell->lockControls();
    setStartCaption(false);
    if (mStartSequence()) {
        m_parts.status->showSweep(m_repeat->count() + 1, m_repeat->planned());
        return true;
    }
    m_parts.shell->unlockControls();
    setStartCaption(true);
    return false;
}

void MainRun::addSweep()
{
    const MeasurementDocument &doc = *m_parts.document;
    if (!m_repeat || m_pointsReceived <= 0)
        return;
    const RepeatAdd added = m_repeat->add(repeatSweepFromRecord(
        doc.measurement(), m_pointsReceived, doc.unitSerial(), m_station.unit().modelText()));
    // Another unit on the line (swapped between sweeps) must not join the set: it ends with
    // the sweeps before.
    if (added == RepeatAdd::OtherUnit || added == RepeatAdd::OtherBand) {
        m_repeat->stop();
        m_parts.message->msgRepeatOtherUnit();
    }
}

void MainRun::endRepeats()
{
    if (!m_repeat)
        return;
    RepeatSet set = std::move(*m_repeat);
    m_repeat.reset();
    if (set.isEmpty())
        return;
    const int count = set.count();
    const int planned = set.planned();
    const bool partial = set.isPartial();
    if (!m_parts.document->takeRepeatMean(std::move(set)))
        return;
    m_parts.view->showMeasurementView();
    m_parts.status->showRepeatMean(count, planned, partial);
    m_parts.shell->curvesChanged();
}

void MainRun::MenuMeasure_StartClick()
{
    // The menu is locked during a run, so it only ever starts.
    m_startButton->setEnabled(false);
    mStartMeasure();
    m_startButton->setEnabled(true);
}

// ---- start ----

bool MainRun::mStartMeasure()
{
    const MeasurementDocument &doc = *m_parts.document;
    if (!m_parts.shell->mayStartRun())
        return false;
    if (doc.measurement().valid && !doc.saved() && !m_parts.message->askDiscardAndStart())
        return false;
    m_parts.shell->lockControls();
    setStartCaption(false);
    m_parts.status->clearPanel(HStatus::kProgressPanel);
    m_parts.status->clearPanel(HStatus::kReadoutPanel);
    if (mStartSequence()) {
        if (Graph_RTF *graph = m_parts.view->graph()) {
            graph->clear();
            graph->layoutLabels(m_parts.view->rOnly());
        }
        if (m_repeat)
            m_parts.status->showSweep(1, m_repeat->planned());
        else
            m_parts.status->showMeasuring();
        return true;
    }
    m_parts.shell->unlockControls();
    setStartCaption(true);
    // The graph shows what the record holds: a start that got as far as the band request
    // has cleared it, and a curve left on screen would belie Save's "no data".
    m_parts.view->showRecordOrGrid();
    return false;
}

bool MainRun::mStartSequence()
{
    MeasurementDocument &doc = *m_parts.document;
    if (!m_lease.held()) {
        m_lease = UnitLease(m_station, UnitTexts::mainWindowHolder());
        if (!m_lease.held()) {
            m_parts.message->msgUnitHeldBy(m_lease.refusedBy());
            return false;
        }
    }
    const int band = m_parts.shell->selectedBand();
    const MeasurementDocument::RunTarget target = doc.runTarget();
    const MeasurementRun::Start start = m_station.run().start(
        m_parts.settings->comPort, band, target.record, target.raw, target.avg);
    // "SN?" was answered exactly when the identification passed it.
    if (start.identified() || start.outcome == UnitOutcome::Uncalibrated)
        doc.setUnitSerial(m_station.unit().unitSerial());
    if (start.identified())
        m_parts.status->showUnit(m_station.unit().modelText(), doc.unitSerial(), unitVersion());
    if (start.prepared()) {
        initGraphScale(m_parts.view->scale(), band);
        m_pointsReceived = 0;
        doc.beginRun();
        m_parts.shell->showCaption(QString());
        m_parts.shell->curvesChanged();
    }
    if (!start.started()) {
        // A band the unit lacks or refused keeps the port open: the next start reuses it.
        m_parts.status->showOutcome(start.outcome);
        m_parts.message->msgOutcome(
            UnitTexts::outcomeText(start.outcome, QString::fromUtf8(Texts::kUnitName)).box);
        m_lease.release();
        return false;
    }

    m_measuring = 1;
    mStartWatchdog(MeasurementRun::kWatchdogMs);
    m_parts.status->showReceiving();
    return true;
}

// ---- streaming ----

void MainRun::idleStep()
{
    if (m_measuring)
        mAcquireStep();
    if (m_finishPending) {
        m_finishPending = 0;
        mFinishRun();
    }
}

void MainRun::mAcquireStep()
{
    const MeasurementRun::StepEvent e = m_station.run().step();
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
        m_measuring = 0;
        m_parts.status->showCalculating();
        m_finishPending = 1;
        setStartCaption(true);
        m_parts.shell->unlockControls();
        return;
    case MeasurementRun::Event::Point: {
        const MeasurementDocument &doc = *m_parts.document;
        const int index = e.gridIndex;
        m_parts.status->showText(pointReadoutText(doc.measurement().points[index]),
                                 HStatus::kReadoutPanel);
        Graph_RTF *graph = m_parts.view->graph();
        if (e.converted && e.point > 0 && graph) {
            const bool rOnly = m_parts.view->rOnly();
            const bool wide = m_parts.view->wide();
            if (growForLivePoint(m_parts.view->scale(), doc.curveRaw().r[index])) {
                graph->clear();
                graph->drawLive(rOnly, e.point, wide);
            } else {
                graph->drawLiveSegment(rOnly, index, wide);
            }
        }
        m_pointsReceived = m_station.run().pointsReceived();
        break;
    }
    }
    if (m_measuring)
        requestIdlePass();
}

void MainRun::mErrorEnd()
{
    // A set keeps the sweeps before the failed one and ends with them.
    if (m_repeat)
        m_repeat->stop();
    // The run has released the unit; the record keeps valid 0 and whatever points arrived.
    m_measuring = 0;
    m_lease.release();
    m_parts.status->showReceiveError();
    // "測定中です" would tell of a run that has ended.
    m_parts.status->clearPanel(HStatus::kProgressPanel);
    setStartCaption(true);
    m_parts.shell->unlockControls();
    endRepeats();
}

void MainRun::mFinishRun()
{
    m_lease.release();
    if (!m_station.run().finish()) {
        m_parts.status->showCalcError();
        if (m_repeat)
            m_repeat->stop();
        endRepeats();
        m_parts.shell->curvesChanged();
        return;
    }
    if (m_repeat) {
        addSweep();
        if (!m_repeat->isOpen() || !startNextSweep())
            endRepeats();
        return;
    }
    m_parts.view->showMeasurementView();
    const MeasurementRecord &record = m_parts.document->measurement();
    const int band = record.band;
    m_parts.status->showText(readoutPrefix() +
                                 formatFrequency(record.points[bandFirstIndex(band)]) + kRangeJoin +
                                 formatFrequency(record.points[bandLastIndex(band)]),
                             HStatus::kReadoutPanel);
    m_parts.status->showFinished();
    m_parts.shell->curvesChanged();
}

// ---- watchdog ----

void MainRun::mStartWatchdog(int ms)
{
    m_watchdog->stop();
    m_watchdog->setInterval(ms);
    m_watchdog->start();
}

void MainRun::mStopWatchdog()
{
    m_watchdog->stop();
}

void MainRun::Timer1Timer()
{
    // Only wakes the idle loop: whether the unit has been silent too long is the run's call.
    m_watchdog->stop();
    requestIdlePass();
}

bool MainRun::watchdogExpired() const
{
    return m_station.run().watchdogExpired();
}

// ---- the unit ----

void MainRun::holderChanged(const QString &holder)
{
    // Another window measuring holds the unit: this window's controls wait for it.
    const bool other = !holder.isEmpty() && holder != UnitTexts::mainWindowHolder();
    if (other == m_lockedByOther)
        return;
    m_lockedByOther = other;
    if (other) {
        m_parts.shell->lockControls();
        m_startButton->setEnabled(false);
    } else {
        m_parts.shell->unlockControls();
    }
}

void MainRun::detach()
{
    m_lease.release();
    m_station.disconnect(this);
}

bool MainRun::portOpen() const
{
    return m_station.unit().portOpen();
}

bool MainRun::unitSession() const
{
    return m_station.unit().unitSession();
}

bool MainRun::unitIsHKA() const
{
    return m_station.unit().unitIsHKA();
}

QString MainRun::unitVersion() const
{
    return m_station.unit().unitVersion();
}

void MainRun::mStopAllRuns()
{
    // The status line tells of this window's run, or of a session a refused start left.
    const bool mine = m_lease.held() || !m_station.busy();
    if (m_station.stopAll() == StopOutcome::NothingToStop || !mine)
        return;
    mStopWatchdog();
    m_measuring = 0;
    m_parts.status->showStopped();
    // The sweeps a set finished are kept as its mean.
    if (m_repeat)
        m_repeat->stop();
    endRepeats();
}

void MainRun::mStopUnit()
{
    if (!unitSession())
        return;
    mStopWatchdog();
    m_station.run().stop();
    m_measuring = 0;
    m_lease.release();
    m_parts.status->showStopped();
}
