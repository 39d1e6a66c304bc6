#pragma once

#include "core/measure/UnitStation.h"
#include "core/model/RepeatSet.h"
#include "ui/main/MainShell.h"

#include <QObject>
#include <optional>

class QPushButton;
class QTimer;

// The main window's side of a run on the unit station: the start button's two faces, the
// start, each point on the graph and the status line, the end and the watchdog that keeps the
// idle loop turning while the unit is silent. Another window holding the unit locks the
// main window's controls until it lets go.
class MainRun : public QObject
{
    Q_OBJECT
public:
    MainRun(const MainParts &parts, UnitStation &station, QPushButton *startButton,
            QTimer *watchdog, QObject *parent);

    UnitStation &station() const { return m_station; }
    bool measuring() const { return m_measuring != 0; }
    bool finishPending() const { return m_finishPending != 0; }
    int pointsReceived() const { return m_pointsReceived; }

    // ---- the unit and the run, read from the protocol and the run ----
    bool portOpen() const;
    bool unitSession() const;
    bool unitIsHKA() const;
    QString unitVersion() const;
    bool watchdogExpired() const; // the run has heard nothing for its watchdog time

    void MStartBtnClick();
    void MenuMeasure_StartClick();
    // Repeated sweeps: `sweeps` runs of the band one after the other, their complex mean the
    // measurement when the last ends or Stop ends the set early (then marked partial).
    void startRepeats(int sweeps);
    // The set being measured, if any.
    const RepeatSet *repeatSet() const { return m_repeat ? &*m_repeat : nullptr; }
    // One pass of the idle loop: the next step of a run, then the end of a finished one.
    void idleStep();
    void mStopUnit();
    // Closing: whatever runs on the unit, here or in another window, stops once.
    void mStopAllRuns();
    // The window is going: what the station says from now on is for the other windows.
    void detach();

private:
    bool mStartMeasure();
    bool mStartSequence();
    // The next sweep of a set; false when it could not start.
    bool startNextSweep();
    // The sweep just ended or stopped joins the set.
    void addSweep();
    // The set ends: its mean becomes the measurement (nothing for an empty set).
    void endRepeats();
    void mAcquireStep();
    void mErrorEnd(); // silence, a damaged point, wrong end mark, device gone
    void mFinishRun();
    void mStartWatchdog(int ms);
    void mStopWatchdog();
    void Timer1Timer();
    void holderChanged(const QString &holder);
    void setStartCaption(bool start);

    // Sets a run's progress for tests of the window's drawing in the middle of a run.
    friend struct MainRunProbe;

    MainParts m_parts;
    UnitStation &m_station;
    QPushButton *m_startButton;
    QTimer *m_watchdog;
    UnitLease m_lease;            // held from a start to the run's end
    bool m_lockedByOther = false; // controls locked while another window measures
    quint8 m_measuring = 0;
    quint8 m_finishPending = 0;
    int m_pointsReceived = 0; // points of the current run stored so far
    std::optional<RepeatSet> m_repeat;
};
