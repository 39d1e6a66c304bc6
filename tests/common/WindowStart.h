#pragma once

#include "WaitIdle.h"
#include "ui/main/TFormMain.h"

#include <QtTest>

// Shows the main window and runs a real event loop until its deferred start-up step (the
// settings load) has run.
inline bool startWindow(TFormMain *window, int timeoutMs = 5000)
{
    window->show();
    return QTest::qWaitForWindowExposed(window) &&
           waitUntil([window] { return window->initPending() == 0; }, timeoutMs);
}
