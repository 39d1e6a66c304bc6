#include "ui/analysis/TFormCompensation.h"

#include "core/analysis/design/CompensationGraph.h"
#include "core/document/MeasurementDocument.h"
#include "core/files/SafeWrite.h"
#include "core/files/ZmaText.h"
#include "ui/analysis/CompensationTexts.h"
#include "ui/common/AccessibleNames.h"
#include "ui/common/Seams.h"
#include "ui/common/TH_Message.h"
#include "ui/common/Texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPixmap>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <cmath>

namespace T = CompensationTexts;

namespace {

constexpr ESeries kSeries[] = {ESeries::E12, ESeries::E24, ESeries::Exact};
const QSize kGraphSize(720, 260);

QTableWidget *resultTable(const QStringList &columns, const QString &name, QWidget *parent)
{
    auto *table = new QTableWidget(0, int(columns.size()), parent);
    table->setAccessibleName(name);
    table->setHorizontalHeaderLabels(columns);
    table->horizontalHeader()->setStretchLastSection(true);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setMinimumHeight(table->fontMetrics().height() * 6);
    return table;
}

void addRow(QTableWidget *table, const QStringList &cells)
{
    const int row = table->rowCount();
    table->insertRow(row);
    for (int c = 0; c < cells.size(); ++c) {
        auto *item = new QTableWidgetItem(cells[c]);
        item->setTextAlignment((c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
        table->setItem(row, c, item);
    }
}

QString part(double v)
{
    return QString::number(v, 'g', 4);
}

QString percent(double v)
{
    return QString::number(v, 'f', 2);
}

// Two pairs as "first / second".
QStringList zobelCells(const QString &method, const ZobelValues &v)
{
    if (v.hasSecondPair())
        return {method, part(v.rOhm) + QStringLiteral(" / ") + part(v.r2Ohm),
                part(v.cUf) + QStringLiteral(" / ") + part(v.c2Uf), percent(v.flatnessPct)};
    return {method, part(v.rOhm), part(v.cUf), percent(v.flatnessPct)};
}

// A positive frequency typed with "." or ",".
double typedHz(const QLineEdit *edit)
{
    bool ok = false;
    const double hz = QLocale::c().toDouble(
        edit->text().trimmed().replace(QLatin1Char(','), QLatin1Char('.')), &ok);
    return ok && std::isfinite(hz) && hz > 0.0 ? hz : -1.0;
}

QString colourSpan(ColorRef colour, const QString &text)
{
    return QStringLiteral("<span style=\"color:%1\">&#9472;&#9472;</span> %2")
        .arg(toQColor(colour).name(), text.toHtmlEscaped());
}

} // namespace

TFormCompensation::TFormCompensation(const CompensationHost &host, QWidget *parent)
    : QWidget(parent, Qt::Window), m_host(host), m_designs(std::make_unique<CompensationDesigns>()),
      m_compensated(std::make_unique<CurveBlock>())
{
    setObjectName(QStringLiteral("FormCompensation"));
    setWindowTitle(T::title());
    buildControls();
}

TFormCompensation::~TFormCompensation()
{
    // The task owns copies of what it reads; only its result is dropped. A focused edit ends
    // its editing as the window goes: nothing is computed then.
    if (m_watcher)
        m_watcher->disconnect(this);
    FromEdit->disconnect(this);
    ToEdit->disconnect(this);
}

void TFormCompensation::buildControls()
{
    auto *top = new QVBoxLayout(this);
    auto *inputs = new QHBoxLayout;
    auto edit = [&](QLineEdit *&slot, const char *name, const QString &caption,
                    const QString &text) {
        slot = new QLineEdit(text, this);
        slot->setObjectName(QString::fromLatin1(name));
        slot->setAccessibleName(caption);
        slot->setFixedWidth(slot->fontMetrics().horizontalAdvance(QStringLiteral("000000.0")) + 12);
        auto *label = new QLabel(caption, this);
        label->setBuddy(slot);
        inputs->addWidget(label);
        inputs->addWidget(slot);
        connect(slot, &QLineEdit::editingFinished, this, &TFormCompensation::recompute);
    };
    edit(FromEdit, "FromEdit", T::fromHz(), QStringLiteral("300"));
    edit(ToEdit, "ToEdit", T::toHz(), QStringLiteral("20000"));
    auto combo = [&](QComboBox *&slot, const char *name, const QString &caption,
                     QString (*item)(int)) {
        slot = new QComboBox(this);
        slot->setObjectName(QString::fromLatin1(name));
        nameComboBox(slot, caption);
        for (int i = 0; i < 3; ++i)
            slot->addItem(item(i));
        auto *label = new QLabel(caption, this);
        label->setBuddy(slot);
        inputs->addWidget(label);
        inputs->addWidget(slot);
    };
    combo(SeriesBox, "SeriesBox", T::series(), &T::seriesItem);
    SeriesBox->setCurrentIndex(1);
    SecondPairCheck = new QCheckBox(T::secondPair(), this);
    SecondPairCheck->setObjectName(QStringLiteral("SecondPairCheck"));
    SecondPairCheck->setAccessibleName(T::secondPair());
    inputs->addWidget(SecondPairCheck);
    combo(ShownBox, "ShownBox", T::shown(), &T::shownItem);
    inputs->addStretch();
    top->addLayout(inputs);
    connect(SeriesBox, &QComboBox::currentIndexChanged, this, &TFormCompensation::recompute);
    connect(SecondPairCheck, &QCheckBox::toggled, this, &TFormCompensation::recompute);
    connect(ShownBox, &QComboBox::currentIndexChanged, this, &TFormCompensation::showCurve);

    auto *results = new QHBoxLayout;
    auto group = [&](const QString &caption, QLabel *&label, QTableWidget *&table,
                     const char *labelName, const char *tableName, const QStringList &columns) {
        auto *box = new QGroupBox(caption, this);
        auto *layout = new QVBoxLayout(box);
        label = new QLabel(box);
        label->setObjectName(QString::fromLatin1(labelName));
        label->setAccessibleName(caption);
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        table = resultTable(columns, caption, box);
        table->setObjectName(QString::fromLatin1(tableName));
        layout->addWidget(label);
        layout->addWidget(table);
        results->addWidget(box);
    };
    group(T::zobelGroup(), ZobelLabel, ZobelTable, "ZobelLabel", "ZobelTable",
          {T::columnMethod(), T::columnR(), T::columnC(), T::columnFlatness()});
    group(T::notchGroup(), NotchLabel, NotchTable, "NotchLabel", "NotchTable",
          {T::columnMethod(), T::columnR(), T::columnL(), T::columnC(), T::columnFlatness()});
    top->addLayout(results);

    GraphView = new QLabel(this);
    GraphView->setObjectName(QStringLiteral("GraphView"));
    GraphView->setAccessibleName(T::graph());
    GraphView->setFixedSize(kGraphSize);
    top->addWidget(GraphView);
    LegendLabel = new QLabel(colourSpan(compensationMeasuredColour(), T::measured()) +
                                 QStringLiteral("&nbsp;&nbsp;&nbsp;") +
                                 colourSpan(compensationCurveColour(), T::compensated()),
                             this);
    LegendLabel->setObjectName(QStringLiteral("LegendLabel"));
    top->addWidget(LegendLabel);

    auto *buttons = new QHBoxLayout;
    ExportButton = new QPushButton(T::exportZma(), this);
    ExportButton->setObjectName(QStringLiteral("ExportButton"));
    CloseButton = new QPushButton(T::close(), this);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    buttons->addWidget(ExportButton);
    buttons->addStretch();
    buttons->addWidget(CloseButton);
    top->addLayout(buttons);
    connect(ExportButton, &QPushButton::clicked, this, &TFormCompensation::exportClick);
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::close);
    showCurve();
}

void TFormCompensation::showCompensation()
{
    show();
    raise();
    activateWindow();
    if (m_stale)
        recompute();
}

void TFormCompensation::curvesChanged()
{
    m_stale = true;
    if (isVisible())
        recompute();
}

bool TFormCompensation::busy() const
{
    return m_watcher && m_watcher->isRunning();
}

// The inputs are read when a design starts: one under way finishes, is dropped and the
// newest inputs run after it.
void TFormCompensation::recompute()
{
    m_stale = false;
    if (busy()) {
        m_again = true;
        return;
    }
    *m_designs = CompensationDesigns();
    const MeasurementDocument &doc = *m_host.document;
    QString refusal;
    if (!doc.hasMeasurement())
        refusal = T::noMeasurement();
    else if (typedHz(FromEdit) < 0.0)
        refusal = T::notANumber(T::fromHz());
    else if (typedHz(ToEdit) < 0.0)
        refusal = T::notANumber(T::toHz());
    if (!refusal.isEmpty()) {
        ZobelLabel->setText(refusal);
        NotchLabel->setText(refusal);
        showDesigns();
        return;
    }
    ZobelLabel->setText(T::computing());
    NotchLabel->setText(T::computing());
    startDesign();
}

void TFormCompensation::startDesign()
{
    if (!m_watcher) {
        m_watcher = new QFutureWatcher<CompensationDesigns>(this);
        connect(m_watcher, &QFutureWatcherBase::finished, this, &TFormCompensation::designFinished);
    }
    m_again = false;
    // The task owns copies of what it reads: it may outlive this window.
    auto curve = std::make_shared<const CurveBlock>(m_host.document->curveRaw());
    const double from = typedHz(FromEdit), to = typedHz(ToEdit);
    const ESeries series = kSeries[qBound(0, SeriesBox->currentIndex(), 2)];
    const bool second = SecondPairCheck->isChecked();
    m_watcher->setFuture(QtConcurrent::run([curve, from, to, series, second] {
        return CompensationDesigns{designZobel(*curve, from, to, series, second),
                                   designNotch(*curve)};
    }));
}

void TFormCompensation::designFinished()
{
    if (m_again) {
        recompute();
        return;
    }
    *m_designs = m_watcher->result();
    const ZobelDesign &z = m_designs->zobel;
    const NotchDesign &n = m_designs->notch;
    ZobelLabel->setText(
        z.ok()
            ? T::zobelEstimates(QString::number(z.reOhm, 'f', 3), QString::number(z.leMh, 'f', 3),
                                FromEdit->text().trimmed(), ToEdit->text().trimmed())
            : T::zobelRefused(z.outcome, kMinZobelPoints));
    NotchLabel->setText(
        n.ok()
            ? T::notchEstimates(QString::number(n.fsHz, 'f', 2), QString::number(n.qms, 'f', 3),
                                QString::number(n.qes, 'f', 3), QString::number(n.fromHz, 'f', 1),
                                QString::number(n.toHz, 'f', 1))
            : T::notchRefused(n.outcome));
    showDesigns();
}

// A refused design shows its reason and no number.
void TFormCompensation::showDesigns()
{
    ZobelTable->setRowCount(0);
    NotchTable->setRowCount(0);
    const ZobelDesign &z = m_designs->zobel;
    if (z.ok()) {
        addRow(ZobelTable, zobelCells(T::rowFitted(), z.fitted));
        addRow(ZobelTable, zobelCells(T::rowSnapped(SeriesBox->currentText()), z.snapped));
        for (const ClassicZobel &c : z.classic)
            addRow(ZobelTable, zobelCells(c.rule, c.values));
    }
    const NotchDesign &n = m_designs->notch;
    if (n.ok()) {
        addRow(NotchTable,
               {T::rowFitted(), part(n.rOhm), part(n.lMh), part(n.cUf), percent(n.flatnessPct)});
        addRow(NotchTable, {T::rowTextbook(), part(n.textbookROhm), part(n.textbookLMh),
                            part(n.textbookCUf), percent(n.textbookFlatnessPct)});
    }
    ZobelTable->resizeColumnsToContents();
    NotchTable->resizeColumnsToContents();
    showCurve();
}

// The Zobel as bought (snapped to the series), the notch as fitted; a part refused is left
// out of the network.
CompensationNetwork TFormCompensation::shownNetwork() const
{
    CompensationNetwork network;
    const int shown = ShownBox->currentIndex();
    if (shown != 1 && m_designs->zobel.ok())
        network = zobelNetwork(m_designs->zobel.snapped);
    if (shown != 0 && m_designs->notch.ok())
        for (const SeriesBranch &b : notchNetwork(m_designs->notch))
            network.push_back(b);
    return network;
}

QString TFormCompensation::shownName() const
{
    return ShownBox->currentIndex() == 0   ? QStringLiteral("Zobel")
           : ShownBox->currentIndex() == 1 ? QStringLiteral("notch")
                                           : QStringLiteral("Zobel and notch");
}

void TFormCompensation::showCurve()
{
    const MeasurementDocument &doc = *m_host.document;
    const CompensationNetwork network = shownNetwork();
    clearCurve(*m_compensated);
    if (doc.hasMeasurement() && !network.empty())
        ::compensatedCurve(doc.curveRaw(), doc.measurement().band, network, *m_compensated);
    ExportButton->setEnabled(m_compensated->valid == 1);

    CompensationGraphInput in;
    in.measured = doc.hasMeasurement() ? &doc.curveRaw() : nullptr;
    in.compensated = m_compensated->valid == 1 ? m_compensated.get() : nullptr;
    in.band = doc.hasMeasurement() ? doc.measurement().band : kStartupBand;
    in.size = kGraphSize;
    in.font = font();
    in.background = palette().color(QPalette::Window);
    in.text = palette().color(QPalette::WindowText);
    GraphView->setPixmap(QPixmap::fromImage(renderCompensationGraph(in)));
}

void TFormCompensation::exportClick()
{
    if (m_compensated->valid != 1)
        return;
    const MeasurementDocument &doc = *m_host.document;
    const QFileInfo source(doc.dataFileName());
    const QString base =
        source.fileName().isEmpty() ? QStringLiteral("compensated") : source.completeBaseName();
    QString path =
        Seams::files().saveFile(this, T::exportCaption(), source.path(), T::zmaFilter(),
                                base + QStringLiteral("_compensated") + kZmaFileExtension);
    if (path.isEmpty())
        return;
    if (!path.endsWith(kZmaFileExtension, Qt::CaseInsensitive))
        path += kZmaFileExtension;
    if (QFileInfo::exists(path) &&
        !TH_Message(QString::fromUtf8(Texts::kUnitName), QString::fromUtf8(Texts::kCaption))
             .askOverwrite(path))
        return;
    const QByteArray bytes = zmaText(*m_compensated, doc.measurement().band,
                                     source.fileName() + QStringLiteral(" with ") + shownName());
    if (!writeFileSafely(path, bytes))
        Seams::messages().show(MessagePresenter::Icon::Error, QString::fromUtf8(Texts::kCaption),
                               T::writeFailed(path));
}
