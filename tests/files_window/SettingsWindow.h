#pragma once

// Starting and closing the main window the way a user does, around one settings folder.

#include "ScriptedFileChooser.h"
#include "WaitIdle.h"
#include "core/files/AppPaths.h"
#include "ui/main/TFormMain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

class SettingsWindow
{
public:
    SettingsWindow() { setSettingsDirectoryOverride(m_dir.path()); }
    ~SettingsWindow() { setSettingsDirectoryOverride(QString()); }

    QString folder() const { return m_dir.path(); }
    QString file() const { return settingsFilePath(); }

    // Constructs and shows the window and lets the idle pass load the settings.
    TFormMain *start()
    {
        m_win = std::make_unique<TFormMain>();
        m_win->show();
        if (!QTest::qWaitForWindowExposed(m_win.get()) ||
            !waitUntil([this] { return m_win->initPending() == 0; }))
            return nullptr;
        return m_win.get();
    }
    // Closes the window (which writes the settings) and destroys it.
    void stop()
    {
        if (m_win)
            m_win->close();
        m_win.reset();
    }

    QByteArray read() const
    {
        QFile f(file());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    bool write(const QByteArray &content) const
    {
        QFile f(file());
        return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
    }
    QList<QByteArray> lines() const
    {
        QList<QByteArray> l = read().split('\n');
        if (!l.isEmpty() && l.last().isEmpty())
            l.removeLast();
        return l;
    }

    ScopedFileSeams seams;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TFormMain> m_win;
};

// The window's size as the settings file stores it.
inline QSize outerSize(const TFormMain *w)
{
    return QSize(w->outerWidth(), w->outerHeight());
}

// A valid settings file: the given lines 2 to 26 between "VELO2_ini" and "END:".
inline QByteArray settingsFile(const QList<QByteArray> &body)
{
    QByteArray out = "VELO2_ini\r\n";
    for (const QByteArray &l : body)
        out += l + "\r\n";
    return out + "END:\r\n";
}

// The 25 value lines of a typical file, to be varied by the tests.
inline QList<QByteArray> typicalBody()
{
    return {"CommPortNum:9",
            "PenColor_R:1193046", // 0x00123456
            "PenColor_Theta:65280",
            "PenColor_R_Ref[0]:1",
            "PenColor_Theta_Ref[0]:2",
            "PenColor_R_Ref[1]:3",
            "PenColor_Theta_Ref[1]:4",
            "PenColor_R_Ref[2]:5",
            "PenColor_Theta_Ref[2]:6",
            "PenColor_R_Ref[3]:7",
            "PenColor_Theta_Ref[3]:8",
            "PenColor_R_Ref[4]:9",
            "PenColor_Theta_Ref[4]:-10",
            "pstr:first",
            "pstr:",
            "pstr:third",
            "top:40",
            "left:30",
            "width:700",
            "height:500",
            "band:5",
            "fronly:1",
            "fwide:0",
            "fave3:0",
            "fwarning:1"};
}
