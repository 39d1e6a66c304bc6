#include "CliIo.h"
#include "CliMessages.h"
#include "Commands.h"
#include "core/model/ProgramName.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <memory>

namespace {

// Qt's own notes (missing runtime folders, font warnings) would mix with the diagnostics
// scripts read; the tool reports its own problems.
void quietQtMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg)
        printErr(message);
}

int overallHelp(bool toStdout)
{
    int count = 0;
    const Command *list = commands(&count);
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << QString::fromLatin1(list[i].name);
    const QString text = CliMessages::overallHelp(names);
    if (!toStdout) {
        printErr(text);
        return ExitUsage;
    }
    printOut(text);
    return finishOutput() ? ExitOk : ExitFailed;
}

} // namespace

int main(int argc, char *argv[])
{
    qInstallMessageHandler(quietQtMessages);
    const Command *command = argc > 1 ? findCommand(QString::fromLocal8Bit(argv[1])) : nullptr;

    // Drawing needs a GUI application but never a display: without a chosen platform the
    // picture is made off screen, so a missing or unreachable X server cannot stop it.
    std::unique_ptr<QCoreApplication> app;
    if (command && command->needsGui) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    // The program's name: an installed tool then finds its COMn entries in the program's own
    // settings directory.
    QCoreApplication::setApplicationName(QString::fromUtf8(kProgramName));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELO2_VERSION));

    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty())
        return overallHelp(false);
    const QString first = args.takeFirst();
    if (command)
        return command->run(args);
    if (first == QLatin1String("--help") || first == QLatin1String("-h"))
        return overallHelp(true);
    if (first == QLatin1String("help")) {
        if (args.isEmpty())
            return overallHelp(true);
        const Command *asked = findCommand(args.first());
        if (!asked) {
            printErr(CliMessages::program() + QStringLiteral(": ") +
                     CliMessages::unknownCommand(args.first()));
            return ExitUsage;
        }
        // A command's help is printed before anything else it does, so no GUI is needed.
        return asked->run({QStringLiteral("--help")});
    }
    if (first == QLatin1String("--version")) {
        printOut(CliMessages::program() + QLatin1Char(' ') + QStringLiteral(VELO2_VERSION));
        return finishOutput() ? ExitOk : ExitFailed;
    }
    printErr(CliMessages::program() + QStringLiteral(": ") + CliMessages::unknownCommand(first) +
             QStringLiteral(" (") + CliMessages::seeHelp(CliMessages::program()) +
             QLatin1Char(')'));
    return ExitUsage;
}
