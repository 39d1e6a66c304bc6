#include "ui/main/SingleInstance.h"

#include "ui/common/Seams.h"
#include "ui/common/Texts.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr int kConnectTimeoutMs = 1000;
constexpr int kReplyTimeoutMs = 2000;
const char kRaiseRequest[] = "raise\n";
const char kRaiseReply[] = "ok\n";

QString lockPath(const QString &dir, const QString &name)
{
    return dir + '/' + name + ".lock";
}
QString socketPath(const QString &dir, const QString &name)
{
    return dir + '/' + name + ".sock";
}

} // namespace

SingleInstance::SingleInstance(const QString &runtimeDir, QObject *parent)
    : QObject(parent), m_dir(runtimeDir)
{
    QDir().mkpath(m_dir);
}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}

QString SingleInstance::defaultRuntimeDir()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath() + QStringLiteral("/velo2-%1").arg(::getuid());
    return dir;
}

bool SingleInstance::isLocked(const QString &runtimeDir, const QString &name)
{
    const int fd = ::open(QFile::encodeName(lockPath(runtimeDir, name)).constData(),
                          O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd); // also drops the lock we may just have taken
    return locked;
}

bool SingleInstance::reachAndRaise(const QString &name, MessagePresenter &messages,
                                   const QString &text)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath(m_dir, name));
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false; // its window cannot be found: leave without a word
    messages.show(MessagePresenter::Icon::Error, name, text);
    socket.write(kRaiseRequest);
    if (!socket.waitForBytesWritten(kReplyTimeoutMs))
        return false;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(kReplyTimeoutMs))
            return false;
    }
    return socket.readLine() == kRaiseReply;
}

SingleInstance::CheckResult SingleInstance::checkOthers(MessagePresenter &messages)
{
    CheckResult result;
    const QString sibling = QString::fromUtf8(Texts::kSiblingTitle);
    const QString self = QString::fromUtf8(Texts::kProgramTitle);
    if (isLocked(m_dir, sibling)) {
        result.otherRunning = true;
        result.raised = reachAndRaise(sibling, messages, tr("VELOがすでに起動しています"));
    } else if (isLocked(m_dir, self)) {
        result.otherRunning = true;
        result.raised = reachAndRaise(self, messages, tr("VELO2はすでに起動しています"));
    }
    return result;
}

bool SingleInstance::acquire()
{
    const QString self = QString::fromUtf8(Texts::kProgramTitle);
    m_lockFd = ::open(QFile::encodeName(lockPath(m_dir, self)).constData(),
                      O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_lockFd < 0)
        return true; // no runtime directory to lock in: do not keep the user out
    if (::flock(m_lockFd, LOCK_EX | LOCK_NB) != 0) {
        ::close(m_lockFd);
        m_lockFd = -1;
        return false;
    }
    return true;
}

bool SingleInstance::listen(std::function<void()> raise)
{
    const QString path = socketPath(m_dir, QString::fromUtf8(Texts::kProgramTitle));
    // We hold the lock, so a socket left behind belongs to a program that died.
    QLocalServer::removeServer(path);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, [this, raise] {
        while (QLocalSocket *client = m_server->nextPendingConnection()) {
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
            connect(client, &QLocalSocket::readyRead, client, [client, raise] {
                if (!client->canReadLine())
                    return;
                if (client->readLine() == kRaiseRequest) {
                    raise();
                    client->write(kRaiseReply);
                    client->flush();
                }
            });
        }
    });
    return m_server->listen(path);
}
