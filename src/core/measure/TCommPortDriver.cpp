#include "core/measure/TCommPortDriver.h"

#include "core/measure/PortResolver.h"
#include "core/measure/SerialSpeed.h"

#include <QFile>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr quint32 kBitRates[] = {0,     110,   300,   600,   1200,  2400,   4800,   9600,
                                 14400, 19200, 38400, 56000, 57600, 115200, 128000, 256000};
constexpr quint32 kMinQueue = 128;
constexpr quint32 kMaxQueue = 8192;
constexpr quint16 kMinPollingDelay = 5;

struct SpeedCode {
    quint32 rate;
    speed_t code;
};
constexpr SpeedCode kSpeedCodes[] = {
    {50, B50},         {75, B75},         {110, B110},        {134, B134},       {150, B150},
    {200, B200},       {300, B300},       {600, B600},        {1200, B1200},     {1800, B1800},
    {2400, B2400},     {4800, B4800},     {9600, B9600},      {19200, B19200},   {38400, B38400},
    {57600, B57600},   {115200, B115200}, {230400, B230400},  {460800, B460800}, {500000, B500000},
    {576000, B576000}, {921600, B921600}, {1000000, B1000000}};

bool standardSpeed(quint32 rate, speed_t *code)
{
    for (const SpeedCode &s : kSpeedCodes) {
        if (s.rate == rate) {
            *code = s.code;
            return true;
        }
    }
    return false;
}

int clampToInt(quint64 ms)
{
    return ms > quint64(INT_MAX) ? INT_MAX : int(ms);
}

} // namespace

quint32 BaudRateOf(TBaudRate rate)
{
    return rate < std::size(kBitRates) ? kBitRates[rate] : 0;
}

TCommPortDriver::TCommPortDriver(QObject *owner)
    : QObject(owner), m_timer(new QTimer(this)), m_portName(portNameForNumber(pnCOM1))
{
    connect(m_timer, &QTimer::timeout, this, &TCommPortDriver::TimerWndProcZ);
}

TCommPortDriver::~TCommPortDriver()
{
    Disconnect();
}

// ---- properties ----

void TCommPortDriver::SetPort(TPortNumber port)
{
    if (Connected())
        return;
    m_port = port;
    if (port != pnCustom)
        m_portName = portNameForNumber(port);
}

void TCommPortDriver::SetPortName(const QString &name)
{
    if (Connected())
        return;
    m_port = pnCustom;
    m_portName = name;
}

void TCommPortDriver::SetBaudRate(TBaudRate rate)
{
    m_baudRate = rate;
    if (rate != brCustom)
        m_baudRateValue = BaudRateOf(rate);
    if (Connected())
        ApplyCOMSettings();
}

void TCommPortDriver::SetBaudRateValue(quint32 value)
{
    m_baudRate = brCustom;
    m_baudRateValue = value;
    if (Connected())
        ApplyCOMSettings();
}

void TCommPortDriver::SetStopBits(TStopBits bits)
{
    m_stopBits = bits;
    if (Connected())
        ApplyCOMSettings();
}

void TCommPortDriver::SetHwFlowControl(THwFlowControl flow)
{
    m_hwFlow = flow;
    if (Connected())
        ApplyCOMSettings();
}

void TCommPortDriver::SetSwFlowControl(TSwFlowControl flow)
{
    m_swFlow = flow;
    if (Connected())
        ApplyCOMSettings();
}

void TCommPortDriver::SetInBufSize(quint32 size)
{
    if (Connected())
        return;
    m_inBufSize = std::clamp(size, kMinQueue, kMaxQueue);
}

void TCommPortDriver::SetOutBufSize(quint32 size)
{
    if (Connected())
        return;
    m_outBufSize = std::clamp(size, kMinQueue, kMaxQueue);
}

void TCommPortDriver::SetPollingDelay(quint16 ms)
{
    if (ms < kMinPollingDelay)
        ms = kMinPollingDelay;
    if (ms == m_pollingDelay)
        return;
    if (Connected()) {
        m_timer->stop();
        m_pollingDelay = ms;
        m_timer->start(m_pollingDelay);
    } else {
        m_pollingDelay = ms;
    }
}

bool TCommPortDriver::PollingActive() const
{
    return m_timer->isActive();
}

// ---- open and close ----

