#include "ui/analysis/TFormWorksheet.h"

#include "core/analysis/WorksheetMessages.h"
#include "core/analysis/fit/FitModel.h"
#include "core/analysis/fit/ImpedanceFit.h"
#include "core/document/MeasurementDocument.h"
#include "core/files/WindowPlacement.h"
#include "core/graph/WindowFont.h"
#include "core/measure/MeasurementRun.h"
#include "ui/analysis/DriverTexts.h"
#include "ui/analysis/VentedBoxPart.h"
#include "ui/analysis/WorksheetFields.h"
#include "ui/analysis/WorksheetTexts.h"
#include "ui/common/AccessibleNames.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace T = WorksheetTexts;

namespace {

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAccessibleName(plainAccessibleName(caption));
    return b;
}

QTableWidgetItem *cell(const QString &text, Qt::Alignment align = Qt::AlignLeft)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(align | Qt::AlignVCenter);
    return item;
}

QString withUnit(const TsRow &row)
{
    return row.unit.isEmpty() ? row.name : row.name + QStringLiteral(" [") + row.unit + ']';
}

} // namespace

TFormWorksheet::TFormWorksheet(const WorksheetHost &host, QWidget *parent)
    : QWidget(parent, Qt::Window), m_host(host), m_record(std::make_unique<MeasurementRecord>()),
      m_raw(std::make_unique<CurveBlock>()), m_avg(std::make_unique<CurveBlock>()),
      m_fit(std::make_unique<FitResult>()), m_fitCurve(std::make_unique<CurveBlock>())
{
    setObjectName(QStringLiteral("FormWorksheet"));
    setWindowTitle(T::title());
    setAccessibleName(T::title());
    installAccessibleRoles();
    setFont(windowFont());
    buildControls();
    connectRunDriver();
    resize(1120, 720);
}

TFormWorksheet::~TFormWorksheet() = default;

void TFormWorksheet::buildControls()
{
    // Made in this order, which is the order of the keyboard's focus.
    QGroupBox *inputs = buildInputsGroup();
    QGroupBox *curves = buildCurvesGroup();
    buildResultViews();
    QHBoxLayout *buttons = buildButtons();

    // Inputs and curves on the left with the fit; the results on the right, from the top.
    QGroupBox *numbers = buildFromNumbersGroup();
    QGroupBox *uncertainty = buildUncertaintyGroup();
    auto *left = new QVBoxLayout;
    left->addWidget(inputs);
    left->addWidget(curves);
    left->addWidget(numbers);
    left->addWidget(buildFitGroup(), 1);
    left->addLayout(buttons);
    // The vented box reads the Re typed here; without one its free-air fit fits Re.
    VentPart = new VentedBoxPart(
        m_host.document,
        [this] {
            double re = 0.0;
            return readNumber(ReEdit, re) == Field::Number && re > 0 ? re : 0.0;
        },
        this);
    // The working and the vented box share the space below the comparison.
    auto *below = new QTabWidget(this);
    below->setObjectName(QStringLiteral("BelowTabs"));
    below->setAccessibleName(T::detailTable() + QStringLiteral(", ") + T::ventGroup());
    below->addTab(Detail, T::detailTable());
    // Scrolled when the window is small, so that it never squeezes the comparison above.
    auto *ventScroll = new QScrollArea(below);
    ventScroll->setObjectName(QStringLiteral("VentScroll"));
    ventScroll->setAccessibleName(T::ventGroup());
    ventScroll->setWidgetResizable(true);
    ventScroll->setFrameShape(QFrame::NoFrame);
    ventScroll->setWidget(VentPart);
    below->addTab(ventScroll, T::ventGroup());
    auto *right = new QVBoxLayout;
    right->addWidget(ResultLabel);
    right->addWidget(Comparison);
    right->addWidget(below, 1);
    right->addWidget(uncertainty);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right, 1);
}

