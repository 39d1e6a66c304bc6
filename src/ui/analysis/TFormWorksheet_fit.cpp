#include "core/analysis/WorksheetMessages.h"
#include "core/analysis/fit/FitMessages.h"
#include "core/analysis/fit/FitReport.h"
#include "core/document/MeasurementDocument.h"
#include "core/model/Settings.h"
#include "ui/analysis/TFormWorksheet.h"
#include "ui/analysis/WorksheetTexts.h"
#include "ui/common/AccessibleNames.h"
#include "ui/common/Seams.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFutureWatcher>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPixmap>
#include <QPushButton>
#include <QTableWidget>
#include <QtConcurrent/QtConcurrentRun>
#include <cmath>
#include <iterator>
#include <utility>

namespace T = WorksheetTexts;

namespace {

constexpr FitModel kModels[] = {FitModel::Classic, FitModel::Lr2, FitModel::Semi};

QTableWidgetItem *fitCell(const QString &text, Qt::Alignment align = Qt::AlignLeft)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(align | Qt::AlignVCenter);
    return item;
}

void paintFitSwatch(QPushButton *button, ColorRef colour)
{
    QPixmap swatch(32, 12);
    swatch.fill(toQColor(colour));
    button->setIcon(QIcon(swatch));
    button->setIconSize(swatch.size());
}

} // namespace

QGroupBox *TFormWorksheet::buildFitGroup()
{
    m_fitColor = toColorRef(QColor(0, 150, 0));
    auto *group = new QGroupBox(T::fitGroup(), this);
    group->setObjectName(QStringLiteral("FitGroup"));
    group->setAccessibleName(T::fitGroup());
    auto *grid = new QGridLayout(group);

    FitModelBox = new QComboBox(group);
    FitModelBox->setObjectName(QStringLiteral("FitModelBox"));
    nameComboBox(FitModelBox, T::fitModel());
    for (int i = 0; i < int(std::size(kModels)); ++i)
        FitModelBox->addItem(T::fitModelItem(i));
    auto *modelLabel = new QLabel(T::fitModel(), group);
    modelLabel->setBuddy(FitModelBox);

    FitReFree = new QCheckBox(T::fitReFree(), group);
    FitReFree->setObjectName(QStringLiteral("FitReFree"));
    FitReFree->setAccessibleName(T::fitReFree());
    FitShow = new QCheckBox(T::fitShow(), group);
    FitShow->setObjectName(QStringLiteral("FitShow"));
    FitShow->setAccessibleName(T::fitShow());
    FitColor = new QPushButton(group);
    FitColor->setObjectName(QStringLiteral("FitColor"));
    FitColor->setAccessibleName(T::fitColor());
    FitColor->setToolTip(T::fitColor());
    FitColor->setFixedWidth(48);

    FitLabel = new QLabel(group);
    FitLabel->setObjectName(QStringLiteral("FitLabel"));
    FitLabel->setAccessibleName(T::fitGroup());
    FitLabel->setWordWrap(true);
    FitLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    FitTable = new QTableWidget(0, 5, group);
    FitTable->setObjectName(QStringLiteral("FitTable"));
    FitTable->setAccessibleName(T::fitTable());
    FitTable->setHorizontalHeaderLabels({T::columnName(), T::columnValue(), T::columnUnit(),
                                         T::columnStderr(), T::columnClassic()});
    FitTable->horizontalHeader()->setStretchLastSection(true);
    FitTable->verticalHeader()->hide();
    FitTable->setWordWrap(false);
    FitTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);

    grid->addWidget(modelLabel, 0, 0);
    grid->addWidget(FitModelBox, 0, 1);
    grid->addWidget(FitReFree, 0, 2);
    grid->addWidget(FitShow, 0, 3);
    grid->addWidget(FitColor, 0, 4);
    grid->setColumnStretch(5, 1);
    grid->addWidget(FitLabel, 1, 0, 1, 6);
    grid->addWidget(FitTable, 2, 0, 1, 6);

    connect(FitModelBox, &QComboBox::currentIndexChanged, this, &TFormWorksheet::queueRecompute);
    connect(FitReFree, &QCheckBox::toggled, this, &TFormWorksheet::queueRecompute);
    connect(FitShow, &QCheckBox::toggled, this, &TFormWorksheet::showFitOverlay);
    connect(FitColor, &QPushButton::clicked, this, &TFormWorksheet::chooseFitColor);
    paintFitSwatch(FitColor, m_fitColor);
    return group;
}

// Kept for this session only: the settings file keeps its own lines.
void TFormWorksheet::chooseFitColor()
{
    const QColor chosen = Seams::colors().chooseColor(this, toQColor(m_fitColor));
    if (!chosen.isValid())
        return;
    m_fitColor = toColorRef(chosen);
    paintFitSwatch(FitColor, m_fitColor);
    showFitOverlay();
}

