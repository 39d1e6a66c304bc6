#include "ui/qc/GaugeStudyDialog.h"

#include "ui/common/AccessibleNames.h"
#include "ui/qc/QcTexts.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

namespace T = QcTexts;

GaugeStudyDialog::GaugeStudyDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("GaugeStudyDialog"));
    setWindowTitle(T::studyTitle());
    auto named = [](QWidget *w, const char *object, const QString &accessible) {
        w->setObjectName(QLatin1String(object));
        w->setAccessibleName(plainAccessibleName(accessible));
    };
    auto *form = new QFormLayout;
    NameEdit = new QLineEdit(this);
    named(NameEdit, "StudyNameEdit", T::studyName());
    NameEdit->setMaxLength(kGaugeMaxNameLength);
    form->addRow(T::studyName(), NameEdit);
    PartsSpin = new QSpinBox(this);
    named(PartsSpin, "StudyPartsSpin", T::studyParts());
    PartsSpin->setRange(2, kGaugeMaxParts);
    PartsSpin->setValue(10);
    form->addRow(T::studyParts(), PartsSpin);
    OperatorsEdit = new QLineEdit(QStringLiteral("A, B, C"), this);
    named(OperatorsEdit, "StudyOperatorsEdit", T::studyOperators());
    OperatorsEdit->setPlaceholderText(T::studyOperatorsHint());
    form->addRow(T::studyOperators(), OperatorsEdit);
    TrialsSpin = new QSpinBox(this);
    named(TrialsSpin, "StudyTrialsSpin", T::studyTrials());
    TrialsSpin->setRange(2, kGaugeMaxTrials);
    TrialsSpin->setValue(3);
    form->addRow(T::studyTrials(), TrialsSpin);
    ProblemLabel = new QLabel(this);
    ProblemLabel->setObjectName(QStringLiteral("StudyProblemLabel"));
    ProblemLabel->setWordWrap(true);
    ProblemLabel->setStyleSheet(QStringLiteral("color: #c62828;"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &GaugeStudyDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &GaugeStudyDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(ProblemLabel);
    layout->addWidget(buttons);
}

GaugeStudyPlan GaugeStudyDialog::plan() const
{
    GaugeStudyPlan p;
    p.name = NameEdit->text().trimmed();
    p.parts = PartsSpin->value();
    for (const QString &a : OperatorsEdit->text().split(QLatin1Char(','), Qt::SkipEmptyParts))
        p.appraisers << a.trimmed();
    p.trials = TrialsSpin->value();
    return p;
}

void GaugeStudyDialog::accept()
{
    if (const QString problem = checkGaugeStudyPlan(plan()); !problem.isEmpty()) {
        ProblemLabel->setText(problem);
        return;
    }
    QDialog::accept();
}
