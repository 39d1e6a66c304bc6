#include "ui/analysis/VentedBoxPart.h"

#include "core/analysis/fit/FitMessages.h"
#include "core/document/MeasurementDocument.h"
#include "ui/analysis/WorksheetFields.h"
#include "ui/analysis/WorksheetTexts.h"
#include "ui/common/AccessibleNames.h"

#include <QComboBox>
#include <QFutureWatcher>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTableWidget>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <cmath>

namespace T = WorksheetTexts;

namespace {

constexpr int kRows = 11;

QTableWidgetItem *cell(const QString &text, Qt::Alignment align = Qt::AlignRight)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(align | Qt::AlignVCenter);
    return item;
}

QString number(double v, int decimals)
{
    return std::isfinite(v) ? QString::number(v, 'f', decimals) : T::ventNoLoss();
}

QString stderrText(double v)
{
    return std::isfinite(v) ? QStringLiteral("± ") + QString::number(v, 'g', 2) : QString();
}

} // namespace

VentedBoxPlot::VentedBoxPlot(QWidget *parent) : QWidget(parent)
{
    setMinimumSize(240, 200);
}

void VentedBoxPlot::setCurves(QVector<QPointF> measured, QVector<QPointF> model,
                              std::array<double, 3> marks)
{
    m_measured = std::move(measured);
    m_model = std::move(model);
    m_marks = marks;
    update();
}

void VentedBoxPlot::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const QFontMetrics fm(font());
    // Room below for the frequencies and, under them, the legend.
    const QRectF box = QRectF(rect()).adjusted(36, 8, -8, -(2 * fm.height() + 6));
    p.setPen(Qt::gray);
    p.drawRect(box);
    if (m_measured.size() < 2)
        return;
    double zMax = 0;
    for (const QPointF &pt : std::as_const(m_measured))
        zMax = std::max(zMax, pt.y());
    zMax *= 1.1;
    const double lo = std::log(m_measured.front().x()), hi = std::log(m_measured.back().x());
    auto at = [&](double hz, double ohm) {
        return QPointF(box.left() + box.width() * (std::log(hz) - lo) / (hi - lo),
                       box.bottom() - box.height() * std::clamp(ohm / zMax, 0.0, 1.0));
    };
    p.drawText(QRectF(0, box.top() - fm.height() / 2.0, box.left() - 4, fm.height()),
               Qt::AlignRight, QString::number(zMax, 'f', 0) + QStringLiteral(" Ω"));
    p.drawText(QRectF(box.left(), box.bottom() + 2, box.width(), fm.height()), Qt::AlignLeft,
               QString::number(m_measured.front().x(), 'f', 0) + QStringLiteral(" Hz"));
    p.drawText(QRectF(box.left(), box.bottom() + 2, box.width(), fm.height()), Qt::AlignRight,
               QString::number(m_measured.back().x(), 'f', 0) + QStringLiteral(" Hz"));

    auto draw = [&](const QVector<QPointF> &curve, const QPen &pen) {
        QPolygonF line;
        for (const QPointF &pt : curve)
            line << at(pt.x(), pt.y());
        p.setPen(pen);
        p.drawPolyline(line);
    };
    draw(m_measured, QPen(Qt::black, 1));
    draw(m_model, QPen(QColor(200, 0, 0), 1, Qt::DashLine));
    // Which peak is which: each mark named beside its line, one line of text lower than the
    // mark before, so that names of close marks never run into each other.
    const QString names[] = {T::ventMarkLow(), T::ventMarkDip(), T::ventMarkHigh()};
    for (int i = 0; i < 3; ++i) {
        if (!(m_marks[size_t(i)] > 0))
            continue;
        const double x = at(m_marks[size_t(i)], 0).x();
        p.setPen(QPen(QColor(0, 90, 200), 1, Qt::DotLine));
        p.drawLine(QPointF(x, box.top()), QPointF(x, box.bottom()));
        const int w = fm.horizontalAdvance(names[i]);
        const double left = std::clamp(x + 3, box.left() + 2, box.right() - w - 2);
        p.setPen(QColor(0, 90, 200));
        p.drawText(QPointF(left, box.top() + (i + 1) * fm.height()), names[i]);
    }
    p.setPen(Qt::black);
    p.drawText(QRectF(0, box.bottom() + 4 + fm.height(), width(), fm.height()), Qt::AlignHCenter,
               T::ventMeasured() + QStringLiteral(" ―   ") + T::ventModel() +
                   QStringLiteral(" - -"));
}

