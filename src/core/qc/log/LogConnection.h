#pragma once

#include "core/qc/log/LogTarget.h"

#include <QSqlDatabase>
#include <QString>

// One Qt SQL connection of its own name, so that every object, thread and process talks to the
// database through its own connection. The name is removed again when the object goes.
class LogConnection
{
public:
    enum Problem {
        None,
        BadTarget,
        NoDriver,
        NoFile,
        CannotOpen,
        Unreachable,
        WrongPassword,
        Refused
    };

    LogConnection() = default;
    ~LogConnection();
    LogConnection(const LogConnection &) = delete;
    LogConnection &operator=(const LogConnection &) = delete;

    // readOnly: an SQLite file must exist and is not changed.
    bool open(const LogTarget &target, bool readOnly = false);
    void close();
    bool isOpen() const;
    QSqlDatabase db() const;
    const LogTarget &target() const { return m_target; }

    Problem problem() const { return m_problem; }
    QString message() const { return m_message; }

private:
    bool fail(Problem problem, const QString &message);
    void classify(const QString &detail);
    // The problem's text, empty when the connection is open.
    QString openServer(const LogTarget &target);
    QString openFile(const LogTarget &target, bool readOnly);

    LogTarget m_target;
    QString m_name;
    Problem m_problem = None;
    QString m_message;
};

// libpq words its errors in the user's language (LANGUAGE, LC_MESSAGES); while one of these
// lives, the calling thread gets them in English, which the log can tell apart and shows as
// the rest of its messages.
class EnglishServerMessages
{
public:
    EnglishServerMessages();
    ~EnglishServerMessages();
    EnglishServerMessages(const EnglishServerMessages &) = delete;
    EnglishServerMessages &operator=(const EnglishServerMessages &) = delete;

private:
    void *m_locale = nullptr;
    void *m_previous = nullptr;
};

// Transactions that take the write lock at once: two stations starting on one SQLite file
// then wait for each other instead of failing on a lock upgrade.
bool beginWrite(QSqlDatabase &db);
bool commitWrite(QSqlDatabase &db);
void rollbackWrite(QSqlDatabase &db);
bool isPostgres(const QSqlDatabase &db);