// The driver's numbers and the air.
QGroupBox *TFormWorksheet::buildInputsGroup()
{
    auto *inputs = new QGroupBox(T::inputsGroup(), this);
    inputs->setAccessibleName(T::inputsGroup());
    auto *grid = new QGridLayout(inputs);
    ReEdit = numberEdit(inputs, "ReEdit", T::re());
    SdEdit = numberEdit(inputs, "SdEdit", T::sd());
    DiameterEdit = numberEdit(inputs, "DiameterEdit", T::diameter());
    TempEdit = numberEdit(inputs, "TempEdit", T::temperature(), QStringLiteral("20"));
    PressureEdit = numberEdit(inputs, "PressureEdit", T::pressure(), QStringLiteral("1013.25"));
    HumidityEdit = numberEdit(inputs, "HumidityEdit", T::humidity());
    RhoEdit = numberEdit(inputs, "RhoEdit", T::rho());
    SoundSpeedEdit = numberEdit(inputs, "SoundSpeedEdit", T::soundSpeed());
    CoilTempEdit = numberEdit(inputs, "CoilTempEdit", T::coilTemp());
    const std::pair<QString, QLineEdit *> fields[] = {{T::re(), ReEdit},
                                                      {T::coilTemp(), CoilTempEdit},
                                                      {T::sd(), SdEdit},
                                                      {T::diameter(), DiameterEdit},
                                                      {T::temperature(), TempEdit},
                                                      {T::pressure(), PressureEdit},
                                                      {T::humidity(), HumidityEdit},
                                                      {T::rho(), RhoEdit},
                                                      {T::soundSpeed(), SoundSpeedEdit}};
    // Two label and field pairs a row: the inputs take little height beside the results.
    int k = 0;
    for (const auto &[label, edit] : fields) {
        auto *l = caption(inputs, label);
        l->setBuddy(edit);
        grid->addWidget(l, k / 2, (k % 2) * 2);
        grid->addWidget(edit, k / 2, (k % 2) * 2 + 1);
        ++k;
        connect(edit, &QLineEdit::textChanged, this, &TFormWorksheet::queueRecompute);
    }
    CoilMaterialBox = new QComboBox(inputs);
    CoilMaterialBox->setObjectName(QStringLiteral("CoilMaterialBox"));
    CoilMaterialBox->addItems({T::coilMaterialItem(0), T::coilMaterialItem(1)});
    nameComboBox(CoilMaterialBox, T::coilMaterial());
    connect(CoilMaterialBox, &QComboBox::currentIndexChanged, this,
            &TFormWorksheet::queueRecompute);
    auto *material = caption(inputs, T::coilMaterial());
    material->setBuddy(CoilMaterialBox);
    grid->addWidget(material, k / 2, (k % 2) * 2);
    grid->addWidget(CoilMaterialBox, k / 2, (k % 2) * 2 + 1);
    ++k;
    AirLabel = new QLabel(inputs);
    AirLabel->setObjectName(QStringLiteral("AirLabel"));
    AirLabel->setAccessibleName(T::airUsed(QString(), QString()));
    grid->addWidget(AirLabel, (k + 1) / 2, 0, 1, 4);
    return inputs;
}

