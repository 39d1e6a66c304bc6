#pragma once

#include <QByteArray>
#include <QString>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

// A pseudo-terminal for driver tests: the test plays the far end on the master side and keeps
// a slave descriptor of its own, as the unit simulator does.
class PtyPair
{
public:
    PtyPair()
    {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
            return;
        m_slavePath = QString::fromLocal8Bit(::ptsname(m_master));
        m_slaveKeep = ::open(::ptsname(m_master), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        struct termios tio;
        if (m_slaveKeep >= 0 && ::tcgetattr(m_slaveKeep, &tio) == 0) {
            ::cfmakeraw(&tio);
            ::tcsetattr(m_slaveKeep, TCSANOW, &tio);
        }
    }
    ~PtyPair()
    {
        if (m_slaveKeep >= 0)
            ::close(m_slaveKeep);
        if (m_master >= 0)
            ::close(m_master);
    }
    PtyPair(const PtyPair &) = delete;
    PtyPair &operator=(const PtyPair &) = delete;

    bool isOpen() const { return m_master >= 0 && m_slaveKeep >= 0; }
    QString slavePath() const { return m_slavePath; }
    int master() const { return m_master; }
    int slave() const { return m_slaveKeep; }

    bool send(const QByteArray &bytes) const
    {
        return ::write(m_master, bytes.constData(), size_t(bytes.size())) == bytes.size();
    }
    // Everything the master receives until `ms` pass without a byte.
    QByteArray receive(int ms = 50) const
    {
        QByteArray out;
        char buffer[4096];
        pollfd p{m_master, POLLIN, 0};
        while (::poll(&p, 1, ms) > 0 && (p.revents & POLLIN)) {
            const ssize_t n = ::read(m_master, buffer, sizeof buffer);
            if (n <= 0)
                break;
            out.append(buffer, int(n));
        }
        return out;
    }

private:
    int m_master = -1;
    int m_slaveKeep = -1;
    QString m_slavePath;
};
