#pragma once

// The real main window with the unit simulator linked as COM3 in a private settings directory.
// Everything is driven as a user drives it: the band list, the start button, the menus.

#include "RecordingPresenter.h"
#include "SimulatedUnit.h"
#include "WaitIdle.h"
#include "core/files/AppPaths.h"
#include "core/model/BandTable.h"
#include "ui/common/TStatusBar.h"
#include "ui/main/MainRun.h"
#include "ui/main/TFormMain.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

class MeasureBench
{
public:
    static constexpr int kComPort = 3;

    MeasureBench()
    {
        setSettingsDirectoryOverride(dir.path());
        win = std::make_unique<TFormMain>();
        win->show();
        // The settings are read on the first idle pass; the port number is set after it.
        waitUntil([this] { return !win->initPending(); });
        win->preferences().settings.comPort = kComPort;
    }
    ~MeasureBench()
    {
        win.reset(); // closes the port before the simulator goes
        sim.stop();
        setSettingsDirectoryOverride(QString());
    }

    QString comLink() const { return dir.filePath(QStringLiteral("COM%1").arg(kComPort)); }
    bool startSim(const QStringList &args) { return sim.start(comLink(), args); }

    QString panel(int i) const
    {
        return win->findChild<TStatusBar *>("StatusBar1")->panel(i)->text();
    }
    QString caption() const { return win->findChild<QPushButton *>("MStartBtn")->text(); }

    void chooseBand(int band)
    {
        QComboBox *combo = win->findChild<QComboBox *>("ComboBox2");
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Home);
        for (int i = 1; i < band; ++i)
            QTest::keyClick(combo, Qt::Key_Down);
    }
    void clickStart()
    {
        QTest::mouseClick(win->findChild<QPushButton *>("MStartBtn"), Qt::LeftButton);
    }

    // True when every control a run locks is in the given state (the start button is
    // enabled either way).
    bool controlsEnabled(bool enabled) const
    {
        for (QMenu *m :
             {win->findChild<QMenu *>("MenuFile"), win->findChild<QMenu *>("MenuMeasure"),
              win->findChild<QMenu *>("MenuGraph"), win->findChild<QMenu *>("MenuRef"),
              win->findChild<QMenu *>("MenuSet"), win->findChild<QMenu *>("MenuHelp")})
            if (m->menuAction()->isEnabled() != enabled)
                return false;
        return win->findChild<QPushButton *>("QuitBtn")->isEnabled() == enabled &&
               win->findChild<QComboBox *>("ComboBox2")->isEnabled() == enabled &&
               win->findChild<QPushButton *>("MStartBtn")->isEnabled();
    }
    bool idleAgain() const
    {
        return !win->run().measuring() && !win->run().finishPending() &&
               caption() == QStringLiteral("測定開始") && controlsEnabled(true);
    }
    // Waits for the end of a run through the real event loop.
    bool waitForRunEnd(int timeoutMs = 20000)
    {
        return waitUntil([this] { return !win->run().measuring() && !win->run().finishPending(); },
                         timeoutMs);
    }
    // A whole run of `band` with the start button; true when it ended with a valid record.
    bool measure(int band, int timeoutMs = 20000)
    {
        chooseBand(band);
        clickStart();
        return waitForRunEnd(timeoutMs) && win->document().measurement().valid == 1;
    }
    // Commands the simulator received after the n-th one.
    QStringList commandsAfter(int n) { return sim.commands().mid(n); }

    QTemporaryDir dir;
    ScopedRecorder recorder;
    SimulatedUnit sim;
    std::unique_ptr<TFormMain> win;
};

// The texts of the start sequence, as the simulator logs them.
inline QStringList startCommands(const QString &bandCommand)
{
    return {"?", "U?", "ME", "U?", "V?", "SN?", "M?", bandCommand};
}
