#include "UnitSimulator.h"

#include "core/measure/PointEncoder.h"
#include "core/model/BandTable.h"
#include "core/model/SweepGrid.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr char kCR = '\r';
constexpr int kBitsPerByte = 10;
constexpr std::size_t kMaxCommand = 64;
constexpr int kCrPosition = 9; // where a faulty point carries its carriage return
// How far ahead of the line the stream is generated.
constexpr std::size_t kPacedLookahead = 2 * 19;
constexpr std::size_t kFastLookahead = 4096;
constexpr std::size_t kCompactAt = 4096;

// Band numbers of the first model's own codes "1".."4".
int bandFromCode(char code, bool hka)
{
    if (!hka)
        return (code >= '1' && code <= '9') ? code - '0' : 0;
    switch (code) {
    case '1':
        return 1;
    case '2':
        return 4;
    case '3':
        return 5;
    case '4':
        return 6;
    default:
        return 0;
    }
}

} // namespace

UnitSimulator::UnitSimulator(const SimOptions &options, const ImpedanceSource &source)
    : m_options(options), m_source(source),
      m_variation(options.noisePct, options.driftPct, options.driver.re,
                  options.seedGiven ? options.seed : std::random_device{}()),
      m_byteTime(std::chrono::duration_cast<Clock::duration>(
          std::chrono::duration<double>(double(kBitsPerByte) / options.bitRate)))
{
    m_lineFree = m_gapUntil = Clock::now();
}

UnitSimulator::~UnitSimulator()
{
    if (m_slaveKeep >= 0)
        ::close(m_slaveKeep);
    if (m_master >= 0)
        ::close(m_master);
}

bool UnitSimulator::open(std::string &error)
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    const char *name = ::ptsname(m_master);
    if (!name) {
        error = "cannot name the pseudo-terminal";
        return false;
    }
    m_slavePath = name;
    // Our own slave descriptor keeps the terminal alive while the program has it closed, and
    // puts it in raw mode so nothing is echoed or translated before the program sets it up.
    m_slaveKeep = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_slaveKeep < 0) {
        error = std::string("cannot open ") + name + ": " + std::strerror(errno);
        return false;
    }
    struct termios tio;
    if (::tcgetattr(m_slaveKeep, &tio) == 0) {
        ::cfmakeraw(&tio);
        tio.c_cc[VMIN] = 0;
        tio.c_cc[VTIME] = 0;
        ::tcsetattr(m_slaveKeep, TCSANOW, &tio);
    }
    return true;
}

void UnitSimulator::log(const std::string &what) const
{
    if (m_options.verbose)
        std::fprintf(stderr, "hka2-sim: %s\n", what.c_str());
}

void UnitSimulator::run(int stopFd)
{
    char buffer[256];
    while (true) {
        const Wait wait = flush();
        pollfd fds[2] = {{m_master, short(POLLIN | (wait.forTerminal ? POLLOUT : 0)), 0},
                         {stopFd, POLLIN, 0}};
        timespec timeout{};
        if (wait.time.count() >= 0) {
            const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(wait.time);
            timeout.tv_sec = ns.count() / 1000000000;
            timeout.tv_nsec = ns.count() % 1000000000;
        }
        const int r = ::ppoll(fds, 2, wait.time.count() >= 0 ? &timeout : nullptr, nullptr);
        if (r < 0 && errno != EINTR)
            return;
        if (fds[1].revents)
            return;
        if (fds[0].revents & POLLIN) {
            const long n = ::read(m_master, buffer, sizeof buffer);
            if (n > 0)
                onInput(buffer, n);
        } else if (fds[0].revents & (POLLHUP | POLLERR)) {
            // Cannot happen while we hold the slave, but never spin if it does.
            ::poll(nullptr, 0, 10);
        }
    }
}

void UnitSimulator::onInput(const char *data, long n)
{
    for (long i = 0; i < n; ++i) {
        const char c = data[i];
        if (c == kCR) {
            onCommand(m_command);
            m_command.clear();
        } else if (c != '\n' && m_command.size() < kMaxCommand) {
            m_command += c;
        }
    }
}

void UnitSimulator::onCommand(const std::string &command)
{
    log("<- " + command);
    if (m_sweeping) {
        // A sweeping unit only listens for the end command.
        if (command == "ME" && !m_options.ignoreMe) {
            stopSweep();
            reply("OK");
        }
        return;
    }
    if (command == "?" || command == "ME") {
        reply("OK");
    } else if (command == "U?") {
        reply(m_options.modelToken);
    } else if (command == "V?") {
        reply(m_options.version);
    } else if (command == "SN?") {
        reply(m_options.serial);
    } else if (command == "M?") {
        reply(m_options.uncalibrated ? "1" : "0");
    } else if (command.size() == 2 && command[0] == 'M') {
        const int band = bandFromCode(command[1], m_options.hka);
        if (!m_options.countReply.empty()) {
            reply(m_options.countReply);
            return;
        }
        if (band == 0 || m_options.refuseBand) {
            reply("NG00");
            return;
        }
        const int count = bandPointCount(band) - (m_options.wrongCount ? 1 : 0);
        char text[8];
        std::snprintf(text, sizeof text, "%04X", unsigned(count) & 0xFFFF);
        reply(text);
        startSweep(band);
    }
    // Anything else goes unanswered.
}

