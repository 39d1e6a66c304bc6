#include "core/qc/log/LogReplication.h"
#include "core/qc/log/LogQuery.h"

#include "core/qc/log/LogConnection.h"
#include "core/qc/log/LogSchema.h"
#include "core/qc/log/ReplicationMessages.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QVariant>

namespace {

namespace RM = ReplicationMessages;

// The replicated tables and the centre's keys for them: the site's own key with the site first.
struct Table {
    const char *name;
    const char *key;
};
const Table kTables[] = {
    {"qc_unit", "site, station, run_id"},
    {"qc_parameter", "site, station, run_id, name"},
    {"qc_day_unit", "site, station, day"},
    {"qc_day_passed", "site, station, day, limits_name, name"},
};

// A text as an SQL literal (standard_conforming_strings, on since PostgreSQL 9.1).
QString literal(QString text)
{
    return QLatin1Char('\'') + text.replace(QLatin1Char('\''), QLatin1String("''")) +
           QLatin1Char('\'');
}

// A value as libpq reads it in a connection string.
QString connValue(QString value)
{
    value.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    value.replace(QLatin1Char('\''), QLatin1String("\\'"));
    return QLatin1Char('\'') + value + QLatin1Char('\'');
}

QString tableList()
{
    QStringList names;
    for (const Table &t : kTables)
        names << QLatin1String(t.name);
    return names.join(QStringLiteral(", "));
}

// One server of the two, with the statements the checks and changes need.
struct Server {
    LogConnection connection;
    QString shown;
    QString error;

    bool open(const QString &text, const QString &role)
    {
        const LogTarget target = parseLogTarget(text);
        if (target.kind == LogTarget::SQLite) {
            error = RM::notAServer(role, target.display());
            return false;
        }
        if (!connection.open(target)) {
            error = connection.message();
            return false;
        }
        shown = target.display();
        return exec(QStringLiteral("SET statement_timeout = 0"));
    }

    bool run(QSqlQuery &q, const QString &sql, const QVariantList &values = {})
    {
        q.setForwardOnly(true);
        // The server prepares only plain statements: SET, SHOW and the DDL go as they are.
        bool ok = values.isEmpty() || q.prepare(sql);
        for (const QVariant &v : values)
            q.addBindValue(v);
        ok = ok && (values.isEmpty() ? q.exec(sql) : q.exec());
        if (!ok)
            error = sqlErrorText(q.lastError());
        return ok;
    }

    bool exec(const QString &sql, const QVariantList &values = {})
    {
        QSqlQuery q(connection.db());
        return run(q, sql, values);
    }

    QVariant value(const QString &sql, const QVariantList &values = {})
    {
        QSqlQuery q(connection.db());
        if (!run(q, sql, values) || !q.next())
            return QVariant();
        return q.value(0);
    }

    bool exists(const QString &sql, const QVariantList &values = {})
    {
        QSqlQuery q(connection.db());
        return run(q, sql, values) && q.next();
    }

    // The cluster and database this connection reaches, whatever the URL called them.
    QString identity()
    {
        QVariant id = value(QStringLiteral("SELECT system_identifier::text FROM "
                                           "pg_control_system()"));
        if (id.isNull()) // a role without pg_monitor: the server's start and port tell it too
            id = value(QStringLiteral(
                "SELECT pg_postmaster_start_time()::text || ':' || current_setting('port')"));
        return id.toString() + QLatin1Char('/') +
               value(QStringLiteral("SELECT current_database()")).toString();
    }