bool TCommPortDriver::Connect()
{
    if (Connected())
        return true;
    m_lastOpenError = 0;
    int number = 0;
    m_devicePath = portNumberFromName(m_portName, &number) ? resolvePortDevice(number) : m_portName;
    if (m_devicePath.isEmpty()) {
        m_lastOpenError = ENOENT;
        return false;
    }
    if (!openDevice(m_devicePath))
        return false;
    if (!ApplyCOMSettings()) {
        m_lastOpenError = errno ? errno : EIO;
        Disconnect();
        return false;
    }
    m_timer->start(m_pollingDelay);
    return true;
}

bool TCommPortDriver::openDevice(const QString &path)
{
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        m_lastOpenError = errno;
        return false;
    }
    // flock keeps out every cooperating program (ours included); TIOCEXCL keeps out everyone
    // else but root.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        m_lastOpenError = (errno == EWOULDBLOCK) ? EBUSY : errno;
        ::close(fd);
        return false;
    }
    ::ioctl(fd, TIOCEXCL);
    m_handle = fd;
    m_ownsLock = true;
    m_deviceLost = false;
    auto saved = std::make_unique<termios>();
    if (::tcgetattr(fd, saved.get()) == 0)
        m_savedTermios = std::move(saved);
    return true;
}

void TCommPortDriver::Disconnect()
{
    if (!Connected())
        return;
    m_timer->stop();
    // The exclusive flag belongs to the terminal, not to our descriptor: a pseudo-terminal
    // whose other side stays open would keep it and refuse our next open.
    if (m_ownsLock)
        ::ioctl(m_handle, TIOCNXCL);
    // Raw mode must not outlive us: a shell or another program may use the terminal next.
    if (m_savedTermios)
        ::tcsetattr(m_handle, TCSANOW, m_savedTermios.get());
    ::close(m_handle);
    m_handle = kInvalidHandle;
    m_ownsLock = false;
    m_savedTermios.reset();
    m_deviceLost = false;
}

void TCommPortDriver::SetHandle(int handle)
{
    if (handle == m_handle)
        return;
    if (handle == kDetachHandle) {
        if (Connected())
            m_timer->stop();
        m_handle = kInvalidHandle;
        m_ownsLock = false;
        m_savedTermios.reset();
        m_deviceLost = false;
        return;
    }
    Disconnect();
    if (handle < 0)
        return;
    m_handle = handle;
    m_ownsLock = false;
    m_timer->start(m_pollingDelay);
}

// ---- line and queues ----

bool TCommPortDriver::ApplyCOMSettings()
{
    if (!Connected())
        return false;
    errno = 0;
    struct termios tio;
    if (::tcgetattr(m_handle, &tio) != 0)
        return false;
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | CSTOPB | PARENB | PARODD | CMSPAR | CRTSCTS);
    tio.c_cflag |= CLOCAL | CREAD;

    static constexpr tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
    if (m_dataBits > db8BITS || m_stopBits > sb2BITS || m_parity > ptSPACE)
        return false;
    tio.c_cflag |= kSizes[m_dataBits];
    // termios has no 1.5 stop bits; with 5 data bits the UART makes CSTOPB one and a half.
    if (m_stopBits != sb1BITS)
        tio.c_cflag |= CSTOPB;
    switch (m_parity) {
    case ptNONE:
        break;
    case ptODD:
        tio.c_cflag |= PARENB | PARODD;
        break;
    case ptEVEN:
        tio.c_cflag |= PARENB;
        break;
    case ptMARK:
        tio.c_cflag |= PARENB | CMSPAR | PARODD;
        break;
    case ptSPACE:
        tio.c_cflag |= PARENB | CMSPAR;
        break;
    }
    if (m_hwFlow == hfRTSCTS)
        tio.c_cflag |= CRTSCTS;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK);
    if (m_swFlow == sfXONXOFF)
        tio.c_iflag |= IXON | IXOFF;
    tio.c_cc[VSTART] = 0x11;
    tio.c_cc[VSTOP] = 0x13;
    // Reads and writes return at once with what there is; the driver's loops do the waiting.
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;

    if (m_baudRateValue == 0)
        return false;
    speed_t code = B38400;
    const bool standard = standardSpeed(m_baudRateValue, &code);
    ::cfsetispeed(&tio, code);
    ::cfsetospeed(&tio, code);
    if (::tcsetattr(m_handle, TCSANOW, &tio) != 0)
        return false;
    if (!standard && !setArbitraryBitRate(m_handle, m_baudRateValue))
        return false;

    // A pseudo-terminal has no modem lines; those calls fail and that is fine.
    setModemLine(TIOCM_DTR, m_enableDTROnOpen);
    if (m_hwFlow == hfNONERTSON)
        setModemLine(TIOCM_RTS, true);
    else if (m_hwFlow == hfNONE)
        setModemLine(TIOCM_RTS, false);

    // Linux sizes its own queues; there is nothing to recommend.
    return FlushBuffers(true, true);
}

