// The units window's trend: the values against the measurement date.
#include "ui/analysis/TFormUnits.h"

#include "ui/analysis/UnitsColumns.h"
#include "ui/analysis/UnitsTexts.h"

#include "core/analysis/population/RunDate.h"
#include "core/analysis/population/Trend.h"

#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <algorithm>

namespace T = UnitsTexts;
using namespace UnitsColumns;

QWidget *TFormUnits::buildTrendTab()
{
    auto *page = new QWidget(this);
    auto *layout = new QGridLayout(page);
    layout->addWidget(new QLabel(T::settlePct(), page), 0, 0);
    SettleSpin = new QDoubleSpinBox(page);
    SettleSpin->setRange(0.1, 50.0);
    SettleSpin->setValue(kSettledPct);
    SettleSpin->setAccessibleName(T::settlePct());
    layout->addWidget(SettleSpin, 0, 1);
    TrendTable = new QTableWidget(0, 5, page);
    TrendTable->setHorizontalHeaderLabels({T::dateColumn(), QStringLiteral("Fs [Hz]"),
                                           QStringLiteral("Qts"), QStringLiteral("Re [Ω]"),
                                           T::fileColumn()});
    TrendTable->horizontalHeader()->setSectionResizeMode(4, QHeaderView::Stretch);
    TrendTable->setAccessibleName(T::trendTab());
    layout->addWidget(TrendTable, 1, 0, 1, 3);
    TrendLabel = new QLabel(page);
    TrendLabel->setWordWrap(true);
    layout->addWidget(TrendLabel, 2, 0, 1, 3);
    layout->setRowStretch(1, 1);
    layout->setColumnStretch(2, 1);
    connect(SettleSpin, &QDoubleSpinBox::valueChanged, this, &TFormUnits::fillTrend);
    return page;
}

void TFormUnits::fillTrend()
{
    TrendTable->setRowCount(0);
    TrendLabel->clear();
    if (!m_load)
        return;
    const auto &units = m_load->in.units;
    std::vector<QString> texts;
    for (const LoadedUnit &u : units)
        texts.push_back(u.dateText);
    const std::vector<RunDate> dates = readRunDates(texts);
    struct Point {
        const LoadedUnit *unit;
        QDateTime when;
        bool fromRecord;
        bool ambiguous;
    };
    std::vector<Point> points;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const bool fromRecord = !units[i].isTable && dates[i].ok();
        points.push_back({&units[i], fromRecord ? dates[i].when : units[i].modified, fromRecord,
                          fromRecord && dates[i].ambiguous});
    }
    std::stable_sort(points.begin(), points.end(),
                     [](const Point &a, const Point &b) { return a.when < b.when; });
    std::vector<double> fs;
    bool anyAmbiguous = false;
    bool anyModified = false;
    TrendTable->setRowCount(int(points.size()));
    for (int row = 0; row < int(points.size()); ++row) {
        const Point &p = points[std::size_t(row)];
        fs.push_back(p.unit->values.fs);
        anyAmbiguous |= p.ambiguous;
        anyModified |= !p.fromRecord;
        const QString mark =
            p.ambiguous ? QStringLiteral(" ?") : (p.fromRecord ? QString() : QStringLiteral(" ~"));
        TrendTable->setItem(row, 0,
                            cell(p.when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + mark));
        TrendTable->setItem(row, 1, cell(number(p.unit->values.fs)));
        TrendTable->setItem(row, 2, cell(number(p.unit->values.qts)));
        TrendTable->setItem(row, 3,
                            cell(number(p.unit->values.re) +
                                 (p.unit->values.reEstimated ? QStringLiteral(" *") : QString())));
        TrendTable->setItem(row, 4, cell(QFileInfo(p.unit->path).fileName()));
    }
    TrendTable->resizeColumnToContents(0);
    QStringList lines{T::settled(isSettled(fs, SettleSpin->value()))};
    if (anyAmbiguous)
        lines << T::ambiguousNote();
    if (anyModified)
        lines << T::modifiedNote();
    TrendLabel->setText(lines.join(QLatin1Char('\n')));
}
