#pragma once

// Ctrl-C, SIGTERM and SIGHUP as a request to stop, read from a signalfd: the signals are
// blocked for the whole process, so no handler runs and no system call is interrupted. The
// caller polls requested() between steps (or watches fd()), releases the unit and ends.
// Construct it before any thread starts, so that every thread inherits the blocked set.
class StopSignals
{
public:
    StopSignals();
    ~StopSignals(); // leaves the signals blocked

    StopSignals(const StopSignals &) = delete;
    StopSignals &operator=(const StopSignals &) = delete;

    // True once one of the signals has arrived (checked without waiting).
    bool requested();
    // Readable while a signal waits to be taken by requested(); -1 when none could be made.
    int fd() const { return m_fd; }
    // Ends the process by the signal that asked for the stop, so that a calling shell sees
    // the interruption (and a loop in it stops too).
    [[noreturn]] void endBySignal();
    // A window thread stuck in a call that does not return (a server that stopped answering)
    // must not keep the program alive: graceMs after a signal arrives, a thread of its own
    // ends the process by SIGTERM unless it has ended by itself.
    void endAfterGrace(int graceMs);

private:
    int m_fd = -1;
    int m_signal = 0;
};
