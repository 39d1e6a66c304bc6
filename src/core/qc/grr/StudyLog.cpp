#include "core/qc/grr/StudyLog.h"

#include "core/qc/grr/GaugeMessages.h"
#include "core/qc/log/LogConnection.h"
#include "core/qc/log/LogMessages.h"
#include "core/qc/log/LogSchema.h"
#include "core/qc/log/LogStore.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <limits>

namespace {

const QChar kAppraiserSeparator = QLatin1Char('\n');

bool fail(const QSqlQuery &q, QString *error)
{
    const QString db = q.lastError().databaseText().trimmed();
    *error = db.isEmpty() ? q.lastError().text().trimmed() : db;
    return false;
}

} // namespace

GaugeShape GaugeStudyPlan::shape() const
{
    GaugeShape s;
    for (int i = 1; i <= parts; ++i)
        s.parts << QString::number(i);
    s.appraisers = appraisers;
    s.trials = trials;
    return s;
}

QString checkGaugeStudyPlan(const GaugeStudyPlan &plan)
{
    if (plan.name.trimmed().isEmpty() || plan.name.size() > kGaugeMaxNameLength)
        return GaugeMessages::badStudyName();
    if (plan.parts < 2 || plan.parts > kGaugeMaxParts || plan.trials < 2 ||
        plan.trials > kGaugeMaxTrials)
        return GaugeMessages::badStudyShape();
    QStringList seen;
    for (const QString &a : plan.appraisers) {
        if (a.trimmed().isEmpty() || a != a.trimmed() || a.size() > kGaugeMaxNameLength ||
            a.contains(kAppraiserSeparator) || seen.contains(a))
            return GaugeMessages::badAppraisers();
        seen << a;
    }
    if (seen.size() < 2 || seen.size() > kGaugeMaxAppraisers)
        return GaugeMessages::badAppraisers();
    return QString();
}

bool nextGaugeCell(const GaugeStudyPlan &plan, const QVector<GaugeCell> &done, GaugeCell *next)
{
    for (int t = 1; t <= plan.trials; ++t)
        for (const QString &a : plan.appraisers)
            for (int p = 1; p <= plan.parts; ++p)
                if (const GaugeCell c{p, a, t}; !done.contains(c)) {
                    *next = c;
                    return true;
                }
    return false;
}

namespace StudyLog {

bool open(QSqlDatabase db, const GaugeStudyPlan &plan, const QString &station,
          QVector<GaugeCell> *done, QString *error)
{
    if (const QString problem = checkGaugeStudyPlan(plan); !problem.isEmpty()) {
        *error = problem;
        return false;
    }
    QSqlQuery q(db);
    // Two stations starting the same study at once: one row, the other finds it.
    q.prepare(QStringLiteral("INSERT INTO qc_study (name, parts, operators, trials, created_utc, "
                             "station) VALUES (?, ?, ?, ?, ?, ?) ON CONFLICT DO NOTHING"));
    q.addBindValue(plan.name);
    q.addBindValue(plan.parts);
    q.addBindValue(plan.appraisers.join(kAppraiserSeparator));
    q.addBindValue(plan.trials);
    q.addBindValue(logTimeText(QDateTime::currentDateTimeUtc()));
    q.addBindValue(station);
    if (!q.exec())
        return fail(q, error);
    GaugeStudyPlan there;
    QMap<QString, QVector<GaugeValue>> values;
    if (!read(db, plan.name, &there, &values, error)) {
        if (error->isEmpty())
            *error = GaugeMessages::noStudy(plan.name, db.databaseName());
        return false;
    }
    if (there.parts != plan.parts || there.appraisers != plan.appraisers ||
        there.trials != plan.trials) {
        *error = GaugeMessages::studyOtherShape(plan.name, there.parts,
                                                int(there.appraisers.size()), there.trials);
        return false;
    }
    done->clear();
    for (const QVector<GaugeValue> &list : values)
        for (const GaugeValue &v : list)
            if (const GaugeCell c{v.part.toInt(), v.appraiser, v.trial}; !done->contains(c))
                done->append(c);
    return true;
}

bool record(QSqlDatabase db, const GaugeStudyPlan &plan, const GaugeCell &cell,
            const QVector<QcParameter> &values, const QString &station, const QDateTime &timeUtc,
            QString *error)
{
    if (cell.part < 1 || cell.part > plan.parts || !plan.appraisers.contains(cell.appraiser) ||
        cell.trial < 1 || cell.trial > plan.trials) {
        *error = GaugeMessages::cellOutsideStudy(plan.name, cell.part, cell.appraiser, cell.trial);
        return false;
    }
    if (!beginWrite(db)) {
        *error = db.lastError().text();
        return false;
    }
    QSqlQuery q(db);
    q.prepare(QStringLiteral(
        "INSERT INTO qc_study_value (study, part, operator, trial, name, value, time_utc, "
        "station) VALUES (?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (study, part, operator, trial, "
        "name) DO UPDATE SET value = excluded.value, time_utc = excluded.time_utc, "
        "station = excluded.station"));
    bool ok = true;
    for (const QcParameter &p : values) {
        q.bindValue(0, plan.name);
        q.bindValue(1, cell.part);
        q.bindValue(2, cell.appraiser);
        q.bindValue(3, cell.trial);
        q.bindValue(4, p.name);
        q.bindValue(5, p.measured() ? QVariant(p.value) : QVariant(QMetaType::fromType<double>()));
        q.bindValue(6, logTimeText(timeUtc));
        q.bindValue(7, station);
        if (!q.exec()) {
            ok = fail(q, error);
            break;
        }
    }
    q.finish();
    if (ok && commitWrite(db))
        return true;
    if (ok)
        *error = db.lastError().text();
    rollbackWrite(db);
    return false;
}

bool read(QSqlDatabase db, const QString &study, GaugeStudyPlan *plan,
          QMap<QString, QVector<GaugeValue>> *values, QString *error)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT parts, operators, trials FROM qc_study WHERE name = ?"));
    q.addBindValue(study);
    if (!q.exec())
        return fail(q, error);
    if (!q.next()) {
        error->clear();
        return false;
    }
    plan->name = study;
    plan->parts = q.value(0).toInt();
    plan->appraisers = q.value(1).toString().split(kAppraiserSeparator);
    plan->trials = q.value(2).toInt();
    q.prepare(QStringLiteral("SELECT name, part, operator, trial, value FROM qc_study_value "
                             "WHERE study = ? ORDER BY name, trial, operator, part"));
    q.addBindValue(study);
    if (!q.exec())
        return fail(q, error);
    values->clear();
    while (q.next()) {
        GaugeValue v;
        v.part = QString::number(q.value(1).toInt());
        v.appraiser = q.value(2).toString();
        v.trial = q.value(3).toInt();
        v.value =
            q.value(4).isNull() ? std::numeric_limits<double>::quiet_NaN() : q.value(4).toDouble();
        (*values)[q.value(0).toString()].append(v);
    }
    return true;
}

} // namespace StudyLog