VentedBoxPart::VentedBoxPart(const MeasurementDocument *document, std::function<double()> re,
                             QWidget *parent)
    : QGroupBox(T::ventGroup(), parent), m_doc(document), m_re(std::move(re)),
      m_result(std::make_unique<VentedBoxFitResult>())
{
    setObjectName(QStringLiteral("VentGroup"));
    setAccessibleName(T::ventGroup());
    auto *grid = new QGridLayout(this);
    VentSlot = new QComboBox(this);
    VentSlot->setObjectName(QStringLiteral("VentSlot"));
    VentSlot->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    VentSlot->setMinimumContentsLength(16);
    nameComboBox(VentSlot, T::ventSlot());
    VentVbEdit = numberEdit(this, "VentVbEdit", T::ventGroup() + QLatin1Char(' ') + T::litres());
    auto *slotLabel = caption(this, T::ventSlot());
    slotLabel->setBuddy(VentSlot);
    auto *vbLabel = caption(this, T::litres());
    vbLabel->setBuddy(VentVbEdit);
    VentLabel = new QLabel(T::ventChoose(), this);
    VentLabel->setObjectName(QStringLiteral("VentLabel"));
    VentLabel->setAccessibleName(T::ventGroup());
    VentLabel->setWordWrap(true);
    VentLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    VentTable = new QTableWidget(0, 4, this);
    VentTable->setObjectName(QStringLiteral("VentTable"));
    VentTable->setAccessibleName(T::ventTable());
    VentTable->setHorizontalHeaderLabels(
        {T::columnName(), T::columnTextbook(), T::columnFit(), T::columnStderr()});
    VentTable->verticalHeader()->hide();
    VentTable->setWordWrap(false);
    VentTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    // As tall as its rows: the part scrolls as a whole.
    VentTable->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    VentPlot = new VentedBoxPlot(this);
    VentPlot->setObjectName(QStringLiteral("VentPlot"));
    VentPlot->setAccessibleName(T::ventPlot());

    grid->addWidget(slotLabel, 0, 0);
    grid->addWidget(VentSlot, 0, 1);
    grid->addWidget(vbLabel, 0, 2);
    grid->addWidget(VentVbEdit, 0, 3);
    grid->addWidget(VentLabel, 1, 0, 1, 4);
    // The table above the plot: the worksheet's right side is narrow.
    grid->addWidget(VentTable, 2, 0, 1, 4);
    grid->addWidget(VentPlot, 3, 0, 1, 4);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    connect(VentSlot, &QComboBox::currentIndexChanged, this, &VentedBoxPart::recompute);
    connect(VentVbEdit, &QLineEdit::textChanged, this, &VentedBoxPart::recompute);
}

VentedBoxPart::~VentedBoxPart() = default;

void VentedBoxPart::setSlotItems(const QStringList &items, const QStringList &files)
{
    const QSignalBlocker block(VentSlot);
    const QString had = VentSlot->currentData().toString();
    const int index = qMax(0, VentSlot->currentIndex());
    VentSlot->clear();
    for (int i = 0; i < items.size(); ++i)
        VentSlot->addItem(items[i], files.value(i));
    // A curve that left its slot is no longer used.
    VentSlot->setCurrentIndex(!had.isEmpty() && files.value(index) != had ? 0 : index);
}

// The inputs, or why there are none.
QString VentedBoxPart::gather(VentedBoxFitInput &in) const
{
    if (VentSlot->currentIndex() <= 0)
        return T::ventChoose();
    if (!m_doc->hasMeasurement())
        return T::noMeasurement();
    const int s = VentSlot->currentIndex() - 1;
    if (m_doc->reference(s).valid != 1)
        return T::emptySlot(s + 1);
    double vb = 0;
    switch (readNumber(VentVbEdit, vb)) {
    case Field::Empty:
        return T::ventChoose();
    case Field::Bad:
        return T::notANumber(VentVbEdit->accessibleName());
    case Field::Number:
        if (!(vb > 0))
            return T::ventVbNotPositive(VentVbEdit->text().trimmed());
    }
    const int freeBand = m_doc->measurement().band, boxBand = m_doc->reference(s).band;
    if (freeBand != boxBand)
        return T::ventOtherBand(boxBand, freeBand);
    in = ventedBoxFitInput(m_doc->curveRaw(), freeBand, m_doc->refCurveRaw(s), boxBand, vb,
                           m_re ? m_re() : 0.0);
    switch (in.textbook.outcome) {
    case VentedBoxOutcome::Ok:
        return QString();
    case VentedBoxOutcome::OnePeak:
        return T::ventOnePeak();
    case VentedBoxOutcome::BadVolume:
        return T::ventVbNotPositive(VentVbEdit->text().trimmed());
    case VentedBoxOutcome::NoData:
        break;
    }
    return T::ventNoData();
}

