#include "CliIo.h"
#include "CliJson.h"
#include "CliMessages.h"
#include "CommandLine.h"
#include "Commands.h"
#include "core/qc/log/LogReplication.h"
#include "core/qc/log/ReplicationMessages.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

QJsonObject statusJson(const LogReplication::SiteStatus &s)
{
    QJsonObject o{{QStringLiteral("site"), s.name},
                  {QStringLiteral("enabled"), s.enabled},
                  {QStringLiteral("running"), s.running},
                  {QStringLiteral("tablesCopying"), s.tablesCopying},
                  {QStringLiteral("units"), double(s.units)},
                  {QStringLiteral("receivedLsn"), s.receivedLsn},
                  {QStringLiteral("appliedLsn"), s.appliedLsn},
                  {QStringLiteral("lastMessageUtc"), s.lastMessageUtc},
                  {QStringLiteral("appliedUtc"), s.appliedUtc}};
    o.insert(QStringLiteral("behindBytes"),
             s.behindBytes >= 0 ? QJsonValue(double(s.behindBytes)) : QJsonValue());
    if (!s.siteProblem.isEmpty())
        o.insert(QStringLiteral("siteProblem"), s.siteProblem);
    return o;
}

void printStatusTable(const QVector<LogReplication::SiteStatus> &sites)
{
    QVector<QStringList> rows{CliMessages::qcReplicateStatusHeader()};
    for (const auto &s : sites)
        rows.append({s.name,
                     CliMessages::qcReplicateState(s.enabled, s.running, s.tablesCopying > 0),
                     QString::number(s.units),
                     s.receivedLsn.isEmpty() ? QStringLiteral("-") : s.receivedLsn,
                     s.appliedLsn.isEmpty() ? QStringLiteral("-") : s.appliedLsn,
                     s.lastMessageUtc.isEmpty() ? QStringLiteral("-") : s.lastMessageUtc,
                     s.behindBytes >= 0 ? QString::number(s.behindBytes) : QStringLiteral("-")});
    QVector<int> widths(rows.first().size(), 0);
    for (const QStringList &row : rows)
        for (int i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], int(row[i].size()));
    for (const QStringList &row : rows) {
        QStringList cells;
        for (int i = 0; i < row.size(); ++i)
            cells << row[i].leftJustified(widths[i]);
        printOut(cells.join(QStringLiteral("  ")).trimmed());
    }
    for (const auto &s : sites)
        if (!s.siteProblem.isEmpty())
            printOut(s.name + QStringLiteral(": ") + s.siteProblem);
}

} // namespace

int runQcReplicate(const QStringList &args)
{
    CommandLine cl(QStringLiteral("qc replicate"),
                   QStringLiteral("--site URL --centre URL [--name SITE] [--replace] | --status "
                                  "--centre URL [--site URL] [--json] | --remove --name SITE "
                                  "--centre URL [--site URL]"),
                   CliMessages::qcReplicateDescription());
    cl.addValue({QStringLiteral("site")}, QStringLiteral("URL"),
                CliMessages::qcReplicateSiteHelp());
    cl.addValue({QStringLiteral("centre")}, QStringLiteral("URL"),
                CliMessages::qcReplicateCentreHelp());
    cl.addValue({QStringLiteral("name")}, QStringLiteral("SITE"),
                CliMessages::qcReplicateNameHelp());
    cl.addFlag(QStringLiteral("replace"), CliMessages::qcReplicateReplaceHelp());
    cl.addFlag(QStringLiteral("status"), CliMessages::qcReplicateStatusHelp());
    cl.addFlag(QStringLiteral("remove"), CliMessages::qcReplicateRemoveHelp());
    cl.addFlag(QStringLiteral("json"), CliMessages::jsonHelp());
    if (const int code = cl.parse(args); code >= 0)
        return code;
    if (const int code = cl.expectPositional(0, 0, QString()); code >= 0)
        return code;
    if (!cl.isSet(QStringLiteral("centre")))
        return cl.usageError(CliMessages::missingArgument(QStringLiteral("--centre URL")));
    const bool status = cl.isSet(QStringLiteral("status"));
    const bool remove = cl.isSet(QStringLiteral("remove"));
    if (status && remove)
        return cl.usageError(
            CliMessages::optionsExclusive(QStringLiteral("--status"), QStringLiteral("--remove")));
    if (cl.isSet(QStringLiteral("replace")) && (status || remove))
        return cl.usageError(CliMessages::optionsExclusive(QStringLiteral("--replace"),
                                                           status ? QStringLiteral("--status")
                                                                  : QStringLiteral("--remove")));
    const QString name = cl.value(QStringLiteral("name"));
    if (!name.isEmpty() && !LogReplication::validSiteName(name))
        return cl.usageError(ReplicationMessages::badName(name));
    const QString centre = cl.value(QStringLiteral("centre"));
    const QString site = cl.value(QStringLiteral("site"));
    QString problem;

    if (status) {
        QVector<LogReplication::SiteStatus> sites;
        if (!LogReplication::status(centre, site, &sites, &problem))
            return cl.failure(problem);
        if (cl.isSet(QStringLiteral("json"))) {
            QJsonArray list;
            for (const auto &s : sites)
                list.append(statusJson(s));
            printJson(QJsonObject{{QStringLiteral("sites"), list}});
        } else {
            printStatusTable(sites);
        }
        return finishOutput() ? ExitOk : ExitFailed;
    }
    if (cl.isSet(QStringLiteral("json")))
        return cl.usageError(CliMessages::qcReplicateJsonOnlyStatus());

    QStringList done;
    if (remove) {
        if (name.isEmpty())
            return cl.usageError(CliMessages::missingArgument(QStringLiteral("--name SITE")));
        if (!LogReplication::remove(centre, site, name, &done, &problem))
            return cl.failure(problem);
        printOut(done.join(QLatin1Char('\n')));
        return finishOutput() ? ExitOk : ExitFailed;
    }

    if (site.isEmpty())
        return cl.usageError(CliMessages::missingArgument(QStringLiteral("--site URL")));
    LogReplication::Request request{site, centre, name, cl.isSet(QStringLiteral("replace"))};
    if (!LogReplication::setUp(request, &done, &problem))
        return cl.failure(problem);
    printOut(done.join(QLatin1Char('\n')));
    return finishOutput() ? ExitOk : ExitFailed;
}
