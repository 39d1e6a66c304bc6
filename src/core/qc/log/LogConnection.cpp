#include "core/qc/log/LogConnection.h"
#include "core/qc/log/LogQuery.h"

#include "core/qc/log/LogMessages.h"

#include <QAtomicInteger>
#include <QCoreApplication>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <locale.h>

namespace {

const char kSqliteDriver[] = "QSQLITE";
const char kPostgresDriver[] = "QPSQL";
// A server that does not answer, or a table another session holds locked, delays a station
// this long at most; the result waits in the spool meanwhile. libpq takes 2 s at the least.
const int kConnectTimeoutSeconds = 2;
const int kLockTimeoutMs = 2000;
const int kStatementTimeoutMs = 5000;
// A server that vanishes (a pulled cable, a powered-off host) is noticed within about 20 s
// instead of the system's two hours.
const char kKeepalives[] = "keepalives=1;keepalives_idle=10;keepalives_interval=3;"
                           "keepalives_count=3;tcp_user_timeout=20000";
const int kBusyTimeoutMs = 30000;

QString newConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("velo2-qc-%1-%2")
        .arg(QCoreApplication::applicationPid())
        .arg(counter.fetchAndAddRelaxed(1));
}

// libpq's quoting for a value in a connection string.
QString quoted(QString value)
{
    value.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    value.replace(QLatin1Char('\''), QLatin1String("\\'"));
    return QLatin1Char('\'') + value + QLatin1Char('\'');
}

// The driver's options, ';' between them: the log's own time-outs and keepalives first, so
// that the same keywords given in the URI take their place.
QString connectOptions(const LogTarget &target)
{
    QStringList options{QStringLiteral("connect_timeout=%1").arg(kConnectTimeoutSeconds),
                        QLatin1String(kKeepalives)};
    for (const auto &[key, value] : target.options)
        options << key + QLatin1Char('=') + quoted(value);
    return options.join(QLatin1Char(';'));
}

bool contains(const QString &text, const char *what)
{
    return text.contains(QLatin1String(what), Qt::CaseInsensitive);
}

} // namespace

LogConnection::~LogConnection()
{
    close();
}

bool LogConnection::fail(Problem problem, const QString &message)
{
    close();
    m_problem = problem;
    m_message = message;
    return false;
}

bool LogConnection::open(const LogTarget &target, bool readOnly)
{
    close();
    m_target = target;
    m_problem = None;
    m_message.clear();
    if (target.kind == LogTarget::Invalid)
        return fail(BadTarget, target.refusal());
    const bool server = target.isServer();
    const QString driver = QLatin1String(server ? kPostgresDriver : kSqliteDriver);
    if (!QSqlDatabase::isDriverAvailable(driver))
        return fail(NoDriver, LogMessages::driverMissing(
                                  driver, server ? QStringLiteral("libqt6sql6-psql")
                                                 : QStringLiteral("libqt6sql6-sqlite")));
    if (!server && readOnly && !QFileInfo(target.path).isFile())
        return fail(NoFile, LogMessages::noSuchLog(target.path));

    m_name = newConnectionName();
    const QString problem = server ? openServer(target) : openFile(target, readOnly);
    if (problem.isEmpty())
        return true;
    if (server)
        classify(problem);
    else
        fail(CannotOpen, LogMessages::cannotOpenFile(target.path, problem));
    return false;
}

