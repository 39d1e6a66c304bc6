#include "core/analysis/driver/DriverJson.h"

#include "core/analysis/driver/DriverMessages.h"
#include "core/files/ImpedanceTable.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

namespace {

const char kAirLoadRule[] = "Mmd = Mms − 2·8/3·ρ·a³, a = √(Sd/π)";

// Each parameter: its key, its field and the factor from SI to the file's unit.
struct Field {
    const char *key;
    double DriverRecord::*field;
    double scale;
};
const Field kFields[] = {
    {"Re_Ohm", &DriverRecord::re, 1.0},      {"Le_mH", &DriverRecord::le, 1e3},
    {"Fs_Hz", &DriverRecord::fs, 1.0},       {"Qms", &DriverRecord::qms, 1.0},
    {"Qes", &DriverRecord::qes, 1.0},        {"Qts", &DriverRecord::qts, 1.0},
    {"Sd_cm2", &DriverRecord::sd, 1e4},      {"Mms_g", &DriverRecord::mms, 1e3},
    {"Mmd_g", &DriverRecord::mmd, 1e3},      {"Mair_g", &DriverRecord::mair, 1e3},
    {"Cms_mmPerN", &DriverRecord::cms, 1e3}, {"Rms_kgPerS", &DriverRecord::rms, 1.0},
    {"Bl_Tm", &DriverRecord::bl, 1.0},       {"Vas_L", &DriverRecord::vas, 1e3},
};
// Without these a file names no driver.
const char *const kRequired[] = {"Re_Ohm", "Fs_Hz", "Qms", "Qes"};

bool readNumber(const QJsonObject &o, const char *key, double *value, QString *problem)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined())
        return true;
    if (!v.isDouble() || !std::isfinite(v.toDouble()) || v.toDouble() < 0.0) {
        *problem = DriverMessages::badValue(QLatin1String(key));
        return false;
    }
    *value = v.toDouble();
    return true;
}

} // namespace

QVector<DriverValue> driverValues(const DriverRecord &d)
{
    QVector<DriverValue> out;
    for (const Field &f : kFields)
        out.append({f.key, d.*f.field * f.scale});
    return out;
}

QByteArray driverJsonText(const DriverRecord &d)
{
    QJsonObject parameters;
    for (const Field &f : kFields)
        if (d.*f.field > 0.0)
            parameters.insert(QLatin1String(f.key), d.*f.field * f.scale);
    QJsonObject o{{QStringLiteral("format"), QLatin1String(kDriverFileFormatName)},
                  {QStringLiteral("version"), kDriverFileVersion},
                  {QStringLiteral("name"), d.name},
                  {QStringLiteral("parameters"), parameters}};
    if (!d.method.isEmpty())
        o.insert(QStringLiteral("method"), d.method);
    if (d.air.rho > 0.0)
        o.insert(QStringLiteral("air"), QJsonObject{{QStringLiteral("rho_kgPerM3"), d.air.rho},
                                                    {QStringLiteral("c_mPerS"), d.air.c}});
    if (d.mair > 0.0)
        o.insert(QStringLiteral("airLoad"), QString::fromUtf8(kAirLoadRule));
    if (!d.masses.isEmpty()) {
        QJsonArray masses;
        for (const DriverMassPoint &m : d.masses)
            masses.append(QJsonObject{{QStringLiteral("mass_g"), m.grams},
                                      {QStringLiteral("FsLoaded_Hz"), m.fsLoadedHz}});
        o.insert(QStringLiteral("masses"), masses);
    }
    if (!d.curve.isEmpty()) {
        QJsonArray points;
        for (const DriverCurvePoint &p : d.curve)
            points.append(QJsonArray{p.hz, p.ohm, p.deg});
        o.insert(QStringLiteral("curve"),
                 QJsonObject{{QStringLiteral("band"), d.band}, {QStringLiteral("points"), points}});
    }
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

bool readDriverJson(const QByteArray &text, DriverRecord *out, QString *problem)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError) {
        *problem = DriverMessages::notJson(error.errorString());
        return false;
    }
    const QJsonObject o = doc.object();
    if (o.value(QStringLiteral("format")).toString() != QLatin1String(kDriverFileFormatName)) {
        *problem = DriverMessages::notDriverFile();
        return false;
    }
    const int version = o.value(QStringLiteral("version")).toInt(0);
    if (version > kDriverFileVersion) {
        *problem = DriverMessages::newerVersion(version);
        return false;
    }
    DriverRecord d;
    d.name = o.value(QStringLiteral("name")).toString();
    d.method = o.value(QStringLiteral("method")).toString();
    const QJsonObject parameters = o.value(QStringLiteral("parameters")).toObject();
    for (const char *key : kRequired)
        if (!parameters.contains(QLatin1String(key))) {
            *problem = DriverMessages::missingValue(QLatin1String(key));
            return false;
        }
    for (const Field &f : kFields) {
        double value = 0.0;
        if (!readNumber(parameters, f.key, &value, problem))
            return false;
        d.*f.field = value / f.scale;
    }
    const QJsonObject air = o.value(QStringLiteral("air")).toObject();
    if (!readNumber(air, "rho_kgPerM3", &d.air.rho, problem) ||
        !readNumber(air, "c_mPerS", &d.air.c, problem))
        return false;
    for (const QJsonValue &v : o.value(QStringLiteral("masses")).toArray()) {
        DriverMassPoint m;
        const QJsonObject mo = v.toObject();
        if (!readNumber(mo, "mass_g", &m.grams, problem) ||
            !readNumber(mo, "FsLoaded_Hz", &m.fsLoadedHz, problem))
            return false;
        d.masses.append(m);
    }
    const QJsonObject curve = o.value(QStringLiteral("curve")).toObject();
    d.band = curve.value(QStringLiteral("band")).toInt(0);
    if (!curve.value(QStringLiteral("points")).toArray().isEmpty()) {
        // The curve is read as any table is, by the one reader of driver-file curves.
        ImpedanceTable table;
        if (!parseImpedanceTable(text, table).ok()) {
            *problem = DriverMessages::badCurve();
            return false;
        }
        for (const ImpedancePoint &p : table.points)
            d.curve.append({p.hz, p.ohm, p.deg});
    }
    *out = d;
    return true;
}
