#pragma once

class HStatus;
class MainView;
class MeasurementDocument;
class QString;
class QWidget;
class TH_Message;
struct Settings;

// What the main window's command objects ask of the window around them.
class MainShell
{
public:
    virtual int selectedBand() const = 0;
    // Shows `band` in the band list and on the graph's frequency axis.
    virtual void selectBand(int band) = 0;
    // A reading of the curve before must not stand beside a new one.
    virtual void clearReadout() = 0;
    // The caption with a file's path, or the plain one for an empty path.
    virtual void showCaption(const QString &path) = 0;
    // The analysis and the worksheet follow the measurement's curves and the references.
    virtual void curvesChanged() = 0;
    virtual void referencesChanged() = 0;
    // A run locks the menus, the band list and Quit.
    virtual void lockControls() = 0;
    virtual void unlockControls() = 0;
    // The other windows' say before a new measurement replaces the curves they show.
    virtual bool mayStartRun() = 0;
    // The 150 ohm warning is switched on.
    virtual bool warnsAbove150() const = 0;

protected:
    ~MainShell() = default;
};

// The window's parts its command objects share.
struct MainParts {
    QWidget *window = nullptr;
    MeasurementDocument *document = nullptr;
    Settings *settings = nullptr; // an opened data file sets the COM port
    TH_Message *message = nullptr;
    HStatus *status = nullptr;
    MainView *view = nullptr;
    MainShell *shell = nullptr;
};
