// The units window: units added from a results log query.

#include "ui/analysis/TFormUnits.h"
#include "ui/analysis/UnitsLogDialog.h"
#include "ui/analysis/UnitsTexts.h"

#include <QFutureWatcher>
#include <QLabel>
#include <QPushButton>
#include <QtConcurrent/QtConcurrentRun>

namespace T = UnitsTexts;

void TFormUnits::chooseLogUnits()
{
    UnitsLogDialog dialog(m_logTarget, this);
    if (dialog.exec() != QDialog::Accepted || dialog.target().isEmpty())
        return;
    addLogUnits(dialog.target(), dialog.query());
}

void TFormUnits::addLogUnits(const QString &target, const LogUnitsQuery &query)
{
    if (busy())
        return;
    m_logTarget = target;
    if (!m_logWatcher) {
        m_logWatcher = new QFutureWatcher<UnitsLogOutcome>(this);
        connect(m_logWatcher, &QFutureWatcherBase::finished, this, &TFormUnits::logQueryFinished);
    }
    setBusy(true);
    // A server that does not answer waits for its time-out here, not on the window's thread.
    m_logWatcher->setFuture(QtConcurrent::run([target, query] {
        UnitsLogOutcome out;
        out.ok = unitsFromTarget(target, query, &out.units, &out.error);
        return out;
    }));
}

void TFormUnits::logQueryFinished()
{
    setBusy(false);
    const UnitsLogOutcome out = m_logWatcher->result();
    if (!out.ok) {
        StatusLabel->setText(out.error);
        return;
    }
    for (const LogUnitFile &f : out.units.missing)
        m_logNotes << f.path + QStringLiteral(": ") + f.reason;
    if (out.units.files.isEmpty()) {
        StatusLabel->setText((QStringList{T::logNoUnits()} + m_logNotes).join(QLatin1Char('\n')));
        return;
    }
    m_files << out.units.files;
    startLoad();
}
