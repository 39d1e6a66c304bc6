#pragma once

#include <QApplication>
#include <exception>
#include <functional>

// The application object of the program. An exception that escapes start-up or an event
// handler ends the program: it is shown in a box with its text and the program returns 0.
class GuardedApplication : public QApplication
{
public:
    GuardedApplication(int &argc, char **argv);

    // Runs the program's body (start-up and the event loop) and returns its exit code, or 0
    // after an exception was shown.
    int run(const std::function<int()> &body);

    // Exceptions must not travel through Qt's event dispatch: one thrown by a handler is
    // kept, the event loops are left, and run() shows it.
    bool notify(QObject *receiver, QEvent *event) override;

private:
    std::exception_ptr m_escaped;
};
