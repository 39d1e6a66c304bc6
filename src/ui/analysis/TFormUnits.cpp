#include "ui/analysis/TFormUnits.h"

#include "core/analysis/AnalysisMessages.h"
#include "core/document/MeasurementDocument.h"
#include "core/files/InputFile.h"
#include "ui/analysis/UnitsColumns.h"
#include "ui/analysis/UnitsHistogram.h"
#include "ui/analysis/UnitsTexts.h"
#include "ui/common/Seams.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <cmath>

namespace T = UnitsTexts;
using namespace UnitsColumns;

QTableWidgetItem *UnitsColumns::cell(const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

namespace {

// Opens as the main window's 開く does, without its boxes.
bool openUnit(MeasurementDocument &doc, const QString &path, QString *problem)
{
    bool opened = false;
    if (doc.isTablePath(path)) {
        opened = doc.importMeasurement(path).ok();
    } else {
        doc.clearMeasurement();
        qint32 port = 0;
        opened = doc.open(path, port) == OpenOutcome::Opened;
    }
    if (!opened)
        *problem = T::notReadable();
    return opened;
}

// The worker's part: the Re list read, every file opened, the common band found.
std::shared_ptr<UnitsLoad> loadAll(QStringList files, ReChoice choice, QString listPath,
                                   UnitsLoader loader, QString *refusal)
{
    auto load = std::make_shared<UnitsLoad>();
    if (choice.kind == ReChoice::Kind::Listed) {
        QByteArray bytes;
        if (readInputFile(listPath, kMaxDataFileBytes, bytes) != InputFileProblem::None) {
            *refusal = T::reListUnreadable(listPath);
            return load;
        }
        choice.list = parseReList(bytes);
        if (!choice.list.ok()) {
            *refusal = T::reListBadLine(choice.list.badLine);
            return load;
        }
    }
    load->in = loadUnits(files, choice, loader);
    if (load->in.units.empty()) {
        *refusal = T::noUnits();
        return load;
    }
    load->envelope = unitsEnvelope(load->in);
    if (!load->envelope.ok())
        *refusal = T::noCommonBand(
            load->in.units[std::size_t(unitWithoutCommonBand(load->in, load->envelope))].path);
    return load;
}

} // namespace

TFormUnits::TFormUnits(const UnitsHost &host, QWidget *parent)
    : QWidget(parent, Qt::Window), m_host(host), m_upper(std::make_unique<CurveBlock>()),
      m_lower(std::make_unique<CurveBlock>())
{
    setObjectName(QStringLiteral("FormUnits"));
    setWindowTitle(T::title());
    auto *top = new QVBoxLayout(this);

    auto *files = new QHBoxLayout;
    AddFilesButton = new QPushButton(T::addFiles(), this);
    AddFolderButton = new QPushButton(T::addFolder(), this);
    ClearButton = new QPushButton(T::clearFiles(), this);
    files->addWidget(AddFilesButton);
    files->addWidget(AddFolderButton);
    AddLogButton = new QPushButton(T::addFromLog(), this);
    files->addWidget(AddLogButton);
    files->addWidget(ClearButton);
    files->addStretch();
    top->addLayout(files);

    auto *re = new QHBoxLayout;
    re->addWidget(new QLabel(T::reGroup(), this));
    ReChoiceBox = new QComboBox(this);
    ReChoiceBox->addItems({T::reTyped(), T::reListed(), T::reEstimated()});
    ReChoiceBox->setCurrentIndex(2);
    ReChoiceBox->setAccessibleName(T::reGroup());
    ReEdit = new QLineEdit(this);
    ReEdit->setAccessibleName(T::reTyped());
    ReEdit->setMaximumWidth(80);
    ReListButton = new QPushButton(T::reListButton(), this);
    ReListLabel = new QLabel(T::noReList(), this);
    ComputeButton = new QPushButton(T::compute(), this);
    for (QWidget *w : {static_cast<QWidget *>(ReChoiceBox), static_cast<QWidget *>(ReEdit),
                       static_cast<QWidget *>(ReListButton), static_cast<QWidget *>(ReListLabel)})
        re->addWidget(w);
    re->addStretch();
    re->addWidget(ComputeButton);
    top->addLayout(re);

    StatusLabel = new QLabel(this);
    StatusLabel->setWordWrap(true);
    StatusLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    top->addWidget(StatusLabel);

    Tabs = new QTabWidget(this);
    Tabs->addTab(buildTableTab(), T::tableTab());
    Tabs->addTab(buildSetsTab(), T::setsTab());
    Tabs->addTab(buildTrendTab(), T::trendTab());
    top->addWidget(Tabs, 1);

    connect(AddFilesButton, &QPushButton::clicked, this, &TFormUnits::addFiles);
    connect(AddFolderButton, &QPushButton::clicked, this, &TFormUnits::addFolder);
    connect(AddLogButton, &QPushButton::clicked, this, &TFormUnits::chooseLogUnits);
    connect(ClearButton, &QPushButton::clicked, this, [this] {
        m_files.clear();
        m_logNotes.clear();
        startLoad();
    });
    connect(ComputeButton, &QPushButton::clicked, this, &TFormUnits::startLoad);
    connect(ReListButton, &QPushButton::clicked, this, &TFormUnits::chooseReList);
    connect(ReChoiceBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        ReEdit->setEnabled(index == 0);
        ReListButton->setEnabled(index == 1);
    });
    ReEdit->setEnabled(false);
    ReListButton->setEnabled(false);
    resize(760, 560);
}

