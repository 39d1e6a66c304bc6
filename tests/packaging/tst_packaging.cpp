#include <QMimeDatabase>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The installed tree as `cmake --install` lays it out: the programs run from it, and the
// desktop entry, metainfo and MIME type pass their validators and work.
class TestPackaging : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void files_data();
    void files();
    void validators_data();
    void validators();
    void installedCliRuns();
    void mimeType_data();
    void mimeType();
    void dependencies_data();
    void dependencies();

private:
    QTemporaryDir m_prefix;
    QString m_share;
};

namespace {

// Runs a program to its end; its output and exit code.
QPair<int, QString> runProgram(const QString &program, const QStringList &args)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(120000))
        return {-1, QStringLiteral("did not finish")};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAll())};
}

const QString kId = QStringLiteral(VELO2_APP_ID);

} // namespace

void TestPackaging::initTestCase()
{
    const auto [code, out] = runProgram(
        QStringLiteral("cmake"), {"--install", VELO2_BINARY_DIR, "--prefix", m_prefix.path()});
    QVERIFY2(code == 0, qPrintable(out));
    m_share = m_prefix.filePath(QStringLiteral("share"));
    // Before the first use of the MIME database in this process.
    qputenv("XDG_DATA_DIRS", (m_share + QStringLiteral(":/usr/share")).toLocal8Bit());
}

void TestPackaging::files_data()
{
    QTest::addColumn<QString>("path");
    for (const char *bin : {"velo2", "velo2-cli", "hka2-sim"})
        QTest::newRow(bin) << QStringLiteral("bin/") + bin;
    const QStringList shared{"applications/" + kId + ".desktop",
                             "metainfo/" + kId + ".metainfo.xml",
                             "mime/packages/" + kId + ".xml",
                             "icons/hicolor/scalable/apps/" + kId + ".svg",
                             "icons/hicolor/16x16/apps/" + kId + ".png",
                             "icons/hicolor/256x256/apps/" + kId + ".png",
                             "doc/velo2/copyright",
                             "doc/velo2/changelog.Debian.gz"};
    for (const QString &f : shared)
        QTest::newRow(qPrintable(f)) << "share/" + f;
}

void TestPackaging::files()
{
    QFETCH(QString, path);
    QVERIFY2(QFileInfo::exists(m_prefix.filePath(path)), qPrintable(path));
}

void TestPackaging::validators_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("args");
    QTest::newRow("desktop entry")
        << "desktop-file-validate" << QStringList{m_share + "/applications/" + kId + ".desktop"};
    QTest::newRow("metainfo") << "appstreamcli"
                              << QStringList{"validate", "--no-net",
                                             m_share + "/metainfo/" + kId + ".metainfo.xml"};
}

void TestPackaging::validators()
{
    QFETCH(QString, program);
    QFETCH(QStringList, args);
    const auto [code, out] = runProgram(program, args);
    QVERIFY2(code == 0, qPrintable(out));
}

void TestPackaging::installedCliRuns()
{
    const auto [code, out] = runProgram(m_prefix.filePath("bin/velo2-cli"), {"--version"});
    QCOMPARE(code, 0);
    QVERIFY2(out.contains(QStringLiteral("velo2-cli")), qPrintable(out));
}

void TestPackaging::mimeType_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("type");
    const QByteArray data = "DataFile:HK-A2\r\nSN:1\r\n";
    QTest::newRow("by name") << "spk.DTA" << QByteArray("x") << "application/x-velo2-data";
    QTest::newRow("by name, lower case") << "spk.dta" << data << "application/x-velo2-data";
    QTest::newRow("by content") << "spk" << data << "application/x-velo2-data";
    QTest::newRow("first model") << "old" << QByteArray("DataFile:HK-A\r\n")
                                 << "application/x-velo2-data";
    QTest::newRow("other text") << "notes.txt" << QByteArray("DataFile") << "text/plain";
}

void TestPackaging::mimeType()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, type);
    QTemporaryDir dir;
    QFile f(dir.filePath(name));
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
    f.close();
    QCOMPARE(QMimeDatabase().mimeTypeForFile(f.fileName()).name(), type);
}

void TestPackaging::dependencies_data()
{
    QTest::addColumn<QString>("package");
    // Plugins, which dpkg-shlibdeps cannot see.
    for (const char *p : {"qt6-qpa-plugins", "libqt6sql6-sqlite", "libqt6sql6-psql"})
        QTest::newRow(p) << QString::fromLatin1(p);
}

void TestPackaging::dependencies()
{
    QFETCH(QString, package);
    QFile config(QStringLiteral(VELO2_BINARY_DIR "/CPackConfig.cmake"));
    QVERIFY(config.open(QIODevice::ReadOnly));
    const QString depends = QString::fromUtf8(config.readAll())
                                .section(QStringLiteral("CPACK_DEBIAN_PACKAGE_DEPENDS \""), 1)
                                .section(QLatin1Char('"'), 0, 0);
    QVERIFY2(depends.split(QStringLiteral(", ")).contains(package), qPrintable(depends));
}

QTEST_GUILESS_MAIN(TestPackaging)
#include "tst_packaging.moc"
