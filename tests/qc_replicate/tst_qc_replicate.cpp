#include "PgServer.h"

#include "core/qc/log/ResultsLog.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <memory>
#include <thread>
#include <vector>

// Two sites and a centre on throwaway servers, set up by "velo2-cli qc replicate".
class TestQcReplicate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void refusals_data();
    void refusals();
    void sitesToCentre();

private:
    int cli(const QStringList &args, QString *out, QString *err = nullptr);
    // Results written the way a station writes them: spool first, then forwarded in batches.
    void writeUnits(PgServer &site, const QString &tag, int from, int to);
    // What a refused command must leave as it was: publications, slots, subscriptions, columns.
    static QString fingerprint(PgServer &server);
    static qint64 number(PgServer &server, const QString &sql);
    QJsonObject report(PgServer &server);

    // The stations' spools in memory where there is some: each result is synced to its spool.
    QTemporaryDir m_dir{QDir(QStringLiteral("/dev/shm")).exists()
                            ? QStringLiteral("/dev/shm/velo2-replicate-XXXXXX")
                            : QDir::tempPath() + QStringLiteral("/velo2-replicate-XXXXXX")};
    std::unique_ptr<PgServer> m_siteA, m_siteB, m_centre, m_plain;
};

void TestQcReplicate::initTestCase()
{
    if (!PgServer::available())
        QSKIP("PostgreSQL's server is not installed (./run test installs it)");
    // initdb takes seconds: the four servers start side by side.
    std::vector<std::thread> starting;
    for (auto *server : {&m_siteA, &m_siteB, &m_centre, &m_plain}) {
        *server = std::make_unique<PgServer>();
        if (server != &m_plain)
            (*server)->addSettings(QStringLiteral("-c wal_level=logical"));
        starting.emplace_back([s = server->get()] { s->setUp(); });
    }
    for (std::thread &t : starting)
        t.join();
    for (auto *server : {&m_siteA, &m_siteB, &m_centre, &m_plain})
        QVERIFY2((*server)->error().isEmpty(), qPrintable((*server)->error()));
    // Each site's log exists before it is replicated: the centre must copy what is there.
    writeUnits(*m_siteA, QStringLiteral("A"), 0, 100);
    writeUnits(*m_siteB, QStringLiteral("B"), 0, 100);
}

int TestQcReplicate::cli(const QStringList &args, QString *out, QString *err)
{
    QProcess p;
    p.start(QStringLiteral(VELO2_BINARY_DIR "/tools/velo2-cli/velo2-cli"),
            QStringList{QStringLiteral("qc")} + args);
    if (!p.waitForFinished(120000))
        return -1;
    *out = QString::fromUtf8(p.readAllStandardOutput());
    if (err)
        *err = QString::fromUtf8(p.readAllStandardError());
    return p.exitCode();
}

void TestQcReplicate::writeUnits(PgServer &site, const QString &tag, int from, int to)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (int station = 1; station <= 4; ++station) {
        // The same station names and runs at both sites: only the site tells them apart.
        const QString name = QStringLiteral("st%1").arg(station);
        ResultsLog log;
        QVERIFY2(log.open(site.tcpUri(), name,
                          m_dir.filePath(QStringLiteral("spool-%1-%2.sqlite").arg(tag, name))),
                 qPrintable(log.problem()));
        for (int i = from; i < to; ++i) {
            QcRecord r;
            r.runId = QStringLiteral("run-%1").arg(i, 4, 10, QLatin1Char('0'));
            r.timeUtc = now;
            r.serial = QStringLiteral("%1-%2-%3").arg(tag, name, r.runId);
            r.limitsName = QStringLiteral("woofer v1");
            r.passed = (i + station) % 7 != 0;
            if (!r.passed)
                r.failures << QStringLiteral("Fs");
            r.parameters = {{QStringLiteral("Fs"), 40.0 + (i % 13) * 0.1, 35.0, 45.0},
                            {QStringLiteral("Qts"), 0.4 + (i % 5) * 0.01, 0.3, 0.5}};
            QVERIFY(log.record(r, false));
        }
        while (log.pending() > 0)
            QVERIFY2(log.forward() > 0, qPrintable(log.problem()));
    }
}