TFormUnits::~TFormUnits()
{
    // The workers own copies of what they read; only the watchers go.
    if (m_loadWatcher)
        m_loadWatcher->waitForFinished();
    if (m_matchWatcher)
        m_matchWatcher->waitForFinished();
}

QWidget *TFormUnits::buildTableTab()
{
    auto *page = new QWidget(this);
    auto *layout = new QGridLayout(page);
    UnitsTable = new QTableWidget(0, 1 + kColumnCount, page);
    QStringList headings{T::fileColumn()};
    for (const Column &c : kColumns)
        headings << QString::fromUtf8(c.heading);
    UnitsTable->setHorizontalHeaderLabels(headings);
    UnitsTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    UnitsTable->setSelectionMode(QAbstractItemView::SingleSelection);
    UnitsTable->setAccessibleName(T::tableTab());
    layout->addWidget(UnitsTable, 0, 0, 1, 2);
    Histogram = new UnitsHistogram(page);
    layout->addWidget(Histogram, 1, 0);
    EnvelopeCheck = new QCheckBox(T::envelopeShown(), page);
    EnvelopeCheck->setChecked(true);
    SigmasSpin = new QDoubleSpinBox(page);
    SigmasSpin->setRange(0.5, 6.0);
    SigmasSpin->setSingleStep(0.5);
    SigmasSpin->setValue(2.0);
    SigmasSpin->setAccessibleName(T::envelopeSigmas());
    EdgesBox = new QComboBox(page);
    EdgesBox->addItems({T::edgesSigmas(), T::edgesMinMax()});
    EdgesBox->setAccessibleName(T::envelopeShown());
    auto *edges = new QHBoxLayout;
    edges->addWidget(EdgesBox);
    edges->addWidget(SigmasSpin);
    auto *envelope = new QVBoxLayout;
    envelope->addWidget(EnvelopeCheck);
    envelope->addLayout(edges);
    envelope->addStretch();
    layout->addLayout(envelope, 1, 1);
    layout->setRowStretch(0, 1);
    connect(UnitsTable, &QTableWidget::currentCellChanged, this, [this] {
        showHistogram();
        showEnvelope();
    });
    connect(EnvelopeCheck, &QCheckBox::toggled, this, &TFormUnits::showEnvelope);
    connect(SigmasSpin, &QDoubleSpinBox::valueChanged, this, &TFormUnits::showEnvelope);
    connect(EdgesBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        SigmasSpin->setEnabled(index == 0);
        showEnvelope();
    });
    return page;
}

void TFormUnits::showUnits()
{
    show();
    raise();
    activateWindow();
    showEnvelope();
}

bool TFormUnits::busy() const
{
    return (m_loadWatcher && m_loadWatcher->isRunning()) ||
           (m_matchWatcher && m_matchWatcher->isRunning()) ||
           (m_logWatcher && m_logWatcher->isRunning());
}

void TFormUnits::setBusy(bool busy)
{
    for (QWidget *w :
         {static_cast<QWidget *>(AddFilesButton), static_cast<QWidget *>(AddFolderButton),
          static_cast<QWidget *>(AddLogButton), static_cast<QWidget *>(ClearButton),
          static_cast<QWidget *>(ComputeButton), static_cast<QWidget *>(MatchButton)})
        w->setEnabled(!busy);
    if (busy)
        StatusLabel->setText(T::busy());
}

void TFormUnits::addFiles()
{
    const QStringList chosen =
        Seams::files().openFiles(this, T::chooseFiles(), QString(), T::fileFilter());
    if (chosen.isEmpty())
        return;
    m_files << chosen;
    startLoad();
}

void TFormUnits::addFolder()
{
    const QString folder = Seams::files().openFolder(this, T::chooseFolder(), QString());
    if (folder.isEmpty())
        return;
    m_files << folder;
    startLoad();
}

void TFormUnits::chooseReList()
{
    const QString path =
        Seams::files().openFile(this, T::chooseReList(), QString(), T::reListFilter());
    if (path.isEmpty())
        return;
    m_reListPath = path;
    ReListLabel->setText(QFileInfo(path).fileName());
    startLoad();
}