    QString user() { return value(QStringLiteral("SELECT current_user")).toString(); }
    bool superuser()
    {
        return value(QStringLiteral("SELECT rolsuper FROM pg_roles WHERE rolname = current_user"))
            .toBool();
    }
    int versionNumber()
    {
        return value(QStringLiteral("SELECT current_setting('server_version_num')::int")).toInt();
    }
    bool hasTable(const char *table)
    {
        return value(QStringLiteral("SELECT to_regclass(?) IS NOT NULL"), {QLatin1String(table)})
            .toBool();
    }
    bool hasSiteColumn(const char *table)
    {
        return exists(QStringLiteral("SELECT 1 FROM information_schema.columns WHERE "
                                     "table_schema = current_schema() AND table_name = ? AND "
                                     "column_name = 'site'"),
                      {QLatin1String(table)});
    }
    // The name a site's log was given when it was first set up, empty when none.
    QString siteName()
    {
        const QString def = value(QStringLiteral("SELECT column_default FROM "
                                                 "information_schema.columns WHERE table_schema = "
                                                 "current_schema() AND table_name = 'qc_unit' AND "
                                                 "column_name = 'site'"))
                                .toString();
        static const QRegularExpression quoted(QStringLiteral("^'(.*)'::text$"));
        const auto m = quoted.match(def);
        return m.hasMatch() ? m.captured(1) : QString();
    }

    // Statements in one transaction; false (rolled back) with error on the first failure.
    bool transaction(const QStringList &statements)
    {
        QSqlDatabase db = connection.db();
        if (!db.transaction()) {
            error = sqlErrorText(db.lastError());
            return false;
        }
        for (const QString &sql : statements) {
            QSqlQuery q(db);
            if (!q.exec(sql)) {
                error = sqlErrorText(q.lastError());
                db.rollback();
                return false;
            }
        }
        if (db.commit())
            return true;
        error = sqlErrorText(db.lastError());
        db.rollback();
        return false;
    }