// The worksheet's refusal stands for the fit too unless only the table's other inputs are
// missing: the fit needs the measurement and, when Re is held, the Re typed here. Without
// inputs, text says why.
std::optional<TFormWorksheet::FitInputs> TFormWorksheet::fitInputs(const QString &refusal,
                                                                   QString &text) const
{
    const MeasurementDocument &doc = *m_host.document;
    FitInputs in;
    in.settings.model = kModels[qBound(0, FitModelBox->currentIndex(), 2)];
    in.settings.reFree = FitReFree->isChecked();
    bool reOk = false;
    in.settings.re = QLocale::c().toDouble(
        ReEdit->text().trimmed().replace(QLatin1Char(','), QLatin1Char('.')), &reOk);
    reOk = reOk && std::isfinite(in.settings.re);
    if (FromNumbersGroup->isChecked()) {
        text = T::typedNoFit();
        return std::nullopt;
    }
    if (!doc.hasMeasurement()) {
        text = refusal;
        return std::nullopt;
    }
    if (!in.settings.reFree && !reOk) {
        text = refusal.isEmpty() ? T::reMissing() : refusal;
        return std::nullopt;
    }
    if (!reOk)
        in.settings.re = 0;
    in.points = fitPoints(doc.curveRaw(), doc.measurement().band, 0, 0);
    return in;
}

// A fit takes a noticeable time: it runs only when its own inputs change, and off this thread.
void TFormWorksheet::requestFit(const QString &refusal)
{
    QString text;
    std::optional<FitInputs> wanted = fitInputs(refusal, text);
    if (wanted && wanted == m_fitWanted)
        return;
    m_fitWanted = std::move(wanted);
    ++m_fitWantedId;
    *m_fit = FitResult{};
    FitTable->setRowCount(0);
    FitLabel->setText(m_fitWanted ? T::fitting() : text);
    showFitOverlay();
    if (m_fitWanted && !m_fitBusy)
        startFit();
}

void TFormWorksheet::startFit()
{
    if (!m_fitWatcher) {
        m_fitWatcher = new QFutureWatcher<FitResult>(this);
        connect(m_fitWatcher, &QFutureWatcherBase::finished, this, &TFormWorksheet::fitFinished);
    }
    m_fitBusy = true;
    m_fitRunningId = m_fitWantedId;
    // The task owns copies of what it reads: it may outlive this window.
    m_fitWatcher->setFuture(QtConcurrent::run(
        [in = *m_fitWanted] { return fitImpedanceCurve(in.points, in.settings); }));
}

void TFormWorksheet::fitFinished()
{
    m_fitBusy = false;
    if (m_fitRunningId != m_fitWantedId) {
        // Superseded: the newest request, if any, runs now.
        if (m_fitWanted)
            startFit();
        return;
    }
    TsWorksheetInput in;
    const QString refusal = gatherInput(in);
    QString text;
    // The curve may have changed while this window was hidden: the next recompute fits again.
    if (fitInputs(refusal, text) != m_fitWanted) {
        m_fitWanted.reset();
        return;
    }
    *m_fit = m_fitWatcher->result();
    text = FitMessages::outcomeText(*m_fit);
    if (m_fit->outcome == FitOutcome::Ok) {
        const MeasurementDocument &doc = *m_host.document;
        fittedCurve(*m_fit, doc.curveRaw(), doc.measurement().band, *m_fitCurve);
        if (!m_fit->phaseUsed)
            text = FitMessages::magnitudeOnly();
    }
    FitLabel->setText(text);
    showFitOverlay();
    // The methods now read the motional impedance.
    showWorksheetRows(in, refusal);
}

void TFormWorksheet::showFitTable()
{
    FitTable->setRowCount(0);
    if (m_fit->outcome != FitOutcome::Ok)
        return;

    // Each value beside the classic method's value of the same name, where it has one.
    const QVector<FitRow> rows = fitRows(*m_fit);
    FitTable->setRowCount(int(rows.size()));
    for (int i = 0; i < rows.size(); ++i) {
        const FitRow &r = rows[i];
        QString classic;
        for (const TsRow &t : std::as_const(m_rows))
            if (t.section == WorksheetMessages::sectionClassic() && t.name == r.name)
                classic = t.value;
        FitTable->setItem(i, 0, fitCell(r.name));
        FitTable->setItem(i, 1, fitCell(r.value, Qt::AlignRight));
        FitTable->setItem(i, 2, fitCell(r.unit));
        FitTable->setItem(i, 3, fitCell(r.stderrText, Qt::AlignRight));
        FitTable->setItem(i, 4, fitCell(classic, Qt::AlignRight));
    }
    FitTable->resizeColumnsToContents();
}

void TFormWorksheet::showFitOverlay()
{
    if (!m_host.fitOverlay)
        return;
    const bool shown = FitShow->isChecked() && m_fit->outcome == FitOutcome::Ok;
    m_host.fitOverlay(shown ? m_fitCurve.get() : nullptr, m_fitColor);
}