// The loaded curves: a list, a weight and a measure button for each mass, the same for the box.
QGroupBox *TFormWorksheet::buildCurvesGroup()
{
    auto *curves = new QGroupBox(T::curvesGroup(), this);
    curves->setAccessibleName(T::curvesGroup());
    auto *slotGrid = new QGridLayout(curves);
    auto slotList = [&](const char *name, const QString &label) {
        auto *combo = new QComboBox(curves);
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(16);
        combo->setObjectName(QString::fromLatin1(name));
        nameComboBox(combo, label + QLatin1Char(' ') + T::curveList());
        connect(combo, &QComboBox::currentIndexChanged, this, &TFormWorksheet::queueRecompute);
        return combo;
    };
    for (int i = 0; i < kMassSlots; ++i) {
        const QString label = T::massSlot(i + 1);
        const QByteArray n = QByteArray::number(i + 1);
        slotGrid->addWidget(caption(curves, label), i, 0);
        MassSlot[size_t(i)] = slotList(("MassSlot" + n).constData(), label);
        slotGrid->addWidget(MassSlot[size_t(i)], i, 1);
        slotGrid->addWidget(caption(curves, T::grams()), i, 2);
        MassEdit[size_t(i)] =
            numberEdit(curves, ("MassEdit" + n).constData(), label + QLatin1Char(' ') + T::grams());
        connect(MassEdit[size_t(i)], &QLineEdit::textChanged, this,
                &TFormWorksheet::queueRecompute);
        slotGrid->addWidget(MassEdit[size_t(i)], i, 3);
        MassMeasure[size_t(i)] =
            button(curves, ("MassMeasure" + n).constData(), T::measureWithMass());
        MassMeasure[size_t(i)]->setAccessibleName(
            plainAccessibleName(label + QLatin1Char(' ') + T::measureWithMass()));
        connect(MassMeasure[size_t(i)], &QPushButton::clicked, this,
                [this, i] { startCurveRun(i); });
        slotGrid->addWidget(MassMeasure[size_t(i)], i, 4);
    }
    slotGrid->addWidget(caption(curves, T::boxSlot()), kMassSlots, 0);
    BoxSlot = slotList("BoxSlot", T::boxSlot());
    slotGrid->addWidget(BoxSlot, kMassSlots, 1);
    slotGrid->addWidget(caption(curves, T::litres()), kMassSlots, 2);
    BoxEdit = numberEdit(curves, "BoxEdit", T::boxSlot() + QLatin1Char(' ') + T::litres());
    connect(BoxEdit, &QLineEdit::textChanged, this, &TFormWorksheet::queueRecompute);
    slotGrid->addWidget(BoxEdit, kMassSlots, 3);
    BoxMeasure = button(curves, "BoxMeasure", T::measureInBox());
    connect(BoxMeasure, &QPushButton::clicked, this, [this] { startCurveRun(kBoxRow); });
    slotGrid->addWidget(BoxMeasure, kMassSlots, 4);
    StopButton = button(curves, "StopButton", T::stop());
    StopButton->setEnabled(false);
    connect(StopButton, &QPushButton::clicked, this, &TFormWorksheet::stopRun);
    slotGrid->addWidget(StopButton, kMassSlots + 1, 4);
    slotGrid->setColumnStretch(1, 1);
    RunLabel = new QLabel(curves);
    RunLabel->setObjectName(QStringLiteral("RunLabel"));
    RunLabel->setAccessibleName(plainAccessibleName(T::measureWithMass()));
    RunLabel->setWordWrap(true);
    slotGrid->addWidget(RunLabel, kMassSlots + 1, 0, 1, 4);
    return curves;
}

// The results: a line on top, the comparison of the methods, the working below.
void TFormWorksheet::buildResultViews()
{
    ResultLabel = new QLabel(this);
    ResultLabel->setObjectName(QStringLiteral("ResultLabel"));
    ResultLabel->setAccessibleName(T::resultLabel());
    ResultLabel->setWordWrap(true);
    ResultLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    Comparison = new QTableWidget(this);
    Comparison->setObjectName(QStringLiteral("Comparison"));
    Comparison->setAccessibleName(T::comparisonTable());
    // As tall as its rows, so the results never scroll; the working below takes the rest.
    Comparison->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    Comparison->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    Detail = new QTableWidget(0, 5, this);
    Detail->setObjectName(QStringLiteral("Detail"));
    Detail->setAccessibleName(T::detailTable());
    Detail->setHorizontalHeaderLabels({T::columnSection(), T::columnName(), T::columnValue(),
                                       T::columnUnit(), T::columnFormula()});
    Detail->horizontalHeader()->setStretchLastSection(true);
    Detail->verticalHeader()->hide();
    for (QTableWidget *table : {Comparison, Detail}) {
        table->setWordWrap(false);
        table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    }
}

