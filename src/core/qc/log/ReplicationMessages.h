#pragma once

#include <QString>

// Every text of setting up sites and a centre. English: only the command line sets it up.
namespace ReplicationMessages {

// What was being done when a server said no.
enum class Step {
    ReadVersion,
    Migrate,
    Publish,
    CreateSlot,
    Subscribe,
    DropSubscription,
    DropSlot,
    DropPublication,
    ReadSubscriptions
};
enum class Dropped { Subscription, Slot, Publication };

QString siteRole();
QString centreRole();

QString notAServer(const QString &role, const QString &shown);
QString siteIsCentre(const QString &site, const QString &centre);
QString badName(const QString &name);
QString walLevel(const QString &site, const QString &level);
QString noWalSenders(const QString &site);
QString noFreeSlot(const QString &site, int max);
QString siteNeedsReplication(const QString &site, const QString &user);
QString siteNotOwner(const QString &site, const QString &user, const QString &tables);
QString siteCannotCreate(const QString &site, const QString &user);
QString centreNeedsSuperuser(const QString &centre, const QString &user);
QString newerLog(const QString &where, int version, int known);
QString nameTaken(const QString &site, const QString &existing, const QString &asked);
QString publicationLeft(const QString &site, const QString &publication);
QString slotLeft(const QString &site, const QString &slot);
QString slotInUse(const QString &site, const QString &slot);
QString subscriptionLeft(const QString &centre, const QString &name);
QString unitsLeft(const QString &centre, qint64 units, const QString &name);
QString failedAt(const QString &where, Step step, const QString &detail);
QString undone(const QString &detail);
// What was done, one line each.
QString doneSiteColumn(const QString &name);
QString donePublication(const QString &publication);
QString doneSlot(const QString &slot);
QString doneCentre(const QString &name);
QString doneReplaced(const QString &name, qint64 units);
QString doneDropped(Dropped what, const QString &name);
QString nothingToRemove(const QString &name);
QString noSubscriptions(const QString &centre);

} // namespace ReplicationMessages
