#pragma once

#include "core/qc/log/LogUnits.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;

// Which units of a results log the units window adds: the log, from which day, which verdict
// and which station.
class UnitsLogDialog : public QDialog
{
    Q_OBJECT
public:
    explicit UnitsLogDialog(const QString &target, QWidget *parent = nullptr);

    QString target() const;
    LogUnitsQuery query() const;

    QLineEdit *TargetEdit = nullptr;
    QCheckBox *SinceCheck = nullptr;
    QDateEdit *SinceEdit = nullptr;
    QComboBox *VerdictBox = nullptr;
    QLineEdit *StationEdit = nullptr;
};
