#include "core/analysis/fit/FitReport.h"

#include "core/analysis/fit/FitMessages.h"
#include "core/model/BandTable.h"

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
    const char *unit;
    double FitDerived::*member;
};

const DerivedView kDerived[] = {{"Fs_Hz", "Hz", &FitDerived::Fs},
                                {"Qms", "", &FitDerived::Qms},
                                {"Qes", "", &FitDerived::Qes},
                                {"Qts", "", &FitDerived::Qts}};

QJsonValue number(double v)
{
    return std::isfinite(v) ? QJsonValue(v) : QJsonValue(QJsonValue::Null);
}

QString text(double v)
{
    return QString::number(v, 'g', 5);
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
    for (int k = 0; k < fitParamCount(r.model); ++k) {
        const QString key = QLatin1String(kParams[k].key);
        o.insert(key, number(r.p[k] * kParams[k].scale));
        o.insert(key + QStringLiteral("_stderr"), number(r.stderrs[k] * kParams[k].scale));
    }
    for (const DerivedView &d : kDerived) {
        const QString key = QLatin1String(d.key);
        o.insert(key, number(r.derived.*d.member));
        o.insert(key + QStringLiteral("_stderr"), number(r.derivedStderr.*d.member));
    }
    o.insert(QStringLiteral("rmsMagPct"), number(r.rmsMagPct));
    o.insert(QStringLiteral("rmsPhaseDeg"),
             r.phaseUsed ? number(r.rmsPhaseDeg) : QJsonValue(QJsonValue::Null));
    o.insert(QStringLiteral("grade"), M::gradeName(r.grade));
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
        rows.append({QString::fromUtf8(v.name), text(r.p[k] * v.scale), QString::fromUtf8(v.unit),
                     fixed ? M::reFixedNote() : stderrText(r.stderrs[k] * v.scale)});
    }
    for (const DerivedView &d : kDerived) {
        const QString name = QString::fromLatin1(d.key).section(QLatin1Char('_'), 0, 0);
        rows.append({name, text(r.derived.*d.member), QLatin1String(d.unit),
                     stderrText(r.derivedStderr.*d.member)});
    }
    rows.append({M::rowRmsMag(), QString::number(r.rmsMagPct, 'f', 2), QStringLiteral("%"), {}});
    if (r.phaseUsed)
        rows.append(
            {M::rowRmsPhase(), QString::number(r.rmsPhaseDeg, 'f', 2), QStringLiteral("°"), {}});
    else
        rows.append({M::rowRmsPhase(), M::magnitudeOnly(), {}, {}});
    rows.append({M::rowGrade(), M::gradeName(r.grade), {}, M::gradeLimits(r.grade, r.phaseUsed)});
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