void TFormUnits::startLoad()
{
    if (busy())
        return;
    // Nothing half-shown: the old results go before the new ones come.
    m_load.reset();
    m_match = MatchResult();
    fillTable();
    fillTrend();
    SetsTable->setRowCount(0);
    MatchLabel->clear();
    showEnvelope();
    StatusLabel->clear();
    if (m_files.isEmpty())
        return;
    ReChoice choice;
    choice.kind = ReChoice::Kind(ReChoiceBox->currentIndex());
    if (choice.kind == ReChoice::Kind::Typed) {
        float typed = 0.0f;
        if (!parseReText(ReEdit->text(), &typed) || !(typed > 0.0f)) {
            StatusLabel->setText(T::badRe());
            return;
        }
        choice.typed = typed;
    } else if (choice.kind == ReChoice::Kind::Listed && m_reListPath.isEmpty()) {
        StatusLabel->setText(T::noReList());
        return;
    }
    UnitsLoader loader;
    loader.open = openUnit;
    loader.folderWithoutUnits = T::folderWithoutUnits();
    loader.notInReList = T::notInReList();
    loader.reNotEstimated = T::reNotEstimated();
    loader.noValues = [](TsResult r) { return AnalysisMessages::forResult(r).text; };
    if (!m_loadWatcher) {
        m_loadWatcher = new QFutureWatcher<std::shared_ptr<UnitsLoad>>(this);
        connect(m_loadWatcher, &QFutureWatcherBase::finished, this, &TFormUnits::loadFinished);
    }
    setBusy(true);
    m_loadWatcher->setFuture(
        QtConcurrent::run([files = m_files, choice, list = m_reListPath, loader] {
            QString refusal;
            auto load = loadAll(files, choice, list, loader, &refusal);
            if (!refusal.isEmpty()) {
                load->envelope = Envelope();
                load->in.skippedFiles.prepend(refusal);
                load->in.units.clear();
            }
            return load;
        }));
}

void TFormUnits::loadFinished()
{
    setBusy(false);
    auto load = m_loadWatcher->result();
    QStringList lines;
    if (load->in.units.empty()) {
        lines << load->in.skippedFiles.value(0);
        load->in.skippedFiles.removeFirst();
    } else {
        m_load = load;
    }
    if (load->in.skipped > 0)
        lines << T::skipped(load->in.skipped, load->in.total) << load->in.skippedFiles;
    lines << m_logNotes;
    StatusLabel->setText(lines.join(QLatin1Char('\n')));
    fillTable();
    fillTrend();
    showEnvelope();
    emit loaded();
}

void TFormUnits::fillTable()
{
    const int units = m_load ? int(m_load->in.units.size()) : 0;
    UnitsTable->setRowCount(units > 0 ? units + 4 : 0);
    if (units == 0) {
        showHistogram();
        return;
    }
    for (int row = 0; row < units; ++row) {
        const LoadedUnit &u = m_load->in.units[std::size_t(row)];
        UnitsTable->setItem(row, 0, cell(QFileInfo(u.path).fileName()));
        UnitsTable->item(row, 0)->setToolTip(u.path);
        for (int c = 0; c < kColumnCount; ++c) {
            QString text = number(u.values.*(kColumns[c].field));
            if (c == 0 && u.values.reEstimated) {
                text += QStringLiteral(" *");
            }
            UnitsTable->setItem(row, 1 + c, cell(text));
            if (c == 0 && u.values.reEstimated)
                UnitsTable->item(row, 1)->setToolTip(T::estimatedMark());
        }
    }
    const QString names[] = {T::mean(), T::sigma(), T::minimum(), T::maximum()};
    for (int s = 0; s < 4; ++s)
        UnitsTable->setItem(units + s, 0, cell(names[s]));
    for (int c = 0; c < kColumnCount; ++c) {
        const ColumnSummary sum = summarize(columnValues(m_load->in, c));
        const double values[] = {sum.mean, sum.n > 1 ? sum.sigma : NAN, sum.min, sum.max};
        for (int s = 0; s < 4; ++s)
            UnitsTable->setItem(units + s, 1 + c, cell(number(values[s])));
    }
    UnitsTable->setCurrentCell(0, 2); // Fs of the first unit
    showHistogram();
}

void TFormUnits::showHistogram()
{
    const int column = std::clamp(UnitsTable->currentColumn() - 1, 0, kColumnCount - 1);
    const QString caption = T::histogramOf(QString::fromUtf8(kColumns[column].heading));
    Histogram->setBins(m_load ? histogram(columnValues(m_load->in, column)) : HistogramBins(),
                       caption);
}

void TFormUnits::showEnvelope()
{
    if (!m_host.showEnvelope)
        return;
    const bool wanted = isVisible() && m_load && EnvelopeCheck->isChecked();
    if (!wanted) {
        if (m_envelopeShown)
            m_host.showEnvelope(nullptr, nullptr, nullptr, 0);
        m_envelopeShown = false;
        return;
    }
    envelopeCurves(m_load->envelope, EnvelopeEdges(EdgesBox->currentIndex()), SigmasSpin->value(),
                   *m_upper, *m_lower);
    const int row = UnitsTable->currentRow();
    const int units = int(m_load->in.units.size());
    const LoadedUnit &unit = m_load->in.units[std::size_t(row >= 0 && row < units ? row : 0)];
    m_host.showEnvelope(m_upper.get(), m_lower.get(), unit.raw.get(), unit.band);
    m_envelopeShown = true;
}

void TFormUnits::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    // Hidden now: the main graph gets its own curves back.
    hide();
    showEnvelope();
}