void VentedBoxPart::recompute()
{
    VentedBoxFitInput in;
    const QString refusal = gather(in);
    std::optional<Key> key;
    if (refusal.isEmpty())
        key = Key{in.freeAir, in.box, in.vbLitres, in.driver.reFree ? 0.0 : in.driver.re};
    if (key && key == m_wantedKey)
        return;
    m_wantedKey = key;
    ++m_wantedId;
    *m_result = VentedBoxFitResult{};
    if (!refusal.isEmpty()) {
        m_wanted.reset();
        VentLabel->setText(refusal);
        showResult();
        return;
    }
    // The textbook values at once; the fit's when it reports back.
    m_result->textbook = in.textbook;
    m_result->outcome = VentedBoxFitOutcome::NoConvergence;
    m_wanted = std::move(in);
    VentLabel->setText(T::fitting());
    showResult();
    if (!m_busy)
        startFit();
}

void VentedBoxPart::startFit()
{
    if (!m_watcher) {
        m_watcher = new QFutureWatcher<VentedBoxFitResult>(this);
        connect(m_watcher, &QFutureWatcherBase::finished, this, &VentedBoxPart::fitFinished);
    }
    m_busy = true;
    m_runningId = m_wantedId;
    // The task owns a copy of what it reads: it may outlive this window.
    m_watcher->setFuture(QtConcurrent::run([in = *m_wanted] { return fitVentedBox(in); }));
}

void VentedBoxPart::fitFinished()
{
    m_busy = false;
    if (m_runningId != m_wantedId) {
        if (m_wanted)
            startFit();
        return;
    }
    *m_result = m_watcher->result();
    switch (m_result->outcome) {
    case VentedBoxFitOutcome::Ok: {
        QStringList losses;
        const double qs[] = {m_result->ql, m_result->qa, m_result->qp};
        for (int i = 0; i < 3; ++i)
            if (std::isfinite(qs[i]))
                losses << T::ventLossNames(i);
        VentLabel->setText(
            T::ventFitted(fitModelName(m_result->driver.model),
                          losses.isEmpty() ? T::ventNoLoss() : losses.join(QStringLiteral(", "))));
        break;
    }
    case VentedBoxFitOutcome::FreeAirFailed:
        VentLabel->setText(T::ventFreeAirFailed(FitMessages::outcomeText(m_result->driver)));
        break;
    default:
        VentLabel->setText(T::ventNoFit());
    }
    showResult();
}

void VentedBoxPart::showResult()
{
    const VentedBoxFitResult &r = *m_result;
    const VentedBoxTextbook &t = r.textbook;
    VentTable->setRowCount(0);
    if (!t.ok()) {
        VentPlot->setCurves({}, {}, {});
        return;
    }
    const bool fit = r.ok();
    const double nan = std::nan("");
    struct Row {
        double textbook, fitted, stderrs;
        int decimals;
        const char *unit;
    };
    const Row rows[kRows] = {
        {t.fLHz, nan, nan, 2, "Hz"},
        {t.fMHz, nan, nan, 2, "Hz"},
        {t.fHHz, nan, nan, 2, "Hz"},
        {t.fbHz, r.fbHz, r.fbStderr, 2, "Hz"},
        {t.alpha, r.alpha, r.vasStderr / std::max(r.vbLitres, 1e-12), 3, ""},
        {t.fsHz, r.fsHz, r.fsStderr, 2, "Hz"},
        {t.vasLitres, r.vasLitres, r.vasStderr, 2, "L"},
        {nan, r.ql, r.qlStderr, 2, ""},
        {nan, r.qa, r.qaStderr, 1, ""},
        {nan, r.qp, r.qpStderr, 1, ""},
        {nan, r.rmsMagPct, nan, 2, "%"},
    };
    VentTable->setRowCount(kRows);
    for (int i = 0; i < kRows; ++i) {
        const Row &row = rows[i];
        const QString unit = row.unit[0] ? QLatin1Char(' ') + QLatin1String(row.unit) : QString();
        VentTable->setItem(i, 0, cell(T::ventRow(i), Qt::AlignLeft));
        VentTable->setItem(
            i, 1,
            cell(std::isnan(row.textbook) ? QString() : number(row.textbook, row.decimals) + unit));
        const bool shown = fit && (i >= 3);
        VentTable->setItem(i, 2,
                           cell(!shown ? QString()
                                       : number(row.fitted, row.decimals) +
                                             (std::isfinite(row.fitted) ? unit : QString())));
        VentTable->setItem(i, 3, cell(shown ? stderrText(row.stderrs) : QString()));
    }
    VentTable->resizeColumnsToContents();
    // Every column in view; the plot takes the rest.
    VentTable->setMinimumWidth(VentTable->horizontalHeader()->length() +
                               2 * VentTable->frameWidth() + 2);

    // The box curve and, once fitted, the model at the same frequencies.
    QVector<QPointF> measured, model;
    if (m_wanted)
        for (const FitPoint &p : m_wanted->box) {
            measured << QPointF(p.hz, p.ohm);
            if (fit)
                model << QPointF(p.hz, std::abs(r.impedance(p.hz)));
        }
    VentPlot->setCurves(measured, model, {t.fLHz, t.fMHz, t.fHHz});
}