QString LogConnection::openServer(const LogTarget &target)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QLatin1String(kPostgresDriver), m_name);
    db.setDatabaseName(target.database);
    if (!target.host.isEmpty())
        db.setHostName(target.host);
    if (target.port > 0)
        db.setPort(target.port);
    if (!target.user.isEmpty())
        db.setUserName(target.user);
    if (!target.password.isEmpty())
        db.setPassword(target.password);
    db.setConnectOptions(connectOptions(target));
    const EnglishServerMessages english;
    if (!db.open())
        return sqlErrorText(db.lastError());
    // The server's notes ("already exists, skipping") are no news to a station.
    QSqlQuery q(db);
    q.exec(QStringLiteral("SET client_min_messages = warning"));
    // A statement that waits for a lock or a busy server fails instead of hanging the station;
    // "options=-c statement_timeout=..." in the URI sets other limits.
    const QString own = target.option(QStringLiteral("options"));
    if (!own.contains(QLatin1String("lock_timeout")))
        q.exec(QStringLiteral("SET lock_timeout = %1").arg(kLockTimeoutMs));
    if (!own.contains(QLatin1String("statement_timeout")))
        q.exec(QStringLiteral("SET statement_timeout = %1").arg(kStatementTimeoutMs));
    return QString();
}

QString LogConnection::openFile(const LogTarget &target, bool readOnly)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QLatin1String(kSqliteDriver), m_name);
    db.setDatabaseName(target.path);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs);
    if (readOnly)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    db.setConnectOptions(options);
    if (!db.open())
        return sqlErrorText(db.lastError());
    // A file that is not a database only shows itself at the first statement.
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA schema_version")))
        return sqlErrorText(q.lastError());
    if (!readOnly) {
        // Each result is on the disk once record() returns; WAL lets readers go on.
        q.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        q.exec(QStringLiteral("PRAGMA synchronous=FULL"));
    }
    return QString();
}

void LogConnection::classify(const QString &detail)
{
    const QString where = m_target.display();
    const QString firstLine = detail.section(QLatin1Char('\n'), 0, 0).trimmed();
    if (contains(detail, "password authentication failed") ||
        contains(detail, "no password supplied"))
        fail(WrongPassword, LogMessages::wrongPassword(where, m_target.user));
    else if (detail.contains(QLatin1String("FATAL:")))
        // The server answered and said no (no such database or user, too many connections).
        fail(Refused,
             LogMessages::refused(where, detail.section(QLatin1String("FATAL:"), 1).simplified()));
    else
        fail(Unreachable, LogMessages::unreachable(where, firstLine));
}

void LogConnection::close()
{
    if (m_name.isEmpty())
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
    m_name.clear();
}

bool LogConnection::isOpen() const
{
    return !m_name.isEmpty() && QSqlDatabase::database(m_name, false).isOpen();
}

QSqlDatabase LogConnection::db() const
{
    return QSqlDatabase::database(m_name, false);
}

EnglishServerMessages::EnglishServerMessages()
{
    // Only the messages change; "C" also makes gettext ignore LANGUAGE.
    locale_t base = duplocale(uselocale(locale_t(nullptr)));
    if (!base)
        return;
    locale_t c = newlocale(LC_MESSAGES_MASK, "C", base);
    if (!c) {
        freelocale(base);
        return;
    }
    m_locale = c;
    m_previous = uselocale(c);
}

EnglishServerMessages::~EnglishServerMessages()
{
    if (!m_locale)
        return;
    uselocale(static_cast<locale_t>(m_previous));
    freelocale(static_cast<locale_t>(m_locale));
}

bool isPostgres(const QSqlDatabase &db)
{
    return db.driverName() == QLatin1String(kPostgresDriver);
}

bool beginWrite(QSqlDatabase &db)
{
    if (isPostgres(db))
        return db.transaction();
    QSqlQuery q(db);
    return q.exec(QStringLiteral("BEGIN IMMEDIATE"));
}

bool commitWrite(QSqlDatabase &db)
{
    if (isPostgres(db))
        return db.commit();
    QSqlQuery q(db);
    return q.exec(QStringLiteral("COMMIT"));
}

void rollbackWrite(QSqlDatabase &db)
{
    // A connection the server dropped has nothing to roll back.
    if (!db.isOpen())
        return;
    if (isPostgres(db)) {
        db.rollback();
        return;
    }
    QSqlQuery q(db);
    q.exec(QStringLiteral("ROLLBACK"));
}
