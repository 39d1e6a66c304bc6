#pragma once

#include <QFileInfo>
#include <QProcess>
#include <QStringList>

// The unit simulator as a child process, linked into a settings directory as COMn.
class SimulatedUnit
{
public:
    ~SimulatedUnit() { stop(); }

    static QString binary() { return QStringLiteral(VELO2_BINARY_DIR "/tools/unit-sim/hka2-sim"); }

    // Starts the simulator with `args` (plus --link and --verbose) and waits until it has
    // printed its terminal's path and made the link.
    bool start(const QString &link, const QStringList &args = {})
    {
        stop();
        m_log.clear();
        m_link = link;
        m_process.start(binary(), args + QStringList{QStringLiteral("--link"), link,
                                                     QStringLiteral("--verbose")});
        if (!m_process.waitForStarted(5000))
            return false;
        while (!m_process.canReadLine())
            if (!m_process.waitForReadyRead(5000))
                return false;
        m_slavePath = QString::fromLocal8Bit(m_process.readLine()).trimmed();
        return QFileInfo(link).isSymLink();
    }

    // SIGTERM, then wait for a clean exit.
    bool stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return true;
        m_process.terminate();
        const bool done = m_process.waitForFinished(5000);
        log();
        return done && m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
    }

    // What the simulator logged so far: "<- CMD" for every command, "-> TEXT" for replies.
    QString log()
    {
        m_log += QString::fromLatin1(m_process.readAllStandardError());
        return m_log;
    }
    // The commands received, in order.
    QStringList commands()
    {
        QStringList out;
        const QStringList lines = log().split(QLatin1Char('\n'));
        for (const QString &line : lines)
            if (line.startsWith(QLatin1String("hka2-sim: <- ")))
                out.append(line.mid(13));
        return out;
    }

    QProcess &process() { return m_process; }
    QString slavePath() const { return m_slavePath; }

private:
    QProcess m_process;
    QString m_link;
    QString m_slavePath;
    QString m_log;
};