QString TestQcReplicate::fingerprint(PgServer &server)
{
    return server.psql(QStringLiteral(
        "SELECT concat_ws(' | ', (SELECT string_agg(pubname, ',') FROM pg_publication), (SELECT "
        "string_agg(slot_name, ',') FROM pg_replication_slots), (SELECT string_agg(subname, "
        "',') FROM pg_subscription), (SELECT string_agg(table_name || '.' || column_name, ',' "
        "ORDER BY table_name, column_name) FROM information_schema.columns WHERE table_schema = "
        "'public'), (SELECT string_agg(conname || pg_get_constraintdef(oid), ',' ORDER BY "
        "conname) FROM pg_constraint WHERE contype = 'p'), (SELECT count(*) FROM qc_unit))"));
}

qint64 TestQcReplicate::number(PgServer &server, const QString &sql)
{
    bool ok = false;
    const qint64 n = server.psql(sql).toLongLong(&ok);
    return ok ? n : -1;
}

QJsonObject TestQcReplicate::report(PgServer &server)
{
    QString out;
    if (cli({QStringLiteral("report"), QStringLiteral("--db"), server.tcpUri(),
             QStringLiteral("--json")},
            &out) != 0)
        return {};
    return QJsonDocument::fromJson(out.toUtf8()).object();
}

void TestQcReplicate::refusals_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QStringList>("siteSql");   // what an earlier run left at the site
    QTest::addColumn<QStringList>("centreSql"); // ... and at the centre
    QTest::addColumn<QStringList>("cleanSite");
    QTest::addColumn<QStringList>("cleanCentre");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    const QStringList none;
    const QStringList named{"--site", "SITE", "--centre", "CENTRE", "--name", "plant_a"};
    QTest::newRow("site is the centre, spelt otherwise")
        << QStringList{"--site", "SITE", "--centre", "SITE-SOCKET"} << none << none << none << none
        << 1 << "are the same database on the same server";
    QTest::newRow("wal_level") << QStringList{"--site", "PLAIN", "--centre", "CENTRE"} << none
                               << none << none << none << 1
                               << "needs wal_level = logical: as a superuser run ALTER SYSTEM";
    QTest::newRow("slot left")
        << named
        << QStringList{"SELECT pg_create_logical_replication_slot('plant_a', "
                       "'pgoutput')"}
        << none << QStringList{"SELECT pg_drop_replication_slot('plant_a')"} << none << 1
        << "replication slot plant_a left from an earlier run: drop it (SELECT "
           "pg_drop_replication_slot('plant_a')) or give --replace";
    QTest::newRow("publication left") << named << QStringList{"CREATE PUBLICATION velo2_qc"} << none
                                      << QStringList{"DROP PUBLICATION velo2_qc"} << none << 1
                                      << "publication velo2_qc left from an earlier run";
    QTest::newRow("subscription left")
        << named << none
        << QStringList{"CREATE SUBSCRIPTION plant_a CONNECTION 'dbname=none' PUBLICATION "
                       "velo2_qc WITH (connect = false)"}
        << none
        << QStringList{"ALTER SUBSCRIPTION plant_a SET (slot_name = NONE)",
                       "DROP SUBSCRIPTION plant_a"}
        << 1 << "has a subscription plant_a already";
    QTest::newRow("site role may not replicate")
        << QStringList{"--site", "CLERK-SITE", "--centre", "CENTRE"}
        << QStringList{"CREATE ROLE clerk LOGIN"} << none << QStringList{"DROP ROLE clerk"} << none
        << 1 << "ALTER ROLE clerk REPLICATION";
    QTest::newRow("centre role no superuser")
        << QStringList{"--site", "SITE", "--centre", "CLERK-CENTRE"} << none
        << QStringList{"CREATE ROLE clerk LOGIN"} << none << QStringList{"DROP ROLE clerk"} << 1
        << "may not create subscriptions";
    QTest::newRow("SQLite site") << QStringList{"--site", "log.sqlite", "--centre", "CENTRE"}
                                 << none << none << none << none << 1
                                 << "is not a PostgreSQL server";
    QTest::newRow("bad name") << QStringList{"--site", "SITE",   "--centre",
                                             "CENTRE", "--name", "Plant A"}
                              << none << none << none << none << 2 << "cannot name a site";
}

