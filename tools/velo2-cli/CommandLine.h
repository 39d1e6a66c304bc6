#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <QVector>

// The options of one subcommand: parsing, "--help" and the one-line usage errors.
class CommandLine
{
public:
    // synopsis: what follows "velo2-cli <command>" in the usage line; description: what the
    // command does, printed under it by --help.
    CommandLine(const QString &command, const QString &synopsis, const QString &description);

    void addFlag(const QString &name, const QString &help);
    // An option with a value; names like {"o", "output"} give "-o" and "--output".
    void addValue(const QStringList &names, const QString &valueName, const QString &help);
    // A one-letter option written as a long one ("--c"), as its field's symbol reads.
    void addLongValue(const QString &name, const QString &valueName, const QString &help);

    // Parses the arguments that follow the command name. Returns -1 to go on; otherwise the
    // exit code to end with: 0 after printing the help, 2 after a usage message.
    int parse(const QStringList &args);

    bool isSet(const QString &name) const;
    QString value(const QString &name) const;
    QStringList values(const QString &name) const;
    QStringList positional() const;

    // Checks the number of positional arguments; -1 when it is right, else prints the usage
    // message ("missing ..." or "unexpected argument ...") and returns 2.
    int expectPositional(int min, int max, const QString &missingWhat) const;

    // Prints "velo2-cli <command>: <message> (see velo2-cli <command> --help)", returns 2.
    int usageError(const QString &message) const;
    // Prints "velo2-cli <command>: <message>" and returns 1.
    int failure(const QString &message) const;
    // The same for a problem with a file: "velo2-cli <command>: <file>: <problem>".
    int fileFailure(const QString &file, const QString &problem) const;
    void reportFile(const QString &file, const QString &problem) const;

    QString helpText() const;

private:
    struct Entry {
        QStringList names;
        QString valueName;
        QString help;
        bool longForm = false;
    };

    QString prefix() const;

    QString m_command;
    QString m_synopsis;
    QString m_description;
    QVector<Entry> m_entries;
    QCommandLineParser m_parser;
};