QHBoxLayout *TFormWorksheet::buildButtons()
{
    CopyButton = button(this, "CopyButton", T::copyText());
    JsonButton = button(this, "JsonButton", T::saveJson());
    PrintButton = button(this, "PrintButton", T::print());
    CloseButton = button(this, "CloseButton", T::close());
    connect(CopyButton, &QPushButton::clicked, this, &TFormWorksheet::copyClick);
    connect(JsonButton, &QPushButton::clicked, this, &TFormWorksheet::saveJsonClick);
    DriverExportButton = button(this, "DriverExportButton", DriverTexts::exportDriver());
    DriverImportButton = button(this, "DriverImportButton", DriverTexts::importDriver());
    connect(DriverExportButton, &QPushButton::clicked, this, &TFormWorksheet::exportDriverClick);
    connect(DriverImportButton, &QPushButton::clicked, this, &TFormWorksheet::importDriverClick);
    connect(PrintButton, &QPushButton::clicked, this, &TFormWorksheet::printClick);
    connect(CloseButton, &QPushButton::clicked, this, &QWidget::close);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b :
         {CopyButton, JsonButton, DriverExportButton, DriverImportButton, PrintButton})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(CloseButton);
    return buttons;
}

void TFormWorksheet::showWorksheet()
{
    if (!m_placed && parentWidget()) {
        // Beside the main window, covering as little of it as the screen allows.
        m_placed = true;
        if (const QScreen *screen = parentWidget()->screen()) {
            const QRect available = screen->availableGeometry();
            resize(size().boundedTo(available.size()));
            move(placeBeside(parentWidget()->frameGeometry(), frameGeometry().size(), available));
        }
    }
    refreshSlotLists();
    recompute();
    show();
    raise();
    activateWindow();
}

void TFormWorksheet::curvesChanged()
{
    if (!isVisible()) {
        // A hidden worksheet does not fit again, so its curve would no longer match.
        FitShow->setChecked(false);
        return;
    }
    refreshSlotLists();
    queueRecompute();
}

void TFormWorksheet::queueRecompute()
{
    // Typing and list changes come in bursts; one computation after them is enough.
    if (m_recomputeQueued)
        return;
    m_recomputeQueued = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_recomputeQueued = false;
            recompute();
        },
        Qt::QueuedConnection);
}

void TFormWorksheet::refreshSlotLists()
{
    const MeasurementDocument &doc = *m_host.document;
    QStringList items{T::noCurve()};
    QStringList files{QString()};
    for (int s = 0; s < kReferenceSlots; ++s) {
        const bool loaded = doc.reference(s).valid == 1;
        const QString file = loaded ? doc.refFileNames()[size_t(s)] : QString();
        items << (loaded ? T::referenceItem(s + 1, QFileInfo(file).fileName())
                         : T::emptyReferenceItem(s + 1));
        files << file;
    }
    QStringList notes;
    for (int row = 0; row <= kBoxRow; ++row) {
        QComboBox *combo = row == kBoxRow ? BoxSlot : MassSlot[size_t(row)];
        const QSignalBlocker block(combo);
        const int index = qMax(0, combo->currentIndex());
        const QString had = combo->currentData().toString();
        combo->clear();
        for (int i = 0; i < items.size(); ++i)
            combo->addItem(items[i], files[i]);
        // A curve that left its slot (cleared, or another file loaded there) is not used on:
        // the rest of the worksheet stays.
        if (!had.isEmpty() && files.value(index) != had) {
            combo->setCurrentIndex(0);
            notes << T::slotDropped(runSlotName(row), QFileInfo(had).fileName());
        } else {
            combo->setCurrentIndex(index);
        }
    }
    if (!notes.isEmpty())
        RunLabel->setText(notes.join(QLatin1Char('\n')));
    VentPart->setSlotItems(items, files);
}

