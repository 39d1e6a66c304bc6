#pragma once

// A throwaway PostgreSQL server for tests and benchmarks: initdb into a temporary folder (as the
// "postgres" user when run as root, since the server refuses root), its Unix socket in that
// folder, TCP on a free local port with a password, stopped and removed at the end.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

class PgServer
{
public:
    static QString binDir() { return QStringLiteral("/usr/lib/postgresql/15/bin"); }
    static bool available() { return QFile::exists(binDir() + QStringLiteral("/initdb")); }

    // A TCP port nothing listens on at the moment.
    static int freePort()
    {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        int port = -1;
        if (::bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0 &&
            ::getsockname(fd, reinterpret_cast<sockaddr *>(&a), &len) == 0)
            port = ntohs(a.sin_port);
        ::close(fd);
        return port;
    }

    ~PgServer() { stop(); }

    // Server settings ("-c wal_level=logical ...") added to the start's own, before setUp().
    void addSettings(const QString &settings) { m_settings += QLatin1Char(' ') + settings; }

    // initdb, start, and a database "qc". False with error().
    bool setUp()
    {
        if (!m_dir.isValid())
            return fail(QStringLiteral("no temporary folder"));
        m_port = freePort();
        if (::geteuid() == 0) {
            const passwd *pw = ::getpwnam("postgres");
            if (!pw || ::chown(qPrintable(m_dir.path()), pw->pw_uid, pw->pw_gid) != 0)
                return fail(QStringLiteral("no postgres user to run the server as"));
            m_asPostgres = true;
        }
        QFile pw(m_dir.filePath(QStringLiteral("pw")));
        if (!pw.open(QIODevice::WriteOnly) || pw.write(password().toUtf8()) < 0)
            return fail(QStringLiteral("cannot write the password file"));
        pw.close();
        chownToServer(pw.fileName());
        if (!run(QStringLiteral("initdb"),
                 {QStringLiteral("-D"), dataDir(), QStringLiteral("-U"), user(),
                  QStringLiteral("--pwfile=") + pw.fileName(), QStringLiteral("--auth-local=trust"),
                  QStringLiteral("--auth-host=scram-sha-256"), QStringLiteral("-E"),
                  QStringLiteral("UTF8"), QStringLiteral("--no-sync")}))
            return false;
        return start() && run(QStringLiteral("createdb"),
                              {QStringLiteral("-h"), socketDir(), QStringLiteral("-p"),
                               QString::number(m_port), QStringLiteral("-U"), user(), database()});
    }

    bool start()
    {
        if (m_running)
            return true;
        m_running =
            run(QStringLiteral("pg_ctl"),
                {QStringLiteral("-D"), dataDir(), QStringLiteral("-w"), QStringLiteral("-l"),
                 m_dir.filePath(QStringLiteral("server.log")), QStringLiteral("-o"),
                 QStringLiteral("-p %1 -k %2 -c listen_addresses=127.0.0.1 "
                                "-c fsync=off -c max_connections=100")
                         .arg(m_port)
                         .arg(socketDir()) +
                     m_settings,
                 QStringLiteral("start")});
        return m_running;
    }

    bool stop()
    {
        if (!m_running)
            return true;
        m_running = !run(QStringLiteral("pg_ctl"),
                         {QStringLiteral("-D"), dataDir(), QStringLiteral("-w"),
                          QStringLiteral("-m"), QStringLiteral("fast"), QStringLiteral("stop")});
        return !m_running;
    }

    // Runs SQL through psql on the socket; the output without alignment.
    QString psql(const QString &sql)
    {
        QString out;
        run(QStringLiteral("psql"),
            {QStringLiteral("-h"), socketDir(), QStringLiteral("-p"), QString::number(m_port),
             QStringLiteral("-U"), user(), QStringLiteral("-d"), database(), QStringLiteral("-At"),
             QStringLiteral("-c"), sql},
            &out);
        return out.trimmed();
    }

    int port() const { return m_port; }
    QString socketDir() const { return m_dir.path(); }
    static QString user() { return QStringLiteral("postgres"); }
    static QString password() { return QStringLiteral("line-secret"); }
    static QString database() { return QStringLiteral("qc"); }
    // Through the Unix socket, trusted.
    QString socketUri() const
    {
        return QStringLiteral("postgresql://%1@/%2?host=%3&port=%4")
            .arg(user(), database(), socketDir())
            .arg(m_port);
    }
    // Over TCP with a password.
    QString tcpUri(const QString &pass = password()) const
    {
        return QStringLiteral("postgresql://%1:%2@127.0.0.1:%3/%4")
            .arg(user(), pass)
            .arg(m_port)
            .arg(database());
    }
    QString error() const { return m_error; }

private:
    QString dataDir() const { return m_dir.filePath(QStringLiteral("data")); }

    bool fail(const QString &e)
    {
        m_error = e;
        return false;
    }

    void chownToServer(const QString &path)
    {
        if (const passwd *pw = m_asPostgres ? ::getpwnam("postgres") : nullptr) [[maybe_unused]]
            const int rc = ::chown(qPrintable(path), pw->pw_uid, pw->pw_gid);
    }

    bool run(const QString &tool, const QStringList &args, QString *out = nullptr)
    {
        QProcess p;
        p.setWorkingDirectory(m_dir.path());
        // The server answers in English, as most do.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("LANGUAGE"));
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        p.setProcessEnvironment(env);
        const QString program = binDir() + QLatin1Char('/') + tool;
        if (m_asPostgres)
            p.start(QStringLiteral("runuser"),
                    QStringList{QStringLiteral("-u"), user(), QStringLiteral("--"), program} +
                        args);
        else
            p.start(program, args);
        if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit ||
            p.exitCode() != 0)
            return fail(tool + QStringLiteral(": ") + QString::fromLocal8Bit(p.readAll()) +
                        QString::fromLocal8Bit(p.readAllStandardError()));
        if (out)
            *out = QString::fromUtf8(p.readAllStandardOutput());
        return true;
    }

    QTemporaryDir m_dir;
    int m_port = -1;
    bool m_asPostgres = false;
    bool m_running = false;
    QString m_settings;
    QString m_error;
};
