#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;
class MessagePresenter;

// One instance at a time. A lock file held with flock marks a running program ("VELO2",
// or its sibling "VELO"); the kernel releases it when the process dies. A local server
// named after the program stands in for its window, so a second start can raise it.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // runtimeDir: where the lock files and sockets live (the user's runtime directory).
    explicit SingleInstance(const QString &runtimeDir = defaultRuntimeDir(),
                            QObject *parent = nullptr);
    ~SingleInstance() override;

    static QString defaultRuntimeDir();

    struct CheckResult {
        bool otherRunning = false; // another instance or the sibling holds its lock
        bool raised = false;       // its window was reached and asked to come forward
    };
    // Looks for the sibling, then for another VELO2; shows the "already running" box when
    // the other's window can be reached and asks it to come forward.
    CheckResult checkOthers(MessagePresenter &messages);

    // Takes this program's lock; false when another process got it first.
    bool acquire();
    // Answers later starts: each one that connects gets `raise` called.
    bool listen(std::function<void()> raise);

    static bool isLocked(const QString &runtimeDir, const QString &name);

private:
    bool reachAndRaise(const QString &name, MessagePresenter &messages, const QString &text);
    QString m_dir;
    int m_lockFd = -1;
    QLocalServer *m_server = nullptr;
};