void TFormWorksheet::offerRe(float re)
{
    if (!ReEdit->text().trimmed().isEmpty() && ReEdit->text() != m_carriedRe)
        return;
    m_carriedRe = QString::number(re);
    ReEdit->setText(m_carriedRe);
}

QString TFormWorksheet::gatherInput(TsWorksheetInput &in) const
{
    const MeasurementDocument &doc = *m_host.document;
    const bool typed = FromNumbersGroup->isChecked();
    if (!typed && !doc.hasMeasurement())
        return T::noMeasurement();
    if (!typed)
        in.freeAir = {&doc.curveRaw(), doc.measurement().band};

    double value = 0.0;
    switch (readNumber(ReEdit, value)) {
    case Field::Empty:
        return T::reMissing();
    case Field::Bad:
        return T::notANumber(T::re());
    case Field::Number:
        in.re = value;
    }
    // Optional fields: empty keeps the default.
    const std::pair<QLineEdit *, double *> optional[] = {{SdEdit, &in.sdM2},
                                                         {DiameterEdit, &in.diameterMm},
                                                         {TempEdit, &in.tempC},
                                                         {PressureEdit, &in.pressureHPa}};
    for (const auto &[edit, target] : optional) {
        const Field f = readNumber(edit, value);
        if (f == Field::Bad)
            return T::notANumber(edit->accessibleName());
        if (f == Field::Number)
            *target = edit == SdEdit ? value * 1e-4 : value;
    }
    if (const QString problem = gatherAirAndCoil(in); !problem.isEmpty())
        return problem;
    if (typed)
        return gatherTyped(in);

    // A slot's curve, or a refusal text.
    auto curve = [&doc](const QComboBox *combo, TsCurve &out) -> QString {
        const int s = combo->currentIndex() - 1;
        if (doc.reference(s).valid != 1)
            return T::emptySlot(s + 1);
        out = {&doc.refCurveRaw(s), doc.reference(s).band};
        return QString();
    };
    for (int i = 0; i < kMassSlots; ++i) {
        if (MassSlot[size_t(i)]->currentIndex() <= 0)
            continue;
        TsMassInput mass;
        if (const QString refusal = curve(MassSlot[size_t(i)], mass.curve); !refusal.isEmpty())
            return refusal;
        const Field f = readNumber(MassEdit[size_t(i)], mass.grams);
        if (f == Field::Empty)
            return T::gramsMissing(T::massSlot(i + 1));
        if (f == Field::Bad)
            return T::notANumber(MassEdit[size_t(i)]->accessibleName());
        in.masses.append(mass);
    }
    if (BoxSlot->currentIndex() > 0) {
        TsBoxInput box;
        if (const QString refusal = curve(BoxSlot, box.curve); !refusal.isEmpty())
            return refusal;
        const Field f = readNumber(BoxEdit, box.litres);
        if (f == Field::Empty)
            return T::litresMissing();
        if (f == Field::Bad)
            return T::notANumber(BoxEdit->accessibleName());
        in.box = box;
    }
    return QString();
}

void TFormWorksheet::recompute()
{
    TsWorksheetInput in;
    const QString refusal = gatherInput(in);
    // Until a new fit reports back the methods read the measured curve, then its motional part.
    requestFit(refusal);
    showWorksheetRows(in, refusal);
    VentPart->recompute();
}

