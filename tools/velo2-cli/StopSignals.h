#pragma once

// Ctrl-C, SIGTERM and SIGHUP as a request to stop, read from a signalfd: the signals are
// blocked for the whole process, so no handler runs and no system call is interrupted. The
// caller polls requested() between steps, releases the unit and then ends by the same signal.
class StopSignals
{
public:
    StopSignals();
    ~StopSignals(); // leaves the signals blocked

    StopSignals(const StopSignals &) = delete;
    StopSignals &operator=(const StopSignals &) = delete;

    // True once one of the signals has arrived (checked without waiting).
    bool requested();
    int signalNumber() const { return m_signal; }
    // Ends the process by the signal that asked for the stop, so that a calling shell sees
    // the interruption (and a loop in it stops too).
    [[noreturn]] void endBySignal();

private:
    int m_fd = -1;
    int m_signal = 0;
};
