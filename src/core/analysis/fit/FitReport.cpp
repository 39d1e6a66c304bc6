#include "core/analysis/fit/FitReport.h"

#include "core/analysis/fit/FitMessages.h"
#include "core/model/BandTable.h"

#include <QJsonArray>
#include <QJsonValue>
#include <cmath>

namespace M = FitMessages;

namespace {

struct ParamView {
    const char *key;  // JSON key with the unit
    const char *name; // row name
    double scale;     // SI to the key's unit
    const char *unit;
};

const ParamView kParams[kFitParamMax] = {
    {"Re_ohm", "Re", 1.0, "Ω"},     {"Le_mH", "Le", 1e3, "mH"},     {"Res_ohm", "Res", 1.0, "Ω"},
    {"Lces_mH", "Lces", 1e3, "mH"}, {"Cmes_uF", "Cmes", 1e6, "µF"}, {"R2_ohm", "R2", 1.0, "Ω"},
    {"L2_mH", "L2", 1e3, "mH"},     {"Ke_sH", "Ke", 1.0, "Ω·s^½"},  {"beta", "β", 1.0, ""}};

struct DerivedView {
    const char *key;
    const char *name;
    const char *unit;
    double FitDerived::*member;
};

const DerivedView kDerived[] = {{"Fs_Hz", "Fs", "Hz", &FitDerived::Fs},
                                {"Qms", "Qms", "", &FitDerived::Qms},
                                {"Qes", "Qes", "", &FitDerived::Qes},
                                {"Qts", "Qts", "", &FitDerived::Qts},
                                {"Qms_branch", "Qms (Res)", "", &FitDerived::QmsBranch}};

QJsonValue number(double v)
{
    return std::isfinite(v) ? QJsonValue(v) : QJsonValue(QJsonValue::Null);
}

QString text(double v)
{
    return QString::number(v, 'g', 5);
}

bool isPinned(const FitResult &r, int k)
{
    return k < int(r.pinned.size()) && r.pinned[k];
}

QStringList paramNames(const FitResult &r)
{
    QStringList names;
    for (int k : r.weak)
        names << QString::fromUtf8(kParams[k].name);
    return names;
}

QString stderrText(double v)
{
    return std::isfinite(v) ? QStringLiteral("± ") + QString::number(v, 'g', 2)
                            : M::notDetermined();
}

} // namespace

QJsonObject fitJson(const FitResult &r)
{
    QJsonObject o{{QStringLiteral("model"), fitModelName(r.model)},
                  {QStringLiteral("points"), r.points}};
    if (r.outcome != FitOutcome::Ok) {
        o.insert(QStringLiteral("error"), M::outcomeText(r));
        return o;
    }
    o.insert(QStringLiteral("reFixed"), r.reFixed);
    o.insert(QStringLiteral("phaseUsed"), r.phaseUsed);
    o.insert(QStringLiteral("fromHz"), r.fromHz);
    o.insert(QStringLiteral("toHz"), r.toHz);
    QJsonArray pinned, undetermined;
    for (int k = 0; k < fitParamCount(r.model); ++k) {
        const QString key = QLatin1String(kParams[k].key);
        // A pinned value only stands for an absent element: null, and named in "pinned".
        const bool held = isPinned(r, k);
        o.insert(key, held ? QJsonValue(QJsonValue::Null) : number(r.p[k] * kParams[k].scale));
        o.insert(key + QStringLiteral("_stderr"),
                 held ? QJsonValue(QJsonValue::Null) : number(r.stderrs[k] * kParams[k].scale));
        if (held)
            pinned.append(key);
    }
    for (int k : r.weak)
        undetermined.append(QLatin1String(kParams[k].key));
    for (const DerivedView &d : kDerived) {
        const QString key = QLatin1String(d.key);
        o.insert(key, number(r.derived.*d.member));
        o.insert(key + QStringLiteral("_stderr"), number(r.derivedStderr.*d.member));
    }
    o.insert(QStringLiteral("rmsMagPct"), number(r.rmsMagPct));
    o.insert(QStringLiteral("rmsPhaseDeg"),
             r.phaseUsed ? number(r.rmsPhaseDeg) : QJsonValue(QJsonValue::Null));
    o.insert(QStringLiteral("residualLag1"), number(r.residualLag1));
    o.insert(QStringLiteral("stderrWidening"), number(r.stderrWidening));
    o.insert(QStringLiteral("pinned"), pinned);
    o.insert(QStringLiteral("undetermined"), undetermined);
    o.insert(QStringLiteral("grade"), M::gradeKey(r.grade));
    if (r.grade != r.residualGrade)
        o.insert(QStringLiteral("gradeNote"), M::gradeCap(r, paramNames(r)));
    o.insert(QStringLiteral("iterations"), r.iterations);
    return o;
}

