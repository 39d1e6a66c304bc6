#include "ui/qc/TDialogQcCharts.h"

#include "core/qc/log/LogTarget.h"
#include "ui/qc/QcTexts.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <cmath>

namespace T = QcTexts;

namespace {

const QSize kChartSize(640, 240);

// The individuals chart: the groups' ranges, their means joined, the limits, and rings on the
// groups with a rule broken.
QImage drawChart(const SpcParameter &p, const QFont &font)
{
    QImage image(kChartSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter g(&image);
    g.setFont(font);
    g.setRenderHint(QPainter::Antialiasing);
    const QRectF plot(56, 8, kChartSize.width() - 64, kChartSize.height() - 16);
    double lo = p.limits.lower, hi = p.limits.upper;
    for (const ThinnedPoint &t : p.points) {
        lo = std::min(lo, t.min);
        hi = std::max(hi, t.max);
    }
    if (!std::isfinite(lo) || !std::isfinite(hi) || !(hi > lo)) {
        lo = p.limits.centre - 1.0;
        hi = p.limits.centre + 1.0;
    }
    const auto y = [&](double v) { return plot.bottom() - (v - lo) / (hi - lo) * plot.height(); };
    const auto x = [&](std::size_t i) {
        return plot.left() +
               (p.points.size() > 1 ? double(i) / double(p.points.size() - 1) : 0.5) * plot.width();
    };
    g.fillRect(plot, QColor(0xf3, 0xf6, 0xfa));
    for (const auto &[v, colour] : {std::pair{p.limits.upper, QColor(0xc0, 0x39, 0x2b)},
                                    std::pair{p.limits.centre, QColor(0x2a, 0x7a, 0x2a)},
                                    std::pair{p.limits.lower, QColor(0xc0, 0x39, 0x2b)}}) {
        if (!std::isfinite(v))
            continue;
        g.setPen(QPen(colour, 1, Qt::DashLine));
        g.drawLine(QPointF(plot.left(), y(v)), QPointF(plot.right(), y(v)));
        g.setPen(Qt::black);
        g.drawText(QRectF(0, y(v) - 8, plot.left() - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(v, 'g', 4));
    }
    QPainterPath line;
    g.setPen(QColor(0x9d, 0xb8, 0xd9));
    for (std::size_t i = 0; i < p.points.size(); ++i) {
        const ThinnedPoint &t = p.points[i];
        if (t.max > t.min)
            g.drawLine(QPointF(x(i), y(t.min)), QPointF(x(i), y(t.max)));
        if (i == 0)
            line.moveTo(x(i), y(t.mean));
        else
            line.lineTo(x(i), y(t.mean));
    }
    g.setPen(QPen(QColor(0x1f, 0x4e, 0x8c), 1.2));
    g.drawPath(line);
    g.setPen(QPen(QColor(0xe0, 0x26, 0x1b), 1.6));
    for (std::size_t i = 0; i < p.points.size(); ++i) {
        const ThinnedPoint &t = p.points[i];
        if (t.rules == 0)
            continue;
        const double v =
            std::abs(t.max - p.limits.centre) >= std::abs(t.min - p.limits.centre) ? t.max : t.min;
        g.drawEllipse(QPointF(x(i), y(v)), 3.5, 3.5);
    }
    return image;
}

QString number(double v, int precision)
{
    return std::isfinite(v) ? QString::number(v, 'f', precision) : QStringLiteral("-");
}

} // namespace

TDialogQcCharts::TDialogQcCharts(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DialogQcCharts"));
    setWindowTitle(T::chartsTitle());
    ByCombo = new QComboBox(this);
    ByCombo->setObjectName(QStringLiteral("ByCombo"));
    ByCombo->addItem(T::byDay(), int(SpcGrouping::Day));
    ByCombo->addItem(T::byShift(), int(SpcGrouping::Shift));
    ByCombo->addItem(T::byStation(), int(SpcGrouping::Station));
    ShiftsEdit = new QLineEdit(defaultShifts(), this);
    ShiftsEdit->setObjectName(QStringLiteral("ShiftsEdit"));
    RefreshButton = new QPushButton(T::refresh(), this);
    RefreshButton->setObjectName(QStringLiteral("RefreshButton"));
    ParameterCombo = new QComboBox(this);
    ParameterCombo->setObjectName(QStringLiteral("ParameterCombo"));
    ChartView = new QLabel(this);
    ChartView->setObjectName(QStringLiteral("ChartView"));
    ChartView->setFixedSize(kChartSize);
    StatusLabel = new QLabel(this);
    StatusLabel->setObjectName(QStringLiteral("StatusLabel"));
    StatusLabel->setWordWrap(true);
    PeriodTable = new QTableWidget(0, 4, this);
    PeriodTable->setObjectName(QStringLiteral("PeriodTable"));
    PeriodTable->setHorizontalHeaderLabels(
        {T::period(), QStringLiteral("n"), QStringLiteral("Cpk"), QStringLiteral("Ppk")});
    PeriodTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    PeriodTable->setEditTriggers(QAbstractItemView::NoEditTriggers);

    auto *form = new QFormLayout;
    auto *byRow = new QHBoxLayout;
    byRow->addWidget(ByCombo);
    byRow->addWidget(ShiftsEdit, 1);
    byRow->addWidget(RefreshButton);
    form->addRow(T::groupBy(), byRow);
    form->addRow(T::parameter(), ParameterCombo);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(ChartView);
    layout->addWidget(StatusLabel);
    layout->addWidget(PeriodTable, 1);

    connect(RefreshButton, &QPushButton::clicked, this, [this] { refresh(); });
    connect(ParameterCombo, &QComboBox::currentIndexChanged, this, [this] { showParameter(); });
    connect(&m_watcher, &QFutureWatcher<QString>::finished, this, [this] { showReport(); });
}

TDialogQcCharts::~TDialogQcCharts()
{
    if (m_cancel)
        m_cancel->store(true);
    m_watcher.waitForFinished();
}

bool TDialogQcCharts::reading() const
{
    return m_watcher.isRunning();
}

void TDialogQcCharts::showLog(const QString &target)
{
    m_target = target;
    refresh();
}

void TDialogQcCharts::refresh()
{
    if (m_watcher.isRunning())
        return;
    SpcOptions options;
    options.grouping = SpcGrouping(ByCombo->currentData().toInt());
    if (options.grouping == SpcGrouping::Shift) {
        QString problem;
        if (!parseShifts(ShiftsEdit->text(), &options.shifts, &problem)) {
            StatusLabel->setText(problem);
            return;
        }
    }
    StatusLabel->setText(T::chartsReading(redactLogTarget(m_target)));
    RefreshButton->setEnabled(false);
    m_cancel = std::make_shared<std::atomic_bool>(false);
    options.cancel = m_cancel.get();
    m_reading = std::make_shared<SpcReport>();
    // The thread owns what it needs: the window may go before it ends.
    m_watcher.setFuture(
        QtConcurrent::run([target = m_target, options, out = m_reading, cancel = m_cancel]() {
            QString problem;
            spcReportFromTarget(target, options, out.get(), &problem);
            return problem;
        }));
}

void TDialogQcCharts::showReport()
{
    RefreshButton->setEnabled(true);
    const QString problem = m_watcher.result();
    if (!problem.isEmpty()) {
        StatusLabel->setText(problem);
        return;
    }
    m_report = std::move(*m_reading);
    const QString shown = ParameterCombo->currentText();
    {
        const QSignalBlocker block(ParameterCombo);
        ParameterCombo->clear();
        for (const SpcParameter &p : m_report.parameters)
            ParameterCombo->addItem(p.name);
        ParameterCombo->setCurrentIndex(std::max(0, ParameterCombo->findText(shown)));
    }
    showParameter();
}

void TDialogQcCharts::showParameter()
{
    const int i = ParameterCombo->currentIndex();
    if (i < 0 || i >= m_report.parameters.size())
        return;
    const SpcParameter &p = m_report.parameters[i];
    ChartView->setPixmap(QPixmap::fromImage(drawChart(p, font())));
    StatusLabel->setText(
        T::chartsSummary(m_report.summary.units, number(m_report.summary.yieldPct, 2),
                         number(p.capability.cpk, 2), number(p.capability.ppk, 2), p.flagged));
    PeriodTable->setRowCount(int(p.periods.size()));
    for (int r = 0; r < p.periods.size(); ++r) {
        const SpcPeriodStats &s = p.periods[r];
        const QStringList cells{s.period, QString::number(s.n), number(s.capability.cpk, 2),
                                number(s.capability.ppk, 2)};
        for (int c = 0; c < cells.size(); ++c)
            PeriodTable->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
}
