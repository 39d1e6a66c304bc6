// The worksheet's air and coil, the values typed "from numbers", and the uncertainty with the
// inputs' tolerances.
#include "ui/analysis/TFormWorksheet.h"

#include "core/analysis/RepeatThieleSmall.h"
#include "core/document/MeasurementDocument.h"

#include "ui/analysis/WorksheetFields.h"
#include "ui/analysis/WorksheetTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace T = WorksheetTexts;

namespace {

// Label and field pairs, `columns` pairs a row, each change recomputing.
void placeFields(TFormWorksheet *form, QGridLayout *grid, int firstRow, int columns,
                 const QVector<std::pair<QString, QLineEdit *>> &fields,
                 void (TFormWorksheet::*changed)())
{
    int k = 0;
    for (const auto &[label, edit] : fields) {
        auto *l = caption(edit->parentWidget(), label);
        l->setBuddy(edit);
        grid->addWidget(l, firstRow + k / columns, (k % columns) * 2);
        grid->addWidget(edit, firstRow + k / columns, (k % columns) * 2 + 1);
        QObject::connect(edit, &QLineEdit::textChanged, form, changed);
        ++k;
    }
}

} // namespace

QGroupBox *TFormWorksheet::buildFromNumbersGroup()
{
    auto *group = new QGroupBox(T::fromNumbersGroup(), this);
    group->setObjectName(QStringLiteral("FromNumbersGroup"));
    group->setAccessibleName(T::fromNumbersGroup());
    group->setCheckable(true);
    group->setChecked(false);
    FromNumbersGroup = group;
    FsEdit = numberEdit(group, "FsEdit", T::typedFs());
    QmsEdit = numberEdit(group, "QmsEdit", T::typedQms());
    QesEdit = numberEdit(group, "QesEdit", T::typedQes());
    QVector<std::pair<QString, QLineEdit *>> fields{
        {T::typedFs(), FsEdit}, {T::typedQms(), QmsEdit}, {T::typedQes(), QesEdit}};
    for (int i = 0; i < kMassSlots; ++i) {
        FsLoadedEdit[size_t(i)] =
            numberEdit(group, ("FsLoadedEdit" + QByteArray::number(i + 1)).constData(),
                       T::typedFsLoaded(i + 1));
        fields.append({T::typedFsLoaded(i + 1), FsLoadedEdit[size_t(i)]});
    }
    placeFields(this, new QGridLayout(group), 0, 3, fields, &TFormWorksheet::queueRecompute);
    connect(group, &QGroupBox::toggled, this, &TFormWorksheet::queueRecompute);
    return group;
}

QGroupBox *TFormWorksheet::buildUncertaintyGroup()
{
    auto *group = new QGroupBox(T::uncertaintyGroup(), this);
    group->setObjectName(QStringLiteral("UncertaintyGroup"));
    group->setAccessibleName(T::uncertaintyGroup());
    group->setCheckable(true);
    group->setChecked(false);
    UncertaintyGroup = group;
    auto *grid = new QGridLayout(group);
    BudgetCheck = new QCheckBox(T::showBudget(), group);
    BudgetCheck->setObjectName(QStringLiteral("BudgetCheck"));
    BudgetCheck->setAccessibleName(T::showBudget());
    grid->addWidget(BudgetCheck, 0, 0, 1, 2);
    ReTolEdit = numberEdit(group, "ReTolEdit", T::reTol());
    MassResolutionEdit = numberEdit(group, "MassResolutionEdit", T::massResolution());
    SdTolEdit = numberEdit(group, "SdTolEdit", T::sdTol());
    DiameterTolEdit = numberEdit(group, "DiameterTolEdit", T::diameterTol());
    RhoTolEdit = numberEdit(group, "RhoTolEdit", T::rhoTol());
    SoundSpeedTolEdit = numberEdit(group, "SoundSpeedTolEdit", T::soundSpeedTol());
    TempTolEdit = numberEdit(group, "TempTolEdit", T::tempTol());
    PressureTolEdit = numberEdit(group, "PressureTolEdit", T::pressureTol());
    HumidityTolEdit = numberEdit(group, "HumidityTolEdit", T::humidityTol());
    CoilTempTolEdit = numberEdit(group, "CoilTempTolEdit", T::coilTempTol());
    placeFields(this, grid, 1, 2,
                {{T::reTol(), ReTolEdit},
                 {T::massResolution(), MassResolutionEdit},
                 {T::sdTol(), SdTolEdit},
                 {T::diameterTol(), DiameterTolEdit},
                 {T::rhoTol(), RhoTolEdit},
                 {T::soundSpeedTol(), SoundSpeedTolEdit},
                 {T::tempTol(), TempTolEdit},
                 {T::pressureTol(), PressureTolEdit},
                 {T::humidityTol(), HumidityTolEdit},
                 {T::coilTempTol(), CoilTempTolEdit}},
                &TFormWorksheet::queueRecompute);
    for (int column : {1, 3})
        grid->setColumnStretch(column, 1);
    for (QLineEdit *edit : group->findChildren<QLineEdit *>())
        edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000.000")));
    connect(group, &QGroupBox::toggled, this, &TFormWorksheet::queueRecompute);
    connect(BudgetCheck, &QCheckBox::toggled, this, &TFormWorksheet::queueRecompute);
    return group;
}

