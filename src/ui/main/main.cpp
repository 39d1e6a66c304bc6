#include "core/measure/StopSignals.h"
#include "ui/common/QtTranslation.h"
#include "ui/common/Seams.h"
#include "ui/common/Texts.h"
#include "ui/main/GuardedApplication.h"
#include "ui/main/SignalClose.h"
#include "ui/main/SingleInstance.h"
#include "ui/main/TFormMain.h"

int main(int argc, char *argv[])
{
    // Before the application starts any thread, so that every thread leaves them blocked.
    StopSignals stopSignals;
    stopSignals.endAfterGrace(10000);
    GuardedApplication app(argc, argv);
    return app.run([&app, &stopSignals] {
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
        const QStringList args = QApplication::arguments();
        if (args.size() > 1)
            window.openAtStart(args.at(1));
        window.show();
        return app.exec();
    });
}