void TestQcReplicate::refusals()
{
    QFETCH(QStringList, args);
    QFETCH(QStringList, siteSql);
    QFETCH(QStringList, centreSql);
    QFETCH(QStringList, cleanSite);
    QFETCH(QStringList, cleanCentre);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    for (const QString &sql : siteSql)
        m_siteA->psql(sql);
    for (const QString &sql : centreSql)
        m_centre->psql(sql);
    const QString clerk = QStringLiteral("postgresql://clerk@/qc?host=%1&port=%2");
    args.replaceInStrings(QStringLiteral("SITE-SOCKET"), m_siteA->socketUri());
    args.replaceInStrings(QStringLiteral("CLERK-SITE"),
                          clerk.arg(m_siteA->socketDir()).arg(m_siteA->port()));
    args.replaceInStrings(QStringLiteral("CLERK-CENTRE"),
                          clerk.arg(m_centre->socketDir()).arg(m_centre->port()));
    args.replaceInStrings(QStringLiteral("SITE"), m_siteA->tcpUri());
    args.replaceInStrings(QStringLiteral("CENTRE"), m_centre->tcpUri());
    args.replaceInStrings(QStringLiteral("PLAIN"), m_plain->tcpUri());
    args.replaceInStrings(QStringLiteral("log.sqlite"), m_dir.filePath("log.sqlite"));
    const QString site = fingerprint(*m_siteA);
    const QString centre = fingerprint(*m_centre);
    const QString plain = fingerprint(*m_plain);

    QString out, err;
    const int code = cli(QStringList{QStringLiteral("replicate")} + args, &out, &err);
    QCOMPARE(code, exitCode);
    QVERIFY2(err.contains(message), qPrintable(err));
    QVERIFY2(!err.contains(PgServer::password()), qPrintable(err));
    QCOMPARE(fingerprint(*m_siteA), site);
    QCOMPARE(fingerprint(*m_centre), centre);
    QCOMPARE(fingerprint(*m_plain), plain);
    for (const QString &sql : cleanSite)
        m_siteA->psql(sql);
    for (const QString &sql : cleanCentre)
        m_centre->psql(sql);
}

