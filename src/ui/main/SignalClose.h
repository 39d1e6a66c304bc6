#pragma once

#include <QObject>

class QSocketNotifier;
class StopSignals;
class TFormMain;

// SIGTERM, SIGHUP and Ctrl-C (a logout, a closed terminal) close the main window as its
// close box does, so a running unit is told to stop and the settings are saved; a
// measurement that was not saved is kept in a recovery file first. Then the program ends.
class SignalClose : public QObject
{
public:
    SignalClose(StopSignals &stop, TFormMain &window);

private:
    void onSignal();
    StopSignals &m_signals;
    TFormMain &m_window;
    QSocketNotifier *m_notifier = nullptr;
};
