#include "core/measure/StopSignals.h"
#include "ui/common/QtTranslation.h"
#include "ui/common/Seams.h"
#include "ui/common/Texts.h"
#include "ui/main/GuardedApplication.h"
#include "ui/main/ProgramOptions.h"
#include "ui/main/SignalClose.h"
#include "ui/main/SingleInstance.h"
#include "ui/main/TFormMain.h"

#include <cstdio>

namespace {

// --help and --version are answered before the application starts: no display is needed.
int printAndEnd(const QString &text, FILE *stream, int code)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    return std::fflush(stream) == 0 ? code : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList raw;
    for (int i = 1; i < argc; ++i)
        raw << QString::fromLocal8Bit(argv[i]);
    const ProgramOptions early = readProgramOptions(raw);
    if (early.action == ProgramOptions::Action::Help)
        return printAndEnd(programHelp(), stdout, 0);
    if (early.action == ProgramOptions::Action::Version)
        return printAndEnd(programVersion(), stdout, 0);

    // Before the application starts any thread, so that every thread leaves them blocked.
    StopSignals stopSignals;
    stopSignals.endAfterGrace(10000);
    GuardedApplication app(argc, argv);
    // Qt has taken its own options (-platform …) out by now.
    const ProgramOptions options = readProgramOptions(QApplication::arguments().mid(1));
    if (options.action == ProgramOptions::Action::Usage)
        return printAndEnd(options.problem + QLatin1Char('\n'), stderr, 2);
    return app.run([&app, &stopSignals, &options] {
        // The settings directory and the language file in it go by the application name.
        QApplication::setApplicationName(QString::fromUtf8(Texts::kProgramTitle));
        installTranslations(startLanguage());
        SingleInstance instance;
        if (instance.checkOthers(Seams::messages()).otherRunning || !instance.acquire())
            return 1;

        TFormMain window;
        new SignalClose(stopSignals, window);
        instance.listen([&window] {
            window.showNormal();
            window.raise();
            window.activateWindow();
        });
        // A data file named on the command line (a double-click in a file manager).
        if (!options.file.isEmpty())
            window.openAtStart(options.file);
        window.show();
        return app.exec();
    });
}