QVector<FitRow> fitRows(const FitResult &r)
{
    QVector<FitRow> rows;
    rows.append({M::rowModel(), fitModelName(r.model), {}, {}});
    rows.append({M::rowPoints(), QString::number(r.points), {}, {}});
    if (r.outcome != FitOutcome::Ok)
        return rows;
    rows.last().value += QStringLiteral(", %1 .. %2 Hz").arg(text(r.fromHz), text(r.toHz));
    for (int k = 0; k < fitParamCount(r.model); ++k) {
        const ParamView &v = kParams[k];
        const bool fixed = k == PRe && r.reFixed;
        if (isPinned(r, k))
            rows.append({QString::fromUtf8(v.name), M::pinnedValue(), {}, M::pinnedNote()});
        else
            rows.append({QString::fromUtf8(v.name), text(r.p[k] * v.scale),
                         QString::fromUtf8(v.unit),
                         fixed ? M::reFixedNote() : stderrText(r.stderrs[k] * v.scale)});
    }
    for (const DerivedView &d : kDerived) {
        // Without creep the branch's Qms is Qms itself.
        if (d.member == &FitDerived::QmsBranch && r.model != FitModel::Semi)
            continue;
        rows.append({QString::fromUtf8(d.name), text(r.derived.*d.member), QLatin1String(d.unit),
                     stderrText(r.derivedStderr.*d.member)});
    }
    rows.append({M::rowWidening(),
                 QStringLiteral("× ") + QString::number(r.stderrWidening, 'f', 2),
                 {},
                 M::wideningNote(r.residualLag1)});
    rows.append({M::rowRmsMag(), QString::number(r.rmsMagPct, 'f', 2), QStringLiteral("%"), {}});
    if (r.phaseUsed)
        rows.append(
            {M::rowRmsPhase(), QString::number(r.rmsPhaseDeg, 'f', 2), QStringLiteral("°"), {}});
    else
        rows.append({M::rowRmsPhase(), M::magnitudeOnly(), {}, {}});
    QString limits = M::gradeLimits(r.residualGrade, r.phaseUsed);
    if (r.grade != r.residualGrade)
        limits += QStringLiteral("; ") + M::gradeCap(r, paramNames(r));
    rows.append({M::rowGrade(), M::gradeName(r.grade), {}, limits});
    rows.append({M::rowIterations(), QString::number(r.iterations), {}, {}});
    return rows;
}

void fittedCurve(const FitResult &r, const CurveBlock &measured, int band, CurveBlock &out)
{
    clearCurve(out);
    if (r.outcome != FitOutcome::Ok || !isValidBand(band))
        return;
    for (int i = bandFirstIndex(band); i <= bandLastIndex(band); ++i) {
        const double hz = measured.freq[i];
        if (!(measured.r[i] >= 0.0f) || !(hz > 0.0))
            continue;
        const std::complex<double> z = r.impedance(hz);
        out.r[i] = float(std::abs(z));
        out.theta[i] = float(std::arg(z) * 180.0 / M_PI);
        out.freq[i] = measured.freq[i];
    }
    out.valid = 1;
}
