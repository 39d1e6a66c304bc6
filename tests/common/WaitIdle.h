#pragma once

#include <QEventLoop>
#include <QTimer>
#include <functional>

// Runs a real, blocking event loop until the condition holds or the time is up. The
// program's idle handler runs only when the loop is about to block, which QTest::qWait
// never lets happen.
inline bool waitUntil(const std::function<bool()> &condition, int timeoutMs = 5000)
{
    if (condition())
        return true;
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (condition())
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    poll.start();
    loop.exec();
    return condition();
}