    // A slot a subscription has just let go of stays active for a moment.
    bool dropSlot(const QString &slot)
    {
        for (int i = 0; i < 50; ++i) {
            const QVariant active =
                value(QStringLiteral("SELECT active FROM pg_replication_slots WHERE "
                                     "slot_name = ?"),
                      {slot});
            if (active.isNull())
                return true;
            if (!active.toBool())
                return exec(QStringLiteral("SELECT pg_drop_replication_slot(?)"), {slot});
            QThread::msleep(200);
        }
        error = RM::slotInUse(shown, slot);
        return false;
    }
};

// The subscription's connection to the site, as the centre's server makes it.
QString siteConnInfo(const QString &siteText)
{
    const LogTarget t = parseLogTarget(siteText);
    QStringList parts;
    if (!t.host.isEmpty())
        parts << QStringLiteral("host=") + connValue(t.host);
    if (t.port > 0)
        parts << QStringLiteral("port=%1").arg(t.port);
    if (!t.user.isEmpty())
        parts << QStringLiteral("user=") + connValue(t.user);
    if (!t.password.isEmpty())
        parts << QStringLiteral("password=") + connValue(t.password);
    parts << QStringLiteral("dbname=") + connValue(t.database);
    for (const auto &[key, value] : t.options)
        parts << key + QLatin1Char('=') + connValue(value);
    return parts.join(QLatin1Char(' '));
}

bool subscriptionExists(Server &centre, const QString &name)
{
    return centre.exists(QStringLiteral("SELECT 1 FROM pg_subscription WHERE subname = ? AND "
                                        "subdbid = (SELECT oid FROM pg_database WHERE datname = "
                                        "current_database())"),
                         {name});
}

qint64 unitsOfSite(Server &centre, const QString &name)
{
    if (!centre.hasTable("qc_unit") || !centre.hasSiteColumn("qc_unit"))
        return 0;
    return centre.value(QStringLiteral("SELECT count(*) FROM qc_unit WHERE site = ?"), {name})
        .toLongLong();
}

// The log at either end must be one this program can bring up to date.
bool logUsable(Server &server, QString *error)
{
    const int v = LogSchema::version(server.connection.db());
    if (v < 0) {
        *error = RM::failedAt(server.shown, RM::Step::ReadVersion,
                              server.connection.db().lastError().text());
        return false;
    }
    if (v > LogSchema::kVersion) {
        *error = RM::newerLog(server.shown, v, LogSchema::kVersion);
        return false;
    }
    return true;
}

bool checkSite(Server &site, const QString &name, bool replace, bool subscribed, QString *error)
{
    const QString level = site.value(QStringLiteral("SHOW wal_level")).toString();
    if (level != QLatin1String("logical")) {
        *error = RM::walLevel(site.shown, level);
        return false;
    }
    if (site.value(QStringLiteral("SELECT current_setting('max_wal_senders')::int")).toInt() < 1) {
        *error = RM::noWalSenders(site.shown);
        return false;
    }
    const bool super = site.superuser();
    const QString user = site.user();
    if (!super && !site.value(QStringLiteral("SELECT rolreplication FROM pg_roles WHERE rolname = "
                                             "current_user"))
                       .toBool()) {
        *error = RM::siteNeedsReplication(site.shown, user);
        return false;
    }
    if (!super && !site.value(QStringLiteral("SELECT has_database_privilege(current_database(), "
                                             "'CREATE') AND has_schema_privilege("
                                             "current_schema(), 'CREATE')"))
                       .toBool()) {
        *error = RM::siteCannotCreate(site.shown, user);
        return false;
    }
    QStringList notOwned;
    for (const Table &t : kTables)
        if (site.hasTable(t.name) &&
            !site.value(QStringLiteral("SELECT pg_has_role(relowner, 'USAGE') FROM pg_class "
                                       "WHERE oid = to_regclass(?)"),
                        {QLatin1String(t.name)})
                 .toBool())
            notOwned << QLatin1String(t.name);
    if (!notOwned.isEmpty()) {
        *error = RM::siteNotOwner(site.shown, user, notOwned.join(QStringLiteral(", ")));
        return false;
    }
    if (!logUsable(site, error))
        return false;
    const QString earlier = site.siteName();
    if (!earlier.isEmpty() && earlier != name) {
        *error = RM::nameTaken(site.shown, earlier, name);
        return false;
    }
    const QVariant active = site.value(
        QStringLiteral("SELECT active FROM pg_replication_slots WHERE slot_name = ?"), {name});
    if (!active.isNull()) {
        // Active and not ours to drop: another server reads it.
        if (active.toBool() && !(replace && subscribed)) {
            *error = RM::slotInUse(site.shown, name);
            return false;
        }
        if (!replace) {
            *error = RM::slotLeft(site.shown, name);
            return false;
        }
    } else {
        const int max =
            site.value(QStringLiteral("SELECT current_setting('max_replication_slots')::int"))
                .toInt();
        const int used =
            site.value(QStringLiteral("SELECT count(*) FROM pg_replication_slots")).toInt();
        if (used >= max) {
            *error = RM::noFreeSlot(site.shown, max);
            return false;
        }
    }
    if (!replace && site.exists(QStringLiteral("SELECT 1 FROM pg_publication WHERE pubname = ?"),
                                {QLatin1String(LogReplication::kPublication)})) {
        *error = RM::publicationLeft(site.shown, QLatin1String(LogReplication::kPublication));
        return false;
    }
    return true;
}

bool checkCentre(Server &centre, const QString &name, bool replace, QString *error)
{
    const bool allowed =
        centre.superuser() ||
        (centre.versionNumber() >= 160000 &&
         centre
             .value(QStringLiteral("SELECT pg_has_role('pg_create_subscription', 'MEMBER') AND "
                                   "has_database_privilege(current_database(), 'CREATE')"))
             .toBool());
    if (!allowed) {
        *error = RM::centreNeedsSuperuser(centre.shown, centre.user());
        return false;
    }
    if (!logUsable(centre, error))
        return false;
    if (replace)
        return true;
    if (subscriptionExists(centre, name)) {
        *error = RM::subscriptionLeft(centre.shown, name);
        return false;
    }
    if (const qint64 units = unitsOfSite(centre, name); units > 0) {
        *error = RM::unitsLeft(centre.shown, units, name);
        return false;
    }
    return true;
}

bool migrate(Server &server, QString *error)
{
    QString detail;
    if (LogSchema::migrate(server.connection.db(), &detail))
        return true;
    *error = RM::failedAt(server.shown, RM::Step::Migrate, detail);
    return false;
}

// The site's tables carry its name and send whole rows on a change (the centre's keys are
// longer than the site's), and go out under the publication.
bool setUpSite(Server &site, const QString &name, QString *error)
{
    if (!migrate(site, error))
        return false;
    QStringList steps{QStringLiteral("SET LOCAL lock_timeout = 10000")};
    for (const Table &t : kTables) {
        const QString table = QLatin1String(t.name);
        if (site.hasSiteColumn(t.name))
            steps << QStringLiteral("ALTER TABLE %1 ALTER COLUMN site SET DEFAULT %2")
                         .arg(table, literal(name));
        else
            steps << QStringLiteral("ALTER TABLE %1 ADD COLUMN site TEXT NOT NULL DEFAULT %2")
                         .arg(table, literal(name));
        steps << QStringLiteral("ALTER TABLE %1 REPLICA IDENTITY FULL").arg(table);
    }
    steps << QStringLiteral("DROP PUBLICATION IF EXISTS %1")
                 .arg(QLatin1String(LogReplication::kPublication))
          << QStringLiteral("CREATE PUBLICATION %1 FOR TABLE %2")
                 .arg(QLatin1String(LogReplication::kPublication), tableList());
    if (site.transaction(steps))
        return true;
    *error = RM::failedAt(site.shown, RM::Step::Publish, site.error);
    return false;
}

// The centre's tables with the site in every key, the site's earlier rows gone when they are
// to be copied again, and the subscription; one transaction.
bool setUpCentre(Server &centre, const QString &name, const QString &conninfo, bool replace,
                 QString *error)
{
    if (!migrate(centre, error))
        return false;
    QStringList steps{QStringLiteral("SET LOCAL lock_timeout = 10000")};
    for (const Table &t : kTables) {
        const QString table = QLatin1String(t.name);
        if (!centre.hasSiteColumn(t.name))
            steps << QStringLiteral("ALTER TABLE %1 ADD COLUMN site TEXT NOT NULL DEFAULT ''")
                         .arg(table);
        QSqlQuery q(centre.connection.db());
        centre.run(q,
                   QStringLiteral("SELECT conname, pg_get_constraintdef(oid) FROM pg_constraint "
                                  "WHERE conrelid = to_regclass(?) AND contype = 'p'"),
                   {table});
        if (!q.next() ||
            q.value(1).toString() != QStringLiteral("PRIMARY KEY (%1)").arg(QLatin1String(t.key))) {
            const QString drop =
                q.isValid() ? QStringLiteral("DROP CONSTRAINT %1, ").arg(q.value(0).toString())
                            : QString();
            steps << QStringLiteral("ALTER TABLE %1 %2ADD PRIMARY KEY (%3)")
                         .arg(table, drop, QLatin1String(t.key));
        }
        if (replace)
            steps << QStringLiteral("DELETE FROM %1 WHERE site = %2").arg(table, literal(name));
    }
    steps << QStringLiteral("CREATE SUBSCRIPTION %1 CONNECTION %2 PUBLICATION %3 WITH "
                            "(create_slot = false, slot_name = %4, copy_data = true)")
                 .arg(name, literal(conninfo), QLatin1String(LogReplication::kPublication),
                      literal(name));
    if (centre.transaction(steps))
        return true;
    *error = RM::failedAt(centre.shown, RM::Step::Subscribe, centre.error);
    return false;
}

// DROP SUBSCRIPTION drops the site's slot too; a site it cannot reach leaves that to the caller.
bool dropSubscription(Server &centre, const QString &name, QString *error)
{
    if (!subscriptionExists(centre, name))
        return true;
    if (centre.exec(QStringLiteral("DROP SUBSCRIPTION %1").arg(name)))
        return true;
    if (centre.exec(QStringLiteral("ALTER SUBSCRIPTION %1 DISABLE").arg(name)) &&
        centre.exec(QStringLiteral("ALTER SUBSCRIPTION %1 SET (slot_name = NONE)").arg(name)) &&
        centre.exec(QStringLiteral("DROP SUBSCRIPTION %1").arg(name)))
        return true;
    *error = RM::failedAt(centre.shown, RM::Step::DropSubscription, centre.error);
    return false;
}

} // namespace

