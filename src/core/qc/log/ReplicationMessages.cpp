#include "core/qc/log/ReplicationMessages.h"

namespace ReplicationMessages {

QString siteRole()
{
    return QStringLiteral("site");
}
QString centreRole()
{
    return QStringLiteral("centre");
}

QString notAServer(const QString &role, const QString &shown)
{
    return QStringLiteral("the %1 %2 is not a PostgreSQL server: replication needs "
                          "postgresql://user@host/db")
        .arg(role, shown);
}
QString siteIsCentre(const QString &site, const QString &centre)
{
    return QStringLiteral("the site %1 and the centre %2 are the same database on the same "
                          "server: a site cannot replicate to itself; give the centre's own "
                          "database")
        .arg(site, centre);
}
QString badName(const QString &name)
{
    return QStringLiteral("'%1' cannot name a site: use a lower-case letter, then lower-case "
                          "letters, digits or '_' (at most 40)")
        .arg(name);
}
QString walLevel(const QString &site, const QString &level)
{
    return QStringLiteral("the site %1 runs with wal_level = %2; logical replication needs "
                          "wal_level = logical: as a superuser run ALTER SYSTEM SET wal_level = "
                          "logical (or set it in postgresql.conf) and restart the server")
        .arg(site, level);
}
QString noWalSenders(const QString &site)
{
    return QStringLiteral("the site %1 allows no replication connections (max_wal_senders = "
                          "0): set max_wal_senders to 10 and restart the server")
        .arg(site);
}
QString noFreeSlot(const QString &site, int max)
{
    return QStringLiteral("every replication slot of the site %1 is taken (max_replication_slots "
                          "= %2): raise max_replication_slots and restart the server, or drop a "
                          "slot no longer used (SELECT pg_drop_replication_slot('NAME'))")
        .arg(site)
        .arg(max);
}
QString siteNeedsReplication(const QString &site, const QString &user)
{
    return QStringLiteral("the role %2 of the site %1 may not replicate: as a superuser run "
                          "ALTER ROLE %2 REPLICATION")
        .arg(site, user);
}
QString siteNotOwner(const QString &site, const QString &user, const QString &tables)
{
    return QStringLiteral("the role %2 of the site %1 does not own the results tables (%3): "
                          "connect as their owner or a superuser")
        .arg(site, user, tables);
}
QString siteCannotCreate(const QString &site, const QString &user)
{
    return QStringLiteral("the role %2 may not create a publication in the site's database %1: "
                          "as its owner run GRANT CREATE ON DATABASE ... TO %2")
        .arg(site, user);
}
QString centreNeedsSuperuser(const QString &centre, const QString &user)
{
    return QStringLiteral("the role %2 of the centre %1 may not create subscriptions: connect "
                          "as a superuser (on PostgreSQL 16 and later a member of "
                          "pg_create_subscription with CREATE on the database will do)")
        .arg(centre, user);
}
QString newerLog(const QString &where, int version, int known)
{
    return QStringLiteral("the results log %1 is of version %2, newer than this program's %3: "
                          "update velo2-cli")
        .arg(where)
        .arg(version)
        .arg(known);
}
QString nameTaken(const QString &site, const QString &existing, const QString &asked)
{
    return QStringLiteral("the site %1 was named '%2' when it was first set up, not '%3': give "
                          "--name %2")
        .arg(site, existing, asked);
}
QString publicationLeft(const QString &site, const QString &publication)
{
    return QStringLiteral("the site %1 has a publication %2 left from an earlier run: drop it "
                          "(DROP PUBLICATION %2) or give --replace")
        .arg(site, publication);
}
QString slotLeft(const QString &site, const QString &slot)
{
    return QStringLiteral("the site %1 has a replication slot %2 left from an earlier run: drop "
                          "it (SELECT pg_drop_replication_slot('%2')) or give --replace")
        .arg(site, slot);
}
QString slotInUse(const QString &site, const QString &slot)
{
    return QStringLiteral("the replication slot %2 of the site %1 is in use by another server: "
                          "remove that subscription first, or give the site another --name")
        .arg(site, slot);
}
QString subscriptionLeft(const QString &centre, const QString &name)
{
    return QStringLiteral("the centre %1 has a subscription %2 already: remove it (velo2-cli qc "
                          "replicate --remove --name %2 --centre URL) or give --replace")
        .arg(centre, name);
}
QString unitsLeft(const QString &centre, qint64 units, const QString &name)
{
    return QStringLiteral("the centre %1 holds %2 units of the site '%3' from an earlier run: "
                          "give --replace to remove them and copy the site again")
        .arg(centre)
        .arg(units)
        .arg(name);
}
QString failedAt(const QString &where, Step step, const QString &detail)
{
    QString doing;
    switch (step) {
    case Step::ReadVersion:
        doing = QStringLiteral("reading the log's version");
        break;
    case Step::Migrate:
        doing = QStringLiteral("bringing the log up to date");
        break;
    case Step::Publish:
        doing = QStringLiteral("publishing the results tables");
        break;
    case Step::CreateSlot:
        doing = QStringLiteral("creating the replication slot");
        break;
    case Step::Subscribe:
        doing = QStringLiteral("subscribing to the site");
        break;
    case Step::DropSubscription:
        doing = QStringLiteral("dropping the subscription");
        break;
    case Step::DropSlot:
        doing = QStringLiteral("dropping the replication slot");
        break;
    case Step::DropPublication:
        doing = QStringLiteral("dropping the publication");
        break;
    case Step::ReadSubscriptions:
        doing = QStringLiteral("reading the subscriptions");
        break;
    }
    return QStringLiteral("%1: %2 failed: %3").arg(where, doing, detail);
}
QString undone(const QString &detail)
{
    return QStringLiteral("%1; what was set up at the site is undone").arg(detail);
}
QString doneSiteColumn(const QString &name)
{
    return QStringLiteral("site: its results carry the site name '%1'").arg(name);
}
QString donePublication(const QString &publication)
{
    return QStringLiteral("site: publication %1 of the results tables").arg(publication);
}
QString doneSlot(const QString &slot)
{
    return QStringLiteral("site: replication slot %1").arg(slot);
}
QString doneCentre(const QString &name)
{
    return QStringLiteral("centre: subscription %1, copying the site's results").arg(name);
}
QString doneReplaced(const QString &name, qint64 units)
{
    return QStringLiteral("centre: %2 earlier units of '%1' removed, to be copied again")
        .arg(name)
        .arg(units);
}
QString doneDropped(Dropped what, const QString &name)
{
    const QString kind = what == Dropped::Subscription ? QStringLiteral("centre: subscription")
                         : what == Dropped::Slot       ? QStringLiteral("site: replication slot")
                                                       : QStringLiteral("site: publication");
    return QStringLiteral("%1 %2 dropped").arg(kind, name);
}
QString nothingToRemove(const QString &name)
{
    return QStringLiteral("nothing named '%1' to remove").arg(name);
}
QString noSubscriptions(const QString &centre)
{
    return QStringLiteral("the centre %1 subscribes to no site").arg(centre);
}

} // namespace ReplicationMessages
