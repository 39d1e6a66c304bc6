#include "ui/main/ProgramOptions.h"

#include "ui/common/Texts.h"

ProgramOptions readProgramOptions(const QStringList &args)
{
    ProgramOptions options;
    bool optionsEnd = false;
    for (const QString &arg : args) {
        if (!optionsEnd && arg == QLatin1String("--")) {
            optionsEnd = true;
        } else if (!optionsEnd && (arg == QLatin1String("--help") || arg == QLatin1String("-h"))) {
            options.action = ProgramOptions::Action::Help;
            return options;
        } else if (!optionsEnd && arg == QLatin1String("--version")) {
            options.action = ProgramOptions::Action::Version;
            return options;
        } else if (!optionsEnd && arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            options.action = ProgramOptions::Action::Usage;
            options.problem =
                QStringLiteral("velo2: unknown option %1 (see velo2 --help)").arg(arg);
        } else if (options.file.isEmpty()) {
            options.file = arg; // a file manager passes one; the rest are left alone
        }
    }
    return options;
}

QString programHelp()
{
    return QStringLiteral(
        "Usage: velo2 [FILE]\n"
        "\n"
        "Measures the impedance of loudspeakers with an HK-A2 or HK-A unit and shows it as a\n"
        "graph. FILE is a data file (*.DTA), another tool's impedance table (ZMA, FRD, text)\n"
        "or a workspace (*.velo2ws) to open at start.\n"
        "\n"
        "Options:\n"
        "  -h, --help   show this help and exit\n"
        "  --version    show the version and exit\n"
        "\n"
        "velo2-cli works with the same files on the command line, without a window.\n");
}

QString programVersion()
{
    return QStringLiteral("velo2 %1\n").arg(QString::fromUtf8(Texts::kVersion));
}
