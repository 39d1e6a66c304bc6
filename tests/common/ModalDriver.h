#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

// Acts on a modal dialog that code under test opens with exec(): as soon as a visible
// dialog of type T is the active modal widget, `action` runs on it once (it should close
// the dialog). Arm it before the call that opens the dialog; it gives up after the time.
template <class T> void whenModalShown(std::function<void(T *)> action, int timeoutMs = 5000)
{
    auto *timer = new QTimer;
    timer->setInterval(5);
    const QDeadlineTimer deadline(timeoutMs);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, deadline, action] {
        auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget());
        if (dialog && dialog->isVisible()) {
            timer->stop();
            timer->deleteLater();
            action(dialog);
        } else if (deadline.hasExpired()) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

// Runs `action` once `w` is visible: answers a modal dialog from inside its exec(). The poll
// belongs to the dialog, so a dialog that never came up takes it along when the test's
// windows are destroyed.
inline void whenShown(QWidget *w, std::function<void()> action)
{
    auto *timer = new QTimer(w);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        if (!w->isVisible() && ++*tries < 2000)
            return;
        timer->stop();
        timer->deleteLater();
        if (w->isVisible())
            action();
    });
    timer->start(5);
}
