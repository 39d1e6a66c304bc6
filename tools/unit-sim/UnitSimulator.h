#pragma once

#include "ImpedanceSource.h"
#include "SimOptions.h"
#include "SweepVariation.h"

#include <chrono>
#include <string>

// The unit on the far side of a pseudo-terminal. It reads commands (text up to CR), answers
// them and streams a requested band: one 18-digit point text plus CR per grid index, then the
// end mark plus CR. Output is paced at the line rate unless told to go fast. It holds a
// descriptor of its own on the terminal's slave side, so the program may close and reopen the
// port between runs without the terminal going away.
class UnitSimulator
{
public:
    UnitSimulator(const SimOptions &options, const ImpedanceSource &source);
    ~UnitSimulator();

    // Creates the terminal; false with a message in `error` on failure.
    bool open(std::string &error);
    std::string slavePath() const { return m_slavePath; }
    // Serves until a byte arrives on `stopFd` (the signal pipe).
    void run(int stopFd);

private:
    using Clock = std::chrono::steady_clock;

    void onInput(const char *data, long n);
    void onCommand(const std::string &command);
    void reply(const std::string &text);
    void startSweep(int band);
    void stopSweep();
    void refill();
    struct Wait {
        bool forTerminal = false; // the terminal is full: wait until it takes more
        Clock::duration time{-1}; // until more is due; negative: nothing pending
    };
    // Writes what is due (generating the stream as it goes) and says what to wait for.
    Wait flush();
    void log(const std::string &what) const;

    const SimOptions &m_options;
    const ImpedanceSource &m_source;
    SweepVariation m_variation;
    int m_master = -1;
    int m_slaveKeep = -1;
    std::string m_slavePath;

    std::string m_command;
    std::string m_out;
    std::size_t m_outPos = 0;
    std::size_t m_replyStart = 0; // m_out from here to m_replyEnd is a reply to a command
    std::size_t m_replyEnd = 0;
    Clock::time_point m_lineFree; // when the line can start the next byte
    bool m_lineIdle = true;
    Clock::time_point m_gapUntil;
    Clock::duration m_byteTime;

    bool m_sweeping = false;
    int m_band = 0;
    int m_nextPoint = 0;
    int m_pointCount = 0;
};
