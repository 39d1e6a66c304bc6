// The measurement with an added mass or in the sealed box: a run of its own on the unit
// station, into this window's record, so the measurement in the document stays as it is.
#include "ui/analysis/TFormWorksheet.h"

#include "core/analysis/WorksheetMessages.h"
#include "core/document/MeasurementDocument.h"
#include "core/files/FileNameRules.h"
#include "ui/analysis/WorksheetTexts.h"
#include "ui/common/RunDriver.h"
#include "ui/common/Seams.h"
#include "ui/common/TH_Message.h"
#include "ui/common/Texts.h"
#include "ui/common/UnitTexts.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace T = WorksheetTexts;

namespace {

void tell(const QString &text)
{
    Seams::messages().show(MessagePresenter::Icon::Error, QString::fromUtf8(Texts::kCaption), text);
}

} // namespace

void TFormWorksheet::connectRunDriver()
{
    if (!m_host.station)
        return;
    m_run = new RunDriver(*m_host.station, UnitTexts::worksheetHolder(), this);
    connect(m_run, &RunDriver::point, this,
            [this] { showRunProgress(m_run->run().pointsReceived()); });
    connect(m_run, &RunDriver::finished, this, &TFormWorksheet::finishCurveRun);
    connect(m_run, &RunDriver::failed, this, &TFormWorksheet::failCurveRun);
    connect(m_run, &RunDriver::abandoned, this, [this] {
        setRunning(false);
        RunLabel->setText(T::stopped());
    });
    connect(m_run, &RunDriver::busyElsewhereChanged, this, [this] { setRunning(running()); });
}

bool TFormWorksheet::running() const
{
    return m_run && m_run->running();
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
    if (!m_run) {
        tell(T::measureFailed(what, UnitTexts::outcomeText(UnitOutcome::PortNotOpen, {}).text));
        return;
    }

    m_runRow = row;
    m_runAmount = massGramsText(amount);
    m_runPath = path;
    QString problem;
    if (!m_run->start(m_host.comPort(), doc.measurement().band, *m_record, *m_raw, *m_avg,
                      &problem)) {
        RunLabel->setText(T::measureFailed(what, problem));
        tell(T::measureFailed(what, problem));
        return;
    }
    setRunning(true);
    showRunProgress(0);
}

void TFormWorksheet::showRunProgress(int points)
{
    const int total = m_run->run().pointsExpected();
    RunLabel->setText(m_runRow == kBoxRow ? T::boxProgress(m_runAmount, points, total)
                                          : T::measuringProgress(m_runAmount, points, total));
}

void TFormWorksheet::finishCurveRun(bool converted)
{
    if (!converted) {
        failCurveRun(UnitTexts::calcErrorText());
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
    if (!running())
        return;
    m_run->stop();
    endCurveRun();
    RunLabel->setText(T::stopped());
}

void TFormWorksheet::endCurveRun()
{
    setRunning(false);
}

void TFormWorksheet::setRunning(bool on)
{
    // Start waits while this window or another one measures.
    const bool free = !on && !(m_run && m_run->busyElsewhere());
    for (QPushButton *b : MassMeasure)
        b->setEnabled(free);
    BoxMeasure->setEnabled(free);
    StopButton->setEnabled(on);
}

bool TFormWorksheet::confirmMainRun() const
{
    // Only a worksheet on screen works with the measurement a main-window run replaces.
    if (!isVisible() || !m_host.document->hasMeasurement())
        return true;
    return Seams::messages().show(MessagePresenter::Icon::Question,
                                  QString::fromUtf8(Texts::kCaption), T::askReplaceFreeAir());
}
