#include "ui/main/SignalClose.h"

#include "core/measure/StopSignals.h"
#include "ui/main/TFormMain.h"

#include <QApplication>
#include <QSocketNotifier>

SignalClose::SignalClose(StopSignals &stop, TFormMain &window)
    : QObject(&window), m_signals(stop), m_window(window)
{
    if (stop.fd() < 0)
        return;
    m_notifier = new QSocketNotifier(stop.fd(), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &SignalClose::onSignal);
}

void SignalClose::onSignal()
{
    if (!m_signals.requested())
        return;
    m_notifier->setEnabled(false);
    m_window.mSaveForRecovery();
    m_window.close();
    // A modal box or dialog runs an event loop of its own, which the close does not end.
    if (QApplication::activeModalWidget())
        QCoreApplication::exit(0);
}