void TFormWorksheet::showWorksheetRows(TsWorksheetInput &in, const QString &refusal)
{
    in.fit = m_fit.get();
    m_result = refusal.isEmpty() ? computeWorksheet(in) : TsWorksheetResult{};
    if (!refusal.isEmpty())
        m_result.refusal = refusal;
    m_uncertainty.reset();
    if (m_result.refusal.isEmpty() && UncertaintyGroup->isChecked())
        computeUncertainty(in);
    if (!m_result.refusal.isEmpty()) {
        showRefusal(m_result.refusal);
    } else {
        ResultLabel->clear();
        AirLabel->setText(T::airUsed(QString::number(m_result.air.rho, 'f', 4),
                                     QString::number(m_result.air.c, 'f', 1)));
        showRows(worksheetRows(m_result, m_uncertainty ? &*m_uncertainty : nullptr,
                               BudgetCheck->isChecked()));
    }
    showFitTable();
}

QString TFormWorksheet::refusal() const
{
    return m_result.refusal;
}

void TFormWorksheet::showRefusal(const QString &text)
{
    m_rows.clear();
    ResultLabel->setText(text);
    AirLabel->clear();
    Comparison->clear();
    Comparison->setRowCount(0);
    Comparison->setColumnCount(0);
    Detail->setRowCount(0);
}

void TFormWorksheet::showRows(const QVector<TsRow> &rows)
{
    m_rows = rows;
    namespace M = WorksheetMessages;

    // Every row with its working; a section's title on its first row, flags marked.
    Detail->setRowCount(int(rows.size()));
    QString section;
    for (int i = 0; i < rows.size(); ++i) {
        const TsRow &r = rows[i];
        Detail->setItem(i, 0, cell(r.section == section ? QString() : r.section));
        section = r.section;
        Detail->setItem(i, 1, cell(r.name));
        // A flag's one-line reason goes where the working of a value goes.
        const bool flag = r.section == M::sectionFlags();
        Detail->setItem(i, 2, cell(flag ? QString() : r.value, Qt::AlignRight));
        Detail->setItem(i, 3, cell(r.unit));
        Detail->setItem(i, 4, cell(flag ? r.value : r.formula));
        if (flag)
            for (int c = 0; c < Detail->columnCount(); ++c)
                Detail->item(i, c)->setBackground(QColor(255, 236, 200));
    }
    Detail->resizeColumnsToContents();

    // The methods side by side: one column each, one row per value two or more of them give
    // (every value when there is only one).
    QStringList methods;
    for (const TsRow &r : rows)
        if (r.section != M::sectionInputs() && r.section != M::sectionFlags() &&
            !methods.contains(r.section))
            methods << r.section;
    // The budget stays in the working below.
    QVector<TsRow> values = rows;
    values.removeIf([](const TsRow &r) { return r.budget; });
    // The values the methods build on (measured, and less the fitted coil) stand side by side
    // only on their own: each method shows the basis it used.
    const QStringList bases{M::sectionClassic(),
                            M::sectionMotional(fitModelName(m_result.fitModel))};
    if (std::any_of(methods.cbegin(), methods.cend(),
                    [&bases](const QString &m) { return !bases.contains(m); }))
        methods.removeIf([&bases](const QString &m) { return bases.contains(m); });
    QStringList names;
    QHash<QString, int> count;
    for (const TsRow &r : values)
        if (methods.contains(r.section) && count[withUnit(r)]++ == 0)
            names << withUnit(r);
    if (methods.size() > 1)
        names.removeIf([&count](const QString &n) { return count[n] < 2; });
    Comparison->clear();
    Comparison->setColumnCount(int(methods.size()));
    Comparison->setRowCount(int(names.size()));
    Comparison->setHorizontalHeaderLabels(methods);
    Comparison->setVerticalHeaderLabels(names);
    for (const TsRow &r : values) {
        const int c = int(methods.indexOf(r.section));
        const int n = int(names.indexOf(withUnit(r)));
        if (c >= 0 && n >= 0)
            Comparison->setItem(n, c, cell(r.value, Qt::AlignRight));
    }
    Comparison->resizeColumnsToContents();
}

void TFormWorksheet::closeEvent(QCloseEvent *event)
{
    stopRun();
    event->accept();
}