bool TCommPortDriver::FlushBuffers(bool input, bool output)
{
    if (!Connected())
        return false;
    if (!input && !output)
        return true;
    const int which = (input && output) ? TCIOFLUSH : input ? TCIFLUSH : TCOFLUSH;
    return ::tcflush(m_handle, which) == 0;
}

quint32 TCommPortDriver::CountRX()
{
    if (!Connected())
        return 65535;
    int waiting = 0;
    if (::ioctl(m_handle, FIONREAD, &waiting) != 0 || waiting < 0)
        return 0;
    return quint32(waiting);
}

quint16 TCommPortDriver::OutFreeSpace()
{
    if (!Connected())
        return 65535;
    int queued = 0;
    if (::ioctl(m_handle, TIOCOUTQ, &queued) != 0 || queued < 0)
        queued = 0;
    return quint16(m_outBufSize - quint32(queued));
}

TLineStatusSet TCommPortDriver::GetLineStatus()
{
    if (!Connected())
        return 0;
    int bits = 0;
    if (::ioctl(m_handle, TIOCMGET, &bits) != 0)
        return 0;
    TLineStatusSet set = 0;
    if (bits & TIOCM_CTS)
        set |= lineStatusBit(lsCTS);
    if (bits & TIOCM_DSR)
        set |= lineStatusBit(lsDSR);
    if (bits & TIOCM_RNG)
        set |= lineStatusBit(lsRING);
    if (bits & TIOCM_CAR)
        set |= lineStatusBit(lsCD);
    return set;
}

void TCommPortDriver::ToggleDTR(bool on)
{
    if (Connected())
        setModemLine(TIOCM_DTR, on);
}

void TCommPortDriver::ToggleRTS(bool on)
{
    if (Connected())
        setModemLine(TIOCM_RTS, on);
}

void TCommPortDriver::setModemLine(int line, bool on)
{
    int bits = line;
    ::ioctl(m_handle, on ? TIOCMBIS : TIOCMBIC, &bits);
}

bool TCommPortDriver::waitForDevice(short events, quint64 ms)
{
    pollfd p{m_handle, events, 0};
    const int r = ::poll(&p, 1, clampToInt(ms));
    // An open terminal reports a hang-up only once its device is gone (a pulled adapter, the
    // far side of a pseudo-terminal closed); nothing will arrive any more, so waiting out the
    // time-out would only delay the caller.
    if (r > 0 && (p.revents & (POLLERR | POLLHUP | POLLNVAL)))
        m_deviceLost = true;
    return !m_deviceLost;
}

bool TCommPortDriver::noteLostDevice(int error)
{
    if (error == EIO || error == ENXIO)
        m_deviceLost = true;
    return m_deviceLost;
}

// ---- sending ----

quint32 TCommPortDriver::SendDataEx(const char *data, quint32 count, quint32 timeoutMs)
{
    if (!Connected() || !data)
        return 0;
    quint32 sent = 0;
    quint32 start = tickCount();
    while (sent < count && !m_deviceLost) {
        const quint16 free = OutFreeSpace();
        if (free > 0) {
            if (m_checkLineStatus && GetLineStatus() == 0)
                break;
            const ssize_t n = ::write(m_handle, data + sent, std::min<quint32>(count - sent, free));
            if (n > 0) {
                sent += quint32(n);
                start = tickCount();
                continue;
            }
            if (n < 0 && noteLostDevice(errno))
                break;
        }
        const quint32 elapsed = tickCount() - start;
        if (elapsed > timeoutMs)
            break;
        const quint64 remaining = quint64(timeoutMs) - elapsed + 1;
        if (free > 0) {
            if (!waitForDevice(POLLOUT, remaining))
                break;
        } else // our own queue limit, which poll() knows nothing about
            ::poll(nullptr, 0, clampToInt(std::min<quint64>(remaining, 2)));
    }
    return sent;
}