void UnitSimulator::reply(const std::string &text)
{
    log("-> " + text);
    // A reply right behind one still going out joins it.
    if (!(m_outPos < m_replyEnd && m_replyEnd == m_out.size()))
        m_replyStart = m_out.size();
    m_out += text;
    m_out += kCR;
    m_replyEnd = m_out.size();
}

void UnitSimulator::startSweep(int band)
{
    m_sweeping = true;
    m_band = band;
    m_nextPoint = 0;
    m_pointCount = bandPointCount(band);
    m_variation.startSweep(m_pointCount);
}

void UnitSimulator::stopSweep()
{
    // The unit stops at once: whatever it had not put on the line yet is dropped.
    m_sweeping = false;
    m_out.clear();
    m_outPos = 0;
    m_replyStart = m_replyEnd = 0;
}

void UnitSimulator::refill()
{
    const std::size_t lookahead = m_options.fast ? kFastLookahead : kPacedLookahead;
    while (m_sweeping && m_out.size() - m_outPos < lookahead) {
        if (m_nextPoint == m_options.silentAfter)
            return; // silent for good; "ME" still ends the sweep
        if (m_nextPoint >= m_pointCount) {
            m_sweeping = false;
            reply(m_options.endMark);
            return;
        }
        const int index = bandFirstIndex(m_band) + m_nextPoint;
        const double f = gridFrequencyHz(index);
        const Impedance z = m_variation.apply(m_source.at(f), m_nextPoint);
        QByteArray text = encodePointText(z.magnitude, z.phaseDeg, f);
        if (m_nextPoint == m_options.crInPoint)
            text[kCrPosition] = kCR;
        m_out.append(text.constData(), std::size_t(text.size()));
        m_out += kCR;
        ++m_nextPoint;
    }
}

UnitSimulator::Wait UnitSimulator::flush()
{
    while (true) {
        if (m_outPos == m_out.size()) {
            m_out.clear();
            m_outPos = 0;
            m_replyStart = m_replyEnd = 0;
            m_lineIdle = true;
            refill();
            if (m_out.empty())
                return {};
        }
        const auto now = Clock::now();
        if (now < m_gapUntil)
            return {false, m_gapUntil - now};
        const std::size_t pending = m_out.size() - m_outPos;
        const bool wholeReply =
            m_outPos >= m_replyStart && m_outPos < m_replyEnd && m_options.chunk == 0;
        const bool pieces = m_options.chunk > 0;
        std::size_t want = wholeReply ? m_replyEnd - m_outPos
                           : pieces   ? std::min(pending, std::size_t(m_options.chunk))
                                      : pending;
        if (!m_options.fast) {
            if (m_lineIdle) {
                m_lineFree = now;
                m_lineIdle = false;
            }
            if (wholeReply) {
                // Answered in the same wake-up that brought the command once the line is
                // free; the line stays busy for the reply's time. A wait of its own would
                // be one more chance to miss the program's short time-out on a loaded machine.
                if (now < m_lineFree)
                    return {false, m_lineFree - now};
            } else {
                // A byte reaches the other side when its last bit has left the line; a piece
                // when its last byte has.
                const std::size_t due =
                    now > m_lineFree ? std::size_t((now - m_lineFree) / m_byteTime) : 0;
                const std::size_t need = pieces ? want : 1;
                if (due < need)
                    return {false, m_lineFree + m_byteTime * long(need) - now};
                if (!pieces)
                    want = std::min(want, due);
            }
        }
        long n = ::write(m_master, m_out.data() + m_outPos, want);
        if (n <= 0 && !m_options.fast) {
            // A real line keeps sending whether anybody listens or not: when the far side's
            // buffers are full, the bytes are lost rather than held back.
            n = long(want);
        }
        if (n <= 0)
            return {true, Clock::duration(-1)};
        m_outPos += std::size_t(n);
        if (!m_options.fast)
            m_lineFree += m_byteTime * long(n);
        if (std::size_t(n) < want)
            return {true, Clock::duration(-1)};
        if (m_options.gapMs > 0) {
            m_gapUntil = Clock::now() + std::chrono::milliseconds(m_options.gapMs);
            m_lineIdle = true;
        }
        if (m_outPos > kCompactAt) {
            m_out.erase(0, m_outPos);
            m_replyStart -= std::min(m_replyStart, m_outPos);
            m_replyEnd -= std::min(m_replyEnd, m_outPos);
            m_outPos = 0;
        }
        refill();
    }
}