namespace LogReplication {

bool validSiteName(const QString &name)
{
    static const QRegularExpression re(QStringLiteral("^[a-z][a-z0-9_]{0,39}$"));
    return re.match(name).hasMatch();
}

QString defaultSiteName(const QString &siteTarget)
{
    const LogTarget t = parseLogTarget(siteTarget);
    QString host = t.host.startsWith(QLatin1Char('/')) || t.host.isEmpty() ? QStringLiteral("local")
                   : t.host.at(0).isDigit() ? t.host // an address, whole
                                            : t.host.section(QLatin1Char('.'), 0, 0);
    if (t.port > 0 && t.port != 5432)
        host += QLatin1Char('_') + QString::number(t.port);
    QString name = (host + QLatin1Char('_') + t.database).toLower();
    name.replace(QRegularExpression(QStringLiteral("[^a-z0-9_]")), QStringLiteral("_"));
    if (name.isEmpty() || !name.at(0).isLetter())
        name.prepend(QStringLiteral("site_"));
    return name.left(40);
}

bool setUp(const Request &request, QStringList *done, QString *error)
{
    const EnglishServerMessages english;
    Server site;
    Server centre;
    if (!site.open(request.site, RM::siteRole())) {
        *error = site.error;
        return false;
    }
    if (!centre.open(request.centre, RM::centreRole())) {
        *error = centre.error;
        return false;
    }
    if (site.identity() == centre.identity()) {
        *error = RM::siteIsCentre(site.shown, centre.shown);
        return false;
    }
    QString name = request.name;
    if (name.isEmpty())
        name = site.siteName();
    if (name.isEmpty())
        name = defaultSiteName(request.site);
    if (!validSiteName(name)) {
        *error = RM::badName(name);
        return false;
    }
    const bool subscribed = subscriptionExists(centre, name);
    if (!checkCentre(centre, name, request.replace, error) ||
        !checkSite(site, name, request.replace, subscribed, error))
        return false;

    // Every check passed: from here on the servers change.
    if (request.replace) {
        if (!dropSubscription(centre, name, error) || !site.dropSlot(name)) {
            if (error->isEmpty())
                *error = RM::failedAt(site.shown, RM::Step::DropSlot, site.error);
            return false;
        }
        if (const qint64 units = unitsOfSite(centre, name); units > 0)
            *done << RM::doneReplaced(name, units);
    }
    if (!setUpSite(site, name, error))
        return false;
    *done << RM::doneSiteColumn(name) << RM::donePublication(QLatin1String(kPublication));
    // The slot is made here, not by the subscription, so that a centre in another database of
    // the site's own server does not wait for itself.
    if (!site.exec(QStringLiteral("SELECT pg_create_logical_replication_slot(?, 'pgoutput')"),
                   {name})) {
        *error = RM::failedAt(site.shown, RM::Step::CreateSlot, site.error);
        site.exec(QStringLiteral("DROP PUBLICATION IF EXISTS %1").arg(QLatin1String(kPublication)));
        return false;
    }
    *done << RM::doneSlot(name);
    if (!setUpCentre(centre, name, siteConnInfo(request.site), request.replace, error)) {
        site.dropSlot(name);
        site.exec(QStringLiteral("DROP PUBLICATION IF EXISTS %1").arg(QLatin1String(kPublication)));
        *error = RM::undone(*error);
        done->clear();
        return false;
    }
    *done << RM::doneCentre(name);
    return true;
}

bool remove(const QString &centreText, const QString &siteText, const QString &name,
            QStringList *done, QString *error)
{
    const EnglishServerMessages english;
    Server centre;
    if (!centre.open(centreText, RM::centreRole())) {
        *error = centre.error;
        return false;
    }
    if (subscriptionExists(centre, name)) {
        if (!dropSubscription(centre, name, error))
            return false;
        *done << RM::doneDropped(RM::Dropped::Subscription, name);
    }
    if (siteText.isEmpty()) {
        if (done->isEmpty())
            *done << RM::nothingToRemove(name);
        return true;
    }
    Server site;
    if (!site.open(siteText, RM::siteRole())) {
        *error = site.error;
        return false;
    }
    if (site.exists(QStringLiteral("SELECT 1 FROM pg_replication_slots WHERE slot_name = ?"),
                    {name})) {
        if (!site.dropSlot(name)) {
            *error = site.error;
            return false;
        }
        *done << RM::doneDropped(RM::Dropped::Slot, name);
    }
    if (site.exists(QStringLiteral("SELECT 1 FROM pg_publication WHERE pubname = ?"),
                    {QLatin1String(kPublication)})) {
        if (!site.exec(QStringLiteral("DROP PUBLICATION %1").arg(QLatin1String(kPublication)))) {
            *error = RM::failedAt(site.shown, RM::Step::DropPublication, site.error);
            return false;
        }
        *done << RM::doneDropped(RM::Dropped::Publication, QLatin1String(kPublication));
    }
    if (done->isEmpty())
        *done << RM::nothingToRemove(name);
    return true;
}

bool status(const QString &centreText, const QString &siteText, QVector<SiteStatus> *out,
            QString *error)
{
    const EnglishServerMessages english;
    Server centre;
    if (!centre.open(centreText, RM::centreRole())) {
        *error = centre.error;
        return false;
    }
    QSqlQuery q(centre.connection.db());
    if (!centre.run(
            q,
            QStringLiteral(
                "SELECT s.subname, s.subenabled, st.pid IS NOT NULL, (SELECT count(*) FROM "
                "pg_subscription_rel r WHERE r.srsubid = s.oid AND r.srsubstate <> 'r'), "
                "st.received_lsn::text, st.latest_end_lsn::text, "
                "to_char(st.last_msg_receipt_time AT TIME ZONE 'UTC', "
                "'YYYY-MM-DD\"T\"HH24:MI:SS\"Z\"'), to_char(st.latest_end_time AT TIME ZONE "
                "'UTC', 'YYYY-MM-DD\"T\"HH24:MI:SS\"Z\"') FROM pg_subscription s LEFT JOIN "
                "pg_stat_subscription st ON st.subid = s.oid AND st.relid IS NULL WHERE "
                "s.subdbid = (SELECT oid FROM pg_database WHERE datname = current_database()) "
                "AND ? = ANY (s.subpublications) ORDER BY s.subname"),
            {QLatin1String(kPublication)})) {
        *error = RM::failedAt(centre.shown, RM::Step::ReadSubscriptions, centre.error);
        return false;
    }
    out->clear();
    while (q.next()) {
        SiteStatus s;
        s.name = q.value(0).toString();
        s.enabled = q.value(1).toBool();
        s.running = q.value(2).toBool();
        s.tablesCopying = q.value(3).toInt();
        s.receivedLsn = q.value(4).toString();
        s.appliedLsn = q.value(5).toString();
        s.lastMessageUtc = q.value(6).toString();
        s.appliedUtc = q.value(7).toString();
        out->append(s);
    }
    q.finish();
    for (SiteStatus &s : *out)
        s.units = unitsOfSite(centre, s.name);
    if (siteText.isEmpty())
        return true;
    Server site;
    const bool reached = site.open(siteText, RM::siteRole());
    for (SiteStatus &s : *out) {
        if (!reached) {
            s.siteProblem = site.error;
            continue;
        }
        const QVariant behind =
            site.value(QStringLiteral("SELECT pg_current_wal_lsn() - confirmed_flush_lsn FROM "
                                      "pg_replication_slots WHERE slot_name = ?"),
                       {s.name});
        if (!behind.isNull())
            s.behindBytes = behind.toLongLong();
    }
    return true;
}

} // namespace LogReplication
