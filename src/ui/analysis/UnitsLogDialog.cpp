#include "ui/analysis/UnitsLogDialog.h"

#include "ui/analysis/UnitsTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

namespace T = UnitsTexts;

UnitsLogDialog::UnitsLogDialog(const QString &target, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(T::logTitle());
    auto *form = new QFormLayout(this);
    TargetEdit = new QLineEdit(target, this);
    TargetEdit->setPlaceholderText(T::logTargetHint());
    TargetEdit->setMinimumWidth(360);
    form->addRow(T::logTarget(), TargetEdit);
    SinceCheck = new QCheckBox(T::logSince(), this);
    SinceEdit = new QDateEdit(QDate::currentDate().addDays(-7), this);
    SinceEdit->setCalendarPopup(true);
    SinceEdit->setEnabled(false);
    form->addRow(SinceCheck, SinceEdit);
    VerdictBox = new QComboBox(this);
    VerdictBox->addItems({T::logAll(), T::logPassed(), T::logFailed()});
    form->addRow(T::logVerdict(), VerdictBox);
    StationEdit = new QLineEdit(this);
    StationEdit->setPlaceholderText(T::logAllStations());
    form->addRow(T::logStation(), StationEdit);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(SinceCheck, &QCheckBox::toggled, SinceEdit, &QWidget::setEnabled);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString UnitsLogDialog::target() const
{
    return TargetEdit->text().trimmed();
}

LogUnitsQuery UnitsLogDialog::query() const
{
    LogUnitsQuery q;
    if (SinceCheck->isChecked())
        q.since = SinceEdit->date().startOfDay(); // local midnight, as the command line reads it
    q.verdict = LogUnitsQuery::Verdict(VerdictBox->currentIndex());
    q.station = StationEdit->text().trimmed();
    return q;
}
