// The units window's matched sets: the split searched off the window's thread.
#include "ui/analysis/TFormUnits.h"

#include "ui/analysis/UnitsColumns.h"
#include "ui/analysis/UnitsTexts.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QtConcurrent/QtConcurrentRun>

namespace T = UnitsTexts;
using namespace UnitsColumns;

QWidget *TFormUnits::buildSetsTab()
{
    auto *page = new QWidget(this);
    auto *layout = new QGridLayout(page);
    layout->addWidget(new QLabel(T::setsCount(), page), 0, 0);
    SetsSpin = new QSpinBox(page);
    SetsSpin->setRange(1, 99);
    SetsSpin->setValue(2);
    SetsSpin->setAccessibleName(T::setsCount());
    layout->addWidget(SetsSpin, 0, 1);
    layout->addWidget(new QLabel(T::setSizes(), page), 0, 2);
    SizesEdit = new QLineEdit(page);
    SizesEdit->setAccessibleName(T::setSizes());
    layout->addWidget(SizesEdit, 0, 3);
    auto *by = new QHBoxLayout;
    by->addWidget(new QLabel(T::matchBy(), page));
    for (int c = 0; c < kColumnCount; ++c) {
        ByChecks[c] = new QCheckBox(QString::fromUtf8(kColumns[c].heading).section(' ', 0, 0));
        ByChecks[c]->setChecked(c == 1 || c == 4); // Fs and Qts
        by->addWidget(ByChecks[c]);
    }
    by->addStretch();
    MatchButton = new QPushButton(T::match(), page);
    by->addWidget(MatchButton);
    layout->addLayout(by, 1, 0, 1, 4);
    MatchLabel = new QLabel(page);
    MatchLabel->setWordWrap(true);
    layout->addWidget(MatchLabel, 2, 0, 1, 4);
    SetsTable = new QTableWidget(0, 3, page);
    SetsTable->setHorizontalHeaderLabels({T::setColumn(), T::spreadColumn(), T::filesColumn()});
    SetsTable->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    SetsTable->setAccessibleName(T::setsTab());
    layout->addWidget(SetsTable, 3, 0, 1, 4);
    layout->setRowStretch(3, 1);
    connect(MatchButton, &QPushButton::clicked, this, &TFormUnits::startMatch);
    return page;
}

void TFormUnits::startMatch()
{
    if (busy() || !m_load)
        return;
    MatchInput in;
    std::vector<int> chosen;
    for (int c = 0; c < kColumnCount; ++c)
        if (ByChecks[c]->isChecked())
            chosen.push_back(c);
    for (const LoadedUnit &u : m_load->in.units) {
        std::vector<double> row;
        for (int c : chosen)
            row.push_back(u.values.*(kColumns[c].field));
        in.values.push_back(row);
    }
    const int units = int(m_load->in.units.size());
    const int sets = SetsSpin->value();
    const QString sizesText = SizesEdit->text().trimmed();
    if (!sizesText.isEmpty()) {
        for (const QString &part : sizesText.split(QLatin1Char(','))) {
            bool ok = false;
            const int size = part.trimmed().toInt(&ok);
            if (!ok || size <= 0) {
                MatchLabel->setText(T::badSizes());
                return;
            }
            in.sizes.push_back(size);
        }
        if (in.sizes.size() == 1)
            in.sizes.assign(std::size_t(sets), in.sizes.front());
    } else {
        in.sizes = evenSizes(units, sets);
    }
    int total = 0;
    for (int m : in.sizes)
        total += m;
    QString refusal;
    if (chosen.empty())
        refusal = T::noParameters();
    else if (units < sets)
        refusal = T::fewerUnitsThanSets(units, sets);
    else if (int(in.sizes.size()) != sets)
        refusal = T::badSizes();
    else if (total != units)
        refusal = T::sizesDoNotAdd(total, units);
    SetsTable->setRowCount(0);
    MatchLabel->setText(refusal);
    if (!refusal.isEmpty())
        return;
    if (!m_matchWatcher) {
        m_matchWatcher = new QFutureWatcher<MatchResult>(this);
        connect(m_matchWatcher, &QFutureWatcherBase::finished, this, &TFormUnits::matchFinished);
    }
    setBusy(true);
    m_matchWatcher->setFuture(QtConcurrent::run([in] { return matchSets(in); }));
}

void TFormUnits::matchFinished()
{
    setBusy(false);
    StatusLabel->clear();
    m_match = m_matchWatcher->result();
    if (!m_load || !m_match.ok()) {
        MatchLabel->setText(m_match.problem == MatchProblem::NotFinite ? T::notFinite()
                                                                       : T::noParameters());
        emit matched();
        return;
    }
    SetsTable->setRowCount(int(m_match.sets.size()));
    for (int s = 0; s < int(m_match.sets.size()); ++s) {
        QStringList names;
        for (int u : m_match.sets[std::size_t(s)])
            names << QFileInfo(m_load->in.units[std::size_t(u)].path).fileName();
        SetsTable->setItem(s, 0, cell(QString::number(s + 1)));
        SetsTable->setItem(s, 1, cell(number(m_match.spreads[std::size_t(s)])));
        SetsTable->setItem(s, 2, cell(names.join(QStringLiteral(", "))));
    }
    MatchLabel->setText(
        m_match.exact ? T::worstExact(number(m_match.worstSpread))
                      : T::worstHeuristic(number(m_match.worstSpread), number(m_match.lowerBound)));
    emit matched();
}