bool openStudyLogToWrite(const QString &text, LogConnection *connection, QString *error)
{
    const LogTarget target = parseLogTarget(text);
    QString detail;
    if (!connection->open(target)) {
        *error = connection->message();
        return false;
    }
    if (!LogSchema::migrate(connection->db(), &detail)) {
        *error = LogMessages::failed(target.display(), detail);
        return false;
    }
    return true;
}

namespace {

// A study of the log of a target text, only read: an older log is left as it is.
bool readLoggedStudy(const QString &text, const QString &study, GaugeStudyPlan *plan,
                     QMap<QString, QVector<GaugeValue>> *values, QString *error)
{
    const LogTarget target = parseLogTarget(text);
    LogConnection connection;
    if (!connection.open(target, true)) {
        *error = connection.message();
        return false;
    }
    const int version = LogSchema::version(connection.db());
    if (version <= 0) {
        *error = LogMessages::notALog(target.display());
        return false;
    }
    if (version > LogSchema::kVersion) {
        *error = LogMessages::newerSchema(target.display(), version, LogSchema::kVersion);
        return false;
    }
    // An older log has no studies.
    if (version < LogSchema::kStudyVersion) {
        *error = GaugeMessages::noStudy(study, target.display());
        return false;
    }
    QString detail;
    if (!StudyLog::read(connection.db(), study, plan, values, &detail)) {
        *error = detail.isEmpty() ? GaugeMessages::noStudy(study, target.display())
                                  : LogMessages::failed(target.display(), detail);
        return false;
    }
    if (values->isEmpty()) {
        *error = QStringLiteral("%1: %2").arg(study, GaugeMessages::noValues());
        return false;
    }
    return true;
}

} // namespace

bool analyseLoggedStudy(const QString &target, const QString &study, QString *parameter,
                        GaugeResult *out, QString *error)
{
    GaugeStudyPlan plan;
    QMap<QString, QVector<GaugeValue>> values;
    if (!readLoggedStudy(target, study, &plan, &values, error))
        return false;
    const QStringList present = values.keys();
    if (parameter->isEmpty() && present.size() > 1) {
        *error = GaugeMessages::chooseParameter(present);
        return false;
    }
    if (parameter->isEmpty())
        *parameter = present.value(0);
    else if (!values.contains(*parameter)) {
        *error = GaugeMessages::noParameterRows(*parameter, present);
        return false;
    }
    const GaugeShape shape = plan.shape();
    if (const QString problem = analyseGaugeStudy(values.value(*parameter), out, &shape);
        !problem.isEmpty()) {
        *error = QStringLiteral("%1: %2").arg(study, problem);
        return false;
    }
    return true;
}

bool analyseLoggedStudyParameters(const QString &target, const QString &study,
                                  QVector<GaugeParameterResult> *out, QString *error)
{
    GaugeStudyPlan plan;
    QMap<QString, QVector<GaugeValue>> values;
    if (!readLoggedStudy(target, study, &plan, &values, error))
        return false;
    const GaugeShape shape = plan.shape();
    out->clear();
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        GaugeParameterResult r;
        r.parameter = it.key();
        r.problem = analyseGaugeStudy(it.value(), &r.result, &shape);
        out->append(r);
    }
    return true;
}
