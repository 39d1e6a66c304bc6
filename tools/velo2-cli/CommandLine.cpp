#include "CommandLine.h"

#include "CliIo.h"
#include "CliMessages.h"

namespace {

QString dashed(const QString &name)
{
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

} // namespace

CommandLine::CommandLine(const QString &command, const QString &synopsis,
                         const QString &description)
    : m_command(command), m_synopsis(synopsis), m_description(description)
{
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    m_parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    addFlag(QStringLiteral("help"), CliMessages::helpOptionHelp());
}

void CommandLine::addFlag(const QString &name, const QString &help)
{
    QStringList names{name};
    if (name == QLatin1String("help"))
        names.prepend(QStringLiteral("h"));
    m_parser.addOption(QCommandLineOption(names, help));
    m_entries.append({names, QString(), help});
}

void CommandLine::addValue(const QStringList &names, const QString &valueName, const QString &help)
{
    m_parser.addOption(QCommandLineOption(names, help, valueName));
    m_entries.append({names, valueName, help});
}

void CommandLine::addLongValue(const QString &name, const QString &valueName, const QString &help)
{
    m_parser.addOption(QCommandLineOption(name, help, valueName));
    m_entries.append({{name}, valueName, help, true});
}

QString CommandLine::prefix() const
{
    return CliMessages::program() + QLatin1Char(' ') + m_command + QStringLiteral(": ");
}

int CommandLine::parse(const QStringList &args)
{
    // The parser takes the first argument for the program's name.
    if (!m_parser.parse(QStringList{m_command} + args)) {
        const QStringList unknown = m_parser.unknownOptionNames();
        if (!unknown.isEmpty())
            return usageError(CliMessages::unknownOption(dashed(unknown.first())));
        QString text = m_parser.errorText();
        if (text.endsWith(QLatin1Char('.')))
            text.chop(1);
        if (!text.isEmpty())
            text[0] = text[0].toLower();
        return usageError(text);
    }
    if (m_parser.isSet(QStringLiteral("help"))) {
        printOut(helpText());
        return finishOutput() ? ExitOk : ExitFailed;
    }
    return -1;
}

bool CommandLine::isSet(const QString &name) const
{
    return m_parser.isSet(name);
}

QString CommandLine::value(const QString &name) const
{
    return m_parser.value(name);
}

QStringList CommandLine::values(const QString &name) const
{
    return m_parser.values(name);
}

QStringList CommandLine::positional() const
{
    return m_parser.positionalArguments();
}

int CommandLine::expectPositional(int min, int max, const QString &missingWhat) const
{
    const QStringList args = positional();
    if (args.size() < min)
        return usageError(CliMessages::missingArgument(missingWhat));
    if (max >= 0 && args.size() > max)
        return usageError(CliMessages::unexpectedArgument(args.at(max)));
    return -1;
}

int CommandLine::usageError(const QString &message) const
{
    printErr(prefix() + message + QStringLiteral(" (") +
             CliMessages::seeHelp(CliMessages::program() + QLatin1Char(' ') + m_command) +
             QLatin1Char(')'));
    return ExitUsage;
}

int CommandLine::failure(const QString &message) const
{
    printErr(prefix() + message);
    return ExitFailed;
}

void CommandLine::reportFile(const QString &file, const QString &problem) const
{
    printErr(prefix() + file + QStringLiteral(": ") + problem);
}

int CommandLine::fileFailure(const QString &file, const QString &problem) const
{
    reportFile(file, problem);
    return ExitFailed;
}

QString CommandLine::helpText() const
{
    QStringList lines;
    lines << CliMessages::usagePrefix() + CliMessages::program() + QLatin1Char(' ') + m_command +
                 QLatin1Char(' ') + m_synopsis;
    lines << QString();
    lines << m_description;
    lines << QString();
    lines << CliMessages::optionsHeading();
    QVector<QString> left;
    int width = 0;
    for (const Entry &e : m_entries) {
        QStringList shown;
        for (const QString &n : e.names)
            shown << (e.longForm ? QStringLiteral("--") + n : dashed(n));
        QString text = shown.join(QStringLiteral(", "));
        if (!e.valueName.isEmpty())
            text += QLatin1Char(' ') + e.valueName;
        left.append(text);
        width = std::max(width, int(text.size()));
    }
    for (int i = 0; i < m_entries.size(); ++i)
        lines << QStringLiteral("  ") + left[i].leftJustified(width + 2) + m_entries[i].help;
    return lines.join(QLatin1Char('\n'));
}
