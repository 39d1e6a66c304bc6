#include "RecordingPresenter.h"
#include "ui/main/SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <csignal>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

const QString kProgram = QStringLiteral(VELO2_BINARY_DIR "/src/velo2");

// A stand-in for another program's window: answers the raise request in its own thread.
class FakeWindow : public QThread
{
public:
    explicit FakeWindow(const QString &path) : m_path(path) {}
    QAtomicInt raised = 0;
    QSemaphore ready;

protected:
    void run() override
    {
        QLocalServer server;
        QLocalServer::removeServer(m_path);
        server.listen(m_path);
        ready.release();
        if (!server.waitForNewConnection(10000))
            return;
        QLocalSocket *client = server.nextPendingConnection();
        while (!client->canReadLine() && client->waitForReadyRead(10000)) {
        }
        if (client->readLine() == "raise\n") {
            raised = 1;
            client->write("ok\n");
            client->waitForBytesWritten(2000);
        }
        client->waitForDisconnected(2000);
    }

private:
    QString m_path;
};

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void firstInstanceIsRaisedAndKillLeavesNoLock();
    void unreachableWindowExitsSilently_data();
    void unreachableWindowExitsSilently();
    void siblingIsHonoured();
    void signalClosesTheWindow_data();
    void signalClosesTheWindow();

private:
    QProcess *startProgram();
    QTemporaryDir *m_runtime = nullptr;
    QTemporaryDir *m_home = nullptr;
    QList<QProcess *> m_processes;
};

void TestSingleInstance::init()
{
    m_runtime = new QTemporaryDir;
    m_home = new QTemporaryDir;
    QFile::setPermissions(m_runtime->path(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestSingleInstance::cleanup()
{
    for (QProcess *p : m_processes) {
        p->kill();
        p->waitForFinished(5000);
        delete p;
    }
    m_processes.clear();
    delete m_runtime;
    delete m_home;
}

QProcess *TestSingleInstance::startProgram()
{
    // A copy of the program in its own folder, so that what it writes beside itself
    // stays in this test.
    const QString copy = m_home->path() + QStringLiteral("/velo2");
    if (!QFile::exists(copy))
        QFile::copy(kProgram, copy);
    auto *p = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime->path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), m_home->path());
    p->setProcessEnvironment(env);
    p->start(copy, {});
    m_processes << p;
    return p;
}

void TestSingleInstance::firstInstanceIsRaisedAndKillLeavesNoLock()
{
    QProcess *first = startProgram();
    QVERIFY(first->waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(SingleInstance::isLocked(m_runtime->path(), "VELO2"), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_runtime->path() + "/VELO2.sock"), 20000);

    RecordingPresenter rec;
    SingleInstance second(m_runtime->path());
    const auto result = second.checkOthers(rec);
    QVERIFY(result.otherRunning);
    QVERIFY(result.raised);
    QCOMPARE(rec.boxes.size(), 1);
    QCOMPARE(rec.boxes[0].text, QStringLiteral("VELO2はすでに起動しています"));
    QCOMPARE(rec.boxes[0].caption, QStringLiteral("VELO2"));
    QCOMPARE(rec.boxes[0].icon, MessagePresenter::Icon::Error);
    QCOMPARE(first->state(), QProcess::Running);

    // A killed first instance leaves its socket file behind but no lock.
    first->kill();
    QVERIFY(first->waitForFinished(5000));
    QVERIFY(!SingleInstance::isLocked(m_runtime->path(), "VELO2"));
    RecordingPresenter quiet;
    QVERIFY(!SingleInstance(m_runtime->path()).checkOthers(quiet).otherRunning);
    QVERIFY(quiet.boxes.isEmpty());

    // A new start takes over and answers later starts again.
    QProcess *third = startProgram();
    QVERIFY(third->waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(SingleInstance::isLocked(m_runtime->path(), "VELO2"), 20000);
    RecordingPresenter again;
    QTRY_VERIFY_WITH_TIMEOUT(SingleInstance(m_runtime->path()).checkOthers(again).raised, 20000);
    QCOMPARE(third->state(), QProcess::Running);
}

void TestSingleInstance::unreachableWindowExitsSilently_data()
{
    QTest::addColumn<QString>("lockName");
    QTest::newRow("VELO2") << "VELO2";
    QTest::newRow("sibling VELO") << "VELO";
}

void TestSingleInstance::unreachableWindowExitsSilently()
{
    QFETCH(QString, lockName);
    const QByteArray path = QFile::encodeName(m_runtime->path() + '/' + lockName + ".lock");
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT, 0600);
    QVERIFY(fd >= 0);
    QCOMPARE(::flock(fd, LOCK_EX | LOCK_NB), 0);

    QProcess *p = startProgram();
    QVERIFY(p->waitForFinished(20000));
    QCOMPARE(p->exitStatus(), QProcess::NormalExit);
    QCOMPARE(p->exitCode(), 1);
    QVERIFY(!SingleInstance::isLocked(m_runtime->path(), lockName == "VELO" ? "VELO2" : "VELO"));
    ::close(fd);
}

void TestSingleInstance::siblingIsHonoured()
{
    const QByteArray lock = QFile::encodeName(m_runtime->path() + "/VELO.lock");
    const int fd = ::open(lock.constData(), O_RDWR | O_CREAT, 0600);
    QCOMPARE(::flock(fd, LOCK_EX | LOCK_NB), 0);
    FakeWindow sibling(m_runtime->path() + "/VELO.sock");
    sibling.start();
    sibling.ready.acquire();

    RecordingPresenter rec;
    const auto result = SingleInstance(m_runtime->path()).checkOthers(rec);
    QVERIFY(result.otherRunning);
    QVERIFY(result.raised);
    QVERIFY(sibling.wait(10000));
    QCOMPARE(sibling.raised.loadRelaxed(), 1);
    QCOMPARE(rec.boxes.size(), 1);
    QCOMPARE(rec.boxes[0].text, QStringLiteral("VELOがすでに起動しています"));
    QCOMPARE(rec.boxes[0].caption, QStringLiteral("VELO"));
    ::close(fd);
}

void TestSingleInstance::signalClosesTheWindow_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGHUP") << int(SIGHUP);
    QTest::newRow("SIGINT") << int(SIGINT);
}

void TestSingleInstance::signalClosesTheWindow()
{
    QFETCH(int, signal);
    // Written at start; once removed, only the close writes it again.
    const QString settings = m_home->filePath("VELO2_ini.prf");
    QProcess *p = startProgram();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(settings), 20000);
    QVERIFY(QFile::remove(settings));
    ::kill(pid_t(p->processId()), signal);
    QVERIFY(p->waitForFinished(20000));
    QCOMPARE(p->exitStatus(), QProcess::NormalExit);
    QCOMPARE(p->exitCode(), 0);
    QVERIFY(QFile::exists(settings));
}

QTEST_MAIN(TestSingleInstance)
#include "tst_single_instance.moc"
