#include "ui/main/TFormMain.h"

#include "core/measure/UnitStation.h"
#include "ui/analysis/TFormWorksheet.h"
#include "ui/main/MainFileCommands.h"
#include "ui/main/MainRun.h"

// The unit station and the run as the main window owns them.

bool TFormMain::mCreatePort()
{
    station = new UnitStation(this);
    m_run = new MainRun(parts(), *station, MStartBtn, Timer1, this);
    return true;
}

void TFormMain::mDeletePort()
{
    // The window is going: what the station says while it ends is for the other windows.
    if (m_run)
        m_run->detach();
    delete m_run;
    m_run = nullptr;
    delete station; // stops what runs and closes the port
    station = nullptr;
}

bool TFormMain::mayStartRun()
{
    // The worksheet's curves belong to the measurement it shows; a new one changes them all.
    return !formWorksheet || formWorksheet->confirmMainRun();
}

void TFormMain::mSaveForRecovery()
{
    if (file && m_files)
        m_files->mSaveForRecovery();
}