void TestQcReplicate::sitesToCentre()
{
    QString out, err;
    for (auto [site, name] : {std::pair{m_siteA.get(), "plant_a"}, {m_siteB.get(), "plant_b"}})
        QVERIFY2(cli({QStringLiteral("replicate"), QStringLiteral("--site"), site->tcpUri(),
                      QStringLiteral("--centre"), m_centre->tcpUri(), QStringLiteral("--name"),
                      QLatin1String(name)},
                     &out, &err) == 0,
                 qPrintable(err));
    writeUnits(*m_siteA, QStringLiteral("A"), 100, 250);
    writeUnits(*m_siteB, QStringLiteral("B"), 100, 250);

    // The centre goes away for 10 s while the sites go on.
    QElapsedTimer cut;
    cut.start();
    QVERIFY(m_centre->stop());
    writeUnits(*m_siteA, QStringLiteral("A"), 250, 500);
    writeUnits(*m_siteB, QStringLiteral("B"), 250, 500);
    QTest::qWait(int(std::max<qint64>(0, 10000 - cut.elapsed())));
    QVERIFY(m_centre->start());

    const QString keys = QStringLiteral(
        "SELECT count(*) || ' ' || md5(string_agg(station || '/' || run_id || '/' || serial, ',' "
        "ORDER BY station, run_id)) FROM qc_unit");
    for (auto [site, name] : {std::pair{m_siteA.get(), "plant_a"}, {m_siteB.get(), "plant_b"}}) {
        const QString atSite = site->psql(keys);
        QVERIFY(atSite.startsWith(QStringLiteral("2000 ")));
        const QString atCentre = keys + QStringLiteral(" WHERE site = '%1'").arg(name);
        QTRY_COMPARE_WITH_TIMEOUT(m_centre->psql(atCentre), atSite, 90000);
    }
    QCOMPARE(number(*m_centre, QStringLiteral("SELECT count(*) FROM qc_unit")), 4000);
    QCOMPARE(number(*m_centre, QStringLiteral("SELECT count(*) FROM qc_parameter")), 8000);

    // The centre's report is the sum of the sites'.
    const QJsonObject a = report(*m_siteA);
    const QJsonObject b = report(*m_siteB);
    QTRY_VERIFY_WITH_TIMEOUT(
        !report(*m_centre).isEmpty() && report(*m_centre).value("results").toInt() == 4000, 30000);
    const QJsonObject centre = report(*m_centre);
    for (const char *key : {"results", "units", "passed", "failed"})
        QCOMPARE(centre.value(key).toInt(), a.value(key).toInt() + b.value(key).toInt());
    QVERIFY(a.value("failed").toInt() > 0);

    QVERIFY(cli({QStringLiteral("replicate"), QStringLiteral("--status"),
                 QStringLiteral("--centre"), m_centre->tcpUri(), QStringLiteral("--json")},
                &out) == 0);
    const QJsonArray sites =
        QJsonDocument::fromJson(out.toUtf8()).object().value("sites").toArray();
    QCOMPARE(sites.size(), 2);
    QCOMPARE(sites[1].toObject().value("site").toString(), QStringLiteral("plant_b"));
    QCOMPARE(sites[1].toObject().value("units").toInt(), 2000);

    // Set up again: refused as it stands; --replace copies the site anew, still once.
    QCOMPARE(cli({QStringLiteral("replicate"), QStringLiteral("--site"), m_siteA->tcpUri(),
                  QStringLiteral("--centre"), m_centre->tcpUri()},
                 &out, &err),
             1);
    QVERIFY2(err.contains(QStringLiteral("has a subscription plant_a already")), qPrintable(err));
    QVERIFY2(cli({QStringLiteral("replicate"), QStringLiteral("--site"), m_siteA->tcpUri(),
                  QStringLiteral("--centre"), m_centre->tcpUri(), QStringLiteral("--replace")},
                 &out, &err) == 0,
             qPrintable(err));
    writeUnits(*m_siteA, QStringLiteral("A"), 500, 510);
    const QString atSite = m_siteA->psql(keys);
    QVERIFY(atSite.startsWith(QStringLiteral("2040 ")));
    QTRY_COMPARE_WITH_TIMEOUT(m_centre->psql(keys + QStringLiteral(" WHERE site = 'plant_a'")),
                              atSite, 60000);

    // Removing a site leaves nothing of it at either end but its rows at the centre.
    QVERIFY2(cli({QStringLiteral("replicate"), QStringLiteral("--remove"), QStringLiteral("--name"),
                  QStringLiteral("plant_b"), QStringLiteral("--centre"), m_centre->tcpUri(),
                  QStringLiteral("--site"), m_siteB->tcpUri()},
                 &out, &err) == 0,
             qPrintable(err));
    QCOMPARE(m_centre->psql(QStringLiteral("SELECT string_agg(subname, ',') FROM pg_subscription")),
             QStringLiteral("plant_a"));
    QCOMPARE(m_siteB->psql(QStringLiteral("SELECT (SELECT count(*) FROM pg_replication_slots) + "
                                          "(SELECT count(*) FROM pg_publication)")),
             QStringLiteral("0"));
    QCOMPARE(
        number(*m_centre, QStringLiteral("SELECT count(*) FROM qc_unit WHERE site = 'plant_b'")),
        2000);
}

QTEST_GUILESS_MAIN(TestQcReplicate)
#include "tst_qc_replicate.moc"
