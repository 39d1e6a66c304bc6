#include "core/qc/log/LogTarget.h"

#include <QUrl>
#include <QUrlQuery>

namespace {

bool isPostgresScheme(const QString &scheme)
{
    return scheme == QLatin1String("postgresql") || scheme == QLatin1String("postgres");
}

} // namespace

QString LogTarget::display() const
{
    switch (kind) {
    case SQLite:
        return path;
    case PostgreSQL: {
        QString text = QStringLiteral("postgresql://");
        if (!user.isEmpty())
            text += user + QLatin1Char('@');
        if (!host.startsWith(QLatin1Char('/')))
            text += host;
        if (port > 0)
            text += QLatin1Char(':') + QString::number(port);
        text += QLatin1Char('/') + database;
        if (host.startsWith(QLatin1Char('/')))
            text += QStringLiteral("?host=") + host;
        return text;
    }
    case Invalid:
        break;
    }
    return text;
}

LogTarget parseLogTarget(const QString &text)
{
    LogTarget t;
    t.text = text;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return t;
    const int colon = trimmed.indexOf(QLatin1Char(':'));
    const QString scheme = colon > 0 ? trimmed.left(colon).toLower() : QString();
    // Anything without "scheme://" is a path, even "C:..." or "a:b.sqlite".
    if (colon <= 0 || !trimmed.mid(colon).startsWith(QLatin1String("://"))) {
        t.kind = LogTarget::SQLite;
        t.path = trimmed;
        return t;
    }
    if (!isPostgresScheme(scheme))
        return t;
    const QUrl url(trimmed, QUrl::StrictMode);
    if (!url.isValid())
        return t;
    t.user = url.userName(QUrl::FullyDecoded);
    t.password = url.password(QUrl::FullyDecoded);
    t.host = url.host(QUrl::FullyDecoded);
    t.port = url.port(-1);
    t.database = url.path(QUrl::FullyDecoded).mid(1);
    const QUrlQuery query(url);
    if (query.hasQueryItem(QStringLiteral("host")))
        t.host = query.queryItemValue(QStringLiteral("host"), QUrl::FullyDecoded);
    if (query.hasQueryItem(QStringLiteral("port"))) {
        bool ok = false;
        t.port = query.queryItemValue(QStringLiteral("port")).toInt(&ok);
        if (!ok) {
            t.port = -1;
            return t;
        }
    }
    if (query.hasQueryItem(QStringLiteral("user")))
        t.user = query.queryItemValue(QStringLiteral("user"), QUrl::FullyDecoded);
    if (query.hasQueryItem(QStringLiteral("password")))
        t.password = query.queryItemValue(QStringLiteral("password"), QUrl::FullyDecoded);
    if (t.database.isEmpty() || t.database.contains(QLatin1Char('/')) ||
        (t.port != -1 && (t.port <= 0 || t.port > 65535)))
        return t;
    t.kind = LogTarget::PostgreSQL;
    return t;
}
