#pragma once

#include <QApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

// Acts on a modal dialog that code under test opens with exec(): as soon as a visible
// dialog of type T is the active modal widget, `action` runs on it once (it should close
// the dialog). Arm it before the call that opens the dialog; it gives up after the time.
template <class T>
void whenModalShown(std::function<void(T *)> action, int timeoutMs = 5000)
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
