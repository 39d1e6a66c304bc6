#include "core/measure/StopSignals.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <poll.h>
#include <pthread.h>
#include <sys/signalfd.h>
#include <thread>
#include <unistd.h>

namespace {

sigset_t stopSet()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    return set;
}

} // namespace

StopSignals::StopSignals()
{
    const sigset_t set = stopSet();
    sigprocmask(SIG_BLOCK, &set, nullptr);
    m_fd = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
}

StopSignals::~StopSignals()
{
    // The signals stay blocked: the process ends right after, and a Ctrl-C that comes once the
    // file is complete must not turn a finished run into an interrupted one.
    if (m_fd >= 0)
        ::close(m_fd);
}

bool StopSignals::requested()
{
    if (m_signal != 0)
        return true;
    signalfd_siginfo info;
    if (m_fd >= 0 && ::read(m_fd, &info, sizeof info) == ssize_t(sizeof info))
        m_signal = int(info.ssi_signo);
    return m_signal != 0;
}

void StopSignals::endBySignal()
{
    std::fflush(stdout);
    std::fflush(stderr);
    const int sig = m_signal ? m_signal : SIGTERM;
    std::signal(sig, SIG_DFL);
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    sigset_t one;
    sigemptyset(&one);
    sigaddset(&one, sig);
    sigprocmask(SIG_UNBLOCK, &one, nullptr);
    ::raise(sig);
    std::_Exit(128 + sig); // only if the signal was ignored by the parent's setting
}

void StopSignals::endAfterGrace(int graceMs)
{
    if (m_fd < 0)
        return;
    // Only watches: the signal stays for requested() to take.
    std::thread([fd = m_fd, graceMs] {
        pollfd p{fd, POLLIN, 0};
        while (::poll(&p, 1, -1) < 0 && errno == EINTR) {
        }
        if (!(p.revents & POLLIN))
            return; // the descriptor was closed: the program is ending
        std::this_thread::sleep_for(std::chrono::milliseconds(graceMs));
        std::signal(SIGTERM, SIG_DFL);
        sigset_t one;
        sigemptyset(&one);
        sigaddset(&one, SIGTERM);
        pthread_sigmask(SIG_UNBLOCK, &one, nullptr);
        ::raise(SIGTERM);
        std::_Exit(128 + SIGTERM);
    }).detach();
}
