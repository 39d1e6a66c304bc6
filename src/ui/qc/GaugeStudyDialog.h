#pragma once

#include "core/qc/grr/StudyLog.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QSpinBox;

// Sets a gauge study up: its name, how many parts, the operators and how many trials. OK is
// taken only for a plan that can be measured; the reason is shown otherwise.
class GaugeStudyDialog : public QDialog
{
    Q_OBJECT
public:
    explicit GaugeStudyDialog(QWidget *parent = nullptr);

    GaugeStudyPlan plan() const;
    void accept() override;

    QLineEdit *NameEdit = nullptr;
    QSpinBox *PartsSpin = nullptr;
    QLineEdit *OperatorsEdit = nullptr;
    QSpinBox *TrialsSpin = nullptr;
    QLabel *ProblemLabel = nullptr;
};