QString TFormWorksheet::gatherAirAndCoil(TsWorksheetInput &in) const
{
    double value = 0.0;
    const std::pair<QLineEdit *, double *> optional[] = {{HumidityEdit, &in.humidityPct}};
    for (const auto &[edit, target] : optional) {
        const Field f = readNumber(edit, value);
        if (f == Field::Bad)
            return T::notANumber(edit->accessibleName());
        if (f == Field::Number)
            *target = value;
    }
    // ρ and c together, or neither: the air then comes from its conditions.
    Air air;
    const Field rho = readNumber(RhoEdit, air.rho);
    const Field c = readNumber(SoundSpeedEdit, air.c);
    if (rho == Field::Bad || (rho == Field::Empty && c != Field::Empty))
        return T::notANumber(RhoEdit->accessibleName());
    if (c == Field::Bad || (c == Field::Empty && rho != Field::Empty))
        return T::notANumber(SoundSpeedEdit->accessibleName());
    if (rho == Field::Number)
        in.airGiven = air;
    CoilTemperature coil;
    coil.material =
        CoilMaterialBox->currentIndex() == 1 ? CoilMaterial::Aluminium : CoilMaterial::Copper;
    const Field t = readNumber(CoilTempEdit, coil.tempC);
    if (t == Field::Bad)
        return T::notANumber(CoilTempEdit->accessibleName());
    if (t == Field::Number)
        in.coil = coil;
    return QString();
}

QString TFormWorksheet::gatherTyped(TsWorksheetInput &in) const
{
    TsTypedFreeAir typed;
    const std::pair<QLineEdit *, double *> required[] = {
        {FsEdit, &typed.fs}, {QmsEdit, &typed.qms}, {QesEdit, &typed.qes}};
    for (const auto &[edit, target] : required) {
        const Field f = readNumber(edit, *target);
        if (f == Field::Empty)
            return T::typedMissing(edit->accessibleName());
        if (f == Field::Bad)
            return T::notANumber(edit->accessibleName());
    }
    in.typed = typed;
    // A mass counts once its loaded resonance is typed.
    for (int i = 0; i < kMassSlots; ++i) {
        TsMassInput mass;
        const Field hz = readNumber(FsLoadedEdit[size_t(i)], mass.fsLoaded);
        if (hz == Field::Empty)
            continue;
        if (hz == Field::Bad)
            return T::notANumber(FsLoadedEdit[size_t(i)]->accessibleName());
        const Field g = readNumber(MassEdit[size_t(i)], mass.grams);
        if (g == Field::Empty)
            return T::gramsMissing(T::massSlot(i + 1));
        if (g == Field::Bad)
            return T::notANumber(MassEdit[size_t(i)]->accessibleName());
        in.masses.append(mass);
    }
    return QString();
}

QString TFormWorksheet::gatherTolerances(TsTolerances &tol) const
{
    const std::pair<QLineEdit *, double *> fields[] = {{ReTolEdit, &tol.re},
                                                       {MassResolutionEdit, &tol.massResolution},
                                                       {SdTolEdit, &tol.sdPct},
                                                       {DiameterTolEdit, &tol.diameter},
                                                       {RhoTolEdit, &tol.rho},
                                                       {SoundSpeedTolEdit, &tol.c},
                                                       {TempTolEdit, &tol.tempC},
                                                       {PressureTolEdit, &tol.pressureHPa},
                                                       {HumidityTolEdit, &tol.humidityPct},
                                                       {CoilTempTolEdit, &tol.coilTempC}};
    for (const auto &[edit, target] : fields)
        if (readNumber(edit, *target) == Field::Bad)
            return T::notANumber(edit->accessibleName());
    return QString();
}

void TFormWorksheet::computeUncertainty(const TsWorksheetInput &in)
{
    TsTolerances tol;
    QString problem = gatherTolerances(tol);
    if (problem.isEmpty()) {
        // The sweeps of a mean give each value's scatter.
        const RepeatSet *sweeps = m_host.document ? m_host.document->repeats() : nullptr;
        m_uncertainty = worksheetUncertainty(in, m_result, tol, repeatValues(sweeps, in.re));
        problem = m_uncertainty->refusal;
    }
    // A bad tolerance shows its reason instead of any number.
    if (!problem.isEmpty()) {
        m_uncertainty.reset();
        m_result = TsWorksheetResult{};
        m_result.refusal = problem;
    }
}
