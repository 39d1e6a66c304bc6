#include "app/Seams.h"
#include "app/SingleInstance.h"
#include "app/TFormMain.h"
#include "app/Texts.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    SingleInstance instance;
    if (instance.checkOthers(Seams::messages()).otherRunning || !instance.acquire())
        return 1;

    QApplication::setApplicationName(QString::fromUtf8(Texts::kProgramTitle));
    TFormMain window;
    instance.listen([&window] {
        window.showNormal();
        window.raise();
        window.activateWindow();
    });
    window.show();
    return app.exec();
}
