// The station's gauge study mode: set up in a dialog, it names the part, operator and trial to
// measure next, keeps each measurement in the study instead of the verdicts' log and shows the
// study worked out at the end.
#include "core/model/BandTable.h"
#include "core/model/MeasurementRecord.h"
#include "core/qc/QcStationFiles.h"
#include "core/qc/grr/GaugeMessages.h"
#include "core/qc/log/ResultsLog.h"
#include "ui/common/AccessibleNames.h"
#include "ui/qc/GaugeStudyDialog.h"
#include "ui/qc/QcStudyMode.h"
#include "ui/qc/QcTexts.h"
#include "ui/qc/TFormQc.h"

#include <QApplication>
#include <QBoxLayout>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cmath>

namespace T = QcTexts;

namespace {

QString verdictWord(GaugeVerdict verdict)
{
    switch (verdict) {
    case GaugeVerdict::Acceptable:
        return T::studyAcceptable();
    case GaugeVerdict::Marginal:
        return T::studyMarginal();
    case GaugeVerdict::Unacceptable:
        break;
    }
    return T::studyUnacceptable();
}

} // namespace

void TFormQc::buildStudyControls(QBoxLayout *buttons, QBoxLayout *lines)
{
    StudyButton = new QPushButton(T::studyButton(), this);
    StudyButton->setObjectName(QStringLiteral("StudyButton"));
    StudyButton->setAccessibleName(plainAccessibleName(T::studyButton()));
    connect(StudyButton, &QPushButton::clicked, this, [this] { toggleStudy(); });
    buttons->insertWidget(buttons->count() - 1, StudyButton);
    StudyLabel = new QLabel(this);
    StudyLabel->setObjectName(QStringLiteral("StudyLabel"));
    StudyLabel->setAccessibleName(plainAccessibleName(T::studyTitle()));
    StudyLabel->setWordWrap(true);
    StudyLabel->setStyleSheet(QStringLiteral("font-weight: bold;"));
    lines->insertWidget(0, StudyLabel);

    m_study = new QcStudyMode(this);
    connect(m_study, &QcStudyMode::opened, this, [this](const QString &problem) {
        if (problem.isEmpty())
            return showStudyNext();
        m_studyName.clear();
        StudyButton->setText(T::studyButton());
        StudyLabel->setText(T::studyCannotStart(problem));
    });
    connect(m_study, &QcStudyMode::recorded, this,
            [this](const GaugeCell &cell, const QString &problem) {
                // A cell not kept is simply the next one again.
                LogLabel->setText(problem.isEmpty() ? T::logged(T::studyCell(
                                                          cell.part, cell.appraiser, cell.trial))
                                                    : T::logFailed(problem));
                showStudyNext();
            });
    connect(m_study, &QcStudyMode::analysed, this, [this](const QcStudyMode::Outcome &o) {
        QStringList lines;
        for (const GaugeParameterResult &r : o.results)
            lines << (r.problem.isEmpty()
                          ? T::studyResult(r.parameter, QString::number(r.result.grrPct, 'f', 1),
                                           std::isfinite(r.result.ndc)
                                               ? QString::number(r.result.ndc)
                                               : QStringLiteral("-"),
                                           verdictWord(r.result.verdict))
                          : T::studyParameterRefused(r.parameter, r.problem));
        ReasonsText->setPlainText(o.problem.isEmpty() ? lines.join(QLatin1Char('\n')) : o.problem);
        StudyLabel->setText(T::studyDone(m_studyName));
    });
}

bool TFormQc::studying() const
{
    return !m_studyName.isEmpty();
}

void TFormQc::toggleStudy()
{
    if (studying()) {
        m_study->end();
        m_studyName.clear();
        StudyLabel->clear();
        StudyButton->setText(T::studyButton());
        clearPreviousUnit();
        RunLabel->setText(T::ready());
        return readyForNextScan();
    }
    GaugeStudyDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString folder =
        QcStationFiles::folderFor(FolderEdit->text().trimmed(), LimitsEdit->text().trimmed());
    if (!QFileInfo(folder).isDir()) {
        StudyLabel->setText(T::studyCannotStart(T::folderMissing(folder)));
        return;
    }
    const GaugeStudyPlan plan = dialog.plan();
    m_studyName = plan.name;
    StudyButton->setText(T::studyEnd());
    StudyLabel->setText(T::studyOpening(plan.name));
    clearPreviousUnit();
    m_study->begin(QcStationFiles::logTarget(databaseText(), folder), plan,
                   ResultsLog::defaultStation());
}

bool TFormQc::studyWaiting()
{
    GaugeCell cell;
    if (!studying() || m_study->next(&cell))
        return false;
    QApplication::beep();
    NoticeLabel->setText(StudyLabel->text());
    readyForNextScan();
    return true;
}

QString TFormQc::takeStudyCell(QString *serial)
{
    if (!m_study->next(&m_studyCell))
        return StudyLabel->text();
    *serial = T::studyCell(m_studyCell.part, m_studyCell.appraiser, m_studyCell.trial);
    return QString();
}

void TFormQc::finishStudyRun()
{
    redrawGraph(bandPointCount(m_record->band));
    m_study->record(m_studyCell, qcRecordOf(m_verdict, m_limits, QString()).parameters);
    RunLabel->setText(T::logging(m_runSerial));
    showStudyNext();
    readyForNextScan();
}

void TFormQc::showStudyNext()
{
    const GaugeStudyPlan &plan = m_study->plan();
    GaugeCell next;
    if (m_study->next(&next))
        StudyLabel->setText(T::studyNext(plan.name, next.appraiser, next.part, next.trial,
                                         plan.trials, m_study->measured(), plan.cellCount()));
    else if (m_study->complete())
        StudyLabel->setText(T::studyAnalysing(plan.name));
    else
        StudyLabel->setText(T::studyRecording(plan.name, m_study->measured(), plan.cellCount()));
}