quint32 TCommPortDriver::SendData(const char *data, quint32 count)
{
    return SendDataEx(data, count, m_outputTimeout);
}

bool TCommPortDriver::SendByte(quint8 value)
{
    const char c = char(value);
    return SendData(&c, 1) == 1;
}

bool TCommPortDriver::SendChar(char c)
{
    return SendData(&c, 1) == 1;
}

bool TCommPortDriver::SendString(const QByteArray &text)
{
    return SendData(text.constData(), quint32(text.size())) == quint32(text.size());
}

bool TCommPortDriver::SendZString(const char *text)
{
    const quint32 length = text ? quint32(std::strlen(text)) : 0;
    return SendData(text, length) == length;
}

// ---- reading ----

quint64 TCommPortDriver::lineTimeMs(quint32 bytes) const
{
    if (m_baudRateValue == 0)
        return 0;
    // Start bit, data bits, parity and stop bits; one and a half stop bits count as one.
    const quint64 bits = 1 + 5 + quint64(m_dataBits) + (m_parity == ptNONE ? 0 : 1) +
                         (m_stopBits == sb2BITS ? 2 : 1);
    // Rounded up: a wait cut short by a fraction of a byte would wake once more for the last one.
    return (quint64(bytes) * bits * 1000 + m_baudRateValue - 1) / m_baudRateValue;
}

quint32 TCommPortDriver::ReadData(char *buffer, quint32 count)
{
    if (!Connected() || !buffer)
        return 0;
    quint32 got = 0;
    const quint32 start = tickCount();
    // Bytes already queued are taken before a hang-up counts: they arrived before it.
    while (got < count && !m_deviceLost) {
        quint32 waiting = CountRX();
        if (waiting > 0 && waiting < count - got) {
            // The rest cannot come faster than the line carries it: wait for its time once
            // rather than wake for every byte (within the time-out).
            const quint64 lineMs = lineTimeMs(count - got - waiting);
            const quint32 elapsed = tickCount() - start;
            if (lineMs > 0 && elapsed < m_inputTimeout) {
                ::poll(nullptr, 0, clampToInt(std::min<quint64>(lineMs, m_inputTimeout - elapsed)));
                waiting = CountRX();
            }
        }
        if (waiting > 0) {
            const ssize_t n = ::read(m_handle, buffer + got, std::min(count - got, waiting));
            if (n > 0) {
                got += quint32(n);
                continue;
            }
            if (n < 0 && noteLostDevice(errno))
                break;
        }
        const quint32 elapsed = tickCount() - start;
        if (elapsed > m_inputTimeout)
            break;
        if (!waitForDevice(POLLIN, quint64(m_inputTimeout) - elapsed + 1))
            break;
    }
    return got;
}

quint32 TCommPortDriver::ReadData_inTime(char *buffer, quint32 count, quint32 timeoutMs)
{
    m_inputTimeout = timeoutMs;
    return ReadData(buffer, count);
}

quint32 TCommPortDriver::ReadData2(char *buffer, quint32 count, quint32 timeoutMs)
{
    if (!Connected())
        return 0;
    m_inputTimeout = timeoutMs;
    return ReadData(buffer, count);
}

quint32 TCommPortDriver::ReadData_All(char *buffer)
{
    if (!Connected() || !buffer)
        return 0;
    const quint32 waiting = CountRX();
    if (waiting == 0)
        return 0;
    const ssize_t n = ::read(m_handle, buffer, waiting);
    return n > 0 ? quint32(n) : 0;
}

bool TCommPortDriver::ReadByte(quint8 &value)
{
    char c = 0;
    if (ReadData(&c, 1) != 1)
        return false;
    value = quint8(c);
    return true;
}

bool TCommPortDriver::ReadChar(char &c)
{
    return ReadData(&c, 1) == 1;
}

quint32 TCommPortDriver::tickCount()
{
    using namespace std::chrono;
    return quint32(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void TCommPortDriver::TimerWndProcZ()
{
    // Only there to wake the event loop while the port is open. It must never read: every
    // received byte waits for an explicit read call.
}
