// The measurement with an added mass or in the sealed box: a run of its own over the main
// window's unit, into this window's record, so the measurement in the document stays as it is.
#include "ui/analysis/TFormWorksheet.h"

#include "core/analysis/WorksheetMessages.h"
#include "core/document/MeasurementDocument.h"
#include "core/files/FileNameRules.h"
#include "core/measure/MeasurementRun.h"
#include "ui/analysis/WorksheetTexts.h"
#include "ui/common/Seams.h"
#include "ui/common/TH_Message.h"
#include "ui/common/Texts.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace T = WorksheetTexts;

namespace {

void tell(const QString &text)
{
    Seams::messages().show(MessagePresenter::Icon::Error, QString::fromUtf8(Texts::kCaption), text);
}

QString connectReason(UnitOutcome outcome)
{
    switch (outcome) {
    case UnitOutcome::PortAccessDenied:
    case UnitOutcome::PortOpenFailed:
        return T::reasonPortOpen();
    case UnitOutcome::UnitNotFound:
        return T::reasonUnitNotFound();
    default:
        return T::reasonUnit();
    }
}

QString failureReason(MeasurementRun::Failure failure)
{
    switch (failure) {
    case MeasurementRun::Failure::Silent:
        return T::reasonSilent();
    case MeasurementRun::Failure::DeviceLost:
        return T::reasonDeviceLost();
    default:
        return T::reasonBadData();
    }
}

} // namespace

bool TFormWorksheet::running() const
{
    return m_run != nullptr;
}

// The slot a run fills: a mass row, or the box after them.
QString TFormWorksheet::runSlotName(int row) const
{
    return row == kBoxRow ? T::boxSlot() : T::massSlot(row + 1);
}

void TFormWorksheet::startCurveRun(int row)
{
    if (running())
        return;
    MeasurementDocument &doc = *m_host.document;
    const QString what = runSlotName(row);
    if (m_host.busy && m_host.busy()) {
        tell(T::mainWindowBusy(what));
        return;
    }
    if (!doc.hasMeasurement()) {
        tell(T::noMeasurement());
        return;
    }
    if (doc.saved() != 1 || doc.dataFileName().isEmpty()) {
        tell(T::saveFreeAirFirst(what));
        return;
    }
    const bool box = row == kBoxRow;
    QLineEdit *edit = box ? BoxEdit : MassEdit[size_t(row)];
    const QString typed = edit->text().trimmed().replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double amount = typed.toDouble(&ok);
    if (typed.isEmpty()) {
        tell(box ? T::litresMissing() : T::gramsMissing(what));
        return;
    }
    if (!ok) {
        tell(T::notANumber(edit->accessibleName()));
        return;
    }
    if (!(amount > 0.0)) {
        tell(box ? T::litresNotPositive(typed) : WorksheetMessages::massNotPositive(typed));
        return;
    }
    if (doc.refCount() >= kReferenceSlots) {
        tell(T::noFreeSlot());
        return;
    }
    const QString path =
        box ? boxCurvePath(doc.dataFileName(), amount) : massCurvePath(doc.dataFileName(), amount);
    if (QFileInfo::exists(path) &&
        !TH_Message(QString::fromUtf8(Texts::kUnitName), QString::fromUtf8(Texts::kCaption))
             .askOverwrite(path))
        return;
    UnitProtocol *unit = m_host.unit ? m_host.unit() : nullptr;
    if (!unit) {
        tell(T::measureFailed(what, T::reasonPortOpen()));
        return;
    }

    m_runRow = row;
    m_runAmount = massGramsText(amount);
    m_runPath = path;
    m_run = std::make_unique<MeasurementRun>(*unit);
    setRunning(true);
    const UnitOutcome connected = m_run->connect(m_host.comPort());
    if (connected != UnitOutcome::Ok) {
        failCurveRun(connectReason(connected));
        return;
    }
    const int band = doc.measurement().band;
    m_run->prepare(band, *m_record, *m_raw, *m_avg);
    if (m_run->checkBand(band) != UnitOutcome::Ok || m_run->requestBand() != UnitOutcome::Ok) {
        m_run->release();
        failCurveRun(T::reasonBand());
        return;
    }
    showRunProgress(0);
    m_runTimer->start();
}

void TFormWorksheet::showRunProgress(int points)
{
    const int total = m_run->pointsExpected();
    RunLabel->setText(m_runRow == kBoxRow ? T::boxProgress(m_runAmount, points, total)
                                          : T::measuringProgress(m_runAmount, points, total));
}

void TFormWorksheet::runStep()
{
    if (!m_run)
        return;
    // Each step waits in the driver's read for up to one point, so this does not spin.
    const MeasurementRun::StepEvent e = m_run->step();
    switch (e.event) {
    case MeasurementRun::Event::Nothing:
        break;
    case MeasurementRun::Event::Point:
        showRunProgress(m_run->pointsReceived());
        break;
    case MeasurementRun::Event::Finished:
        finishCurveRun();
        break;
    case MeasurementRun::Event::Failed:
        failCurveRun(failureReason(e.failure));
        break;
    }
}

void TFormWorksheet::finishCurveRun()
{
    if (!m_run->finish()) {
        failCurveRun(T::reasonBadData());
        return;
    }
    MeasurementDocument &doc = *m_host.document;
    const QByteArray serial = m_run->unit().unitSerial();
    if (!VELO_File().writeDataFile(m_runPath, serial, m_host.comPort(), m_record.get())) {
        failCurveRun(T::writeFailed(m_runPath));
        return;
    }
    const int slot = doc.refCount();
    if (doc.addReference(m_runPath) != ReferenceLoad::Loaded) {
        failCurveRun(T::loadFailed(m_runPath));
        return;
    }
    const int row = m_runRow;
    endCurveRun();
    RunLabel->setText(T::measured(m_runPath, slot + 1));
    refreshSlotLists();
    (row == kBoxRow ? BoxSlot : MassSlot[size_t(row)])->setCurrentIndex(slot + 1);
    if (m_host.referencesLoaded)
        m_host.referencesLoaded();
    queueRecompute();
}

void TFormWorksheet::failCurveRun(const QString &reason)
{
    const QString what = runSlotName(m_runRow);
    endCurveRun();
    RunLabel->setText(T::measureFailed(what, reason));
    tell(T::measureFailed(what, reason));
}

void TFormWorksheet::stopRun()
{
    if (!m_run)
        return;
    if (m_run->receiving())
        m_run->stop();
    endCurveRun();
    RunLabel->setText(T::stopped());
}

void TFormWorksheet::endCurveRun()
{
    m_runTimer->stop();
    m_run.reset();
    setRunning(false);
}

void TFormWorksheet::setRunning(bool on)
{
    for (QPushButton *b : MassMeasure)
        b->setEnabled(!on);
    BoxMeasure->setEnabled(!on);
    StopButton->setEnabled(on);
    if (m_host.lockMain)
        m_host.lockMain(on);
}

bool TFormWorksheet::confirmMainRun() const
{
    // Only a worksheet on screen works with the measurement a main-window run replaces.
    if (!isVisible() || !m_host.document->hasMeasurement())
        return true;
    return Seams::messages().show(MessagePresenter::Icon::Question,
                                  QString::fromUtf8(Texts::kCaption), T::askReplaceFreeAir());
}
