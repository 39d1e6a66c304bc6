#include "DataFiles.h"
#include "core/document/MeasurementDocument.h"
#include "core/document/UndoHistory.h"
#include "core/document/WorkspaceFile.h"
#include "core/files/RecentFiles.h"

#include <QTemporaryDir>
#include <QtTest>
#include <memory>

// Workspace files, the undo history and the recent-files list.
class TestWorkspace : public QObject
{
    Q_OBJECT
private slots:
    void roundTripGivesTheSameState();
    void filesThatMovedOrBroke_data();
    void filesThatMovedOrBroke();
    void badWorkspaceChangesNothing_data();
    void badWorkspaceChangesNothing();
    void historyKeepsFiftyStepsAndTheMeasurement();
    void recentFilesKeepTenNewestFirst();

private:
    QString put(const QString &name, const QByteArray &content)
    {
        return datafiles::write(m_dir.filePath(name), content) ? m_dir.filePath(name) : QString();
    }
    // A measurement, a data-file reference and a table reference without a phase, with
    // inputs whose texts need escaping.
    WorkspaceState sample()
    {
        datafiles::FileShape shape;
        const QString free = put("free.DTA", datafiles::bytes(shape));
        shape.peakOhm = 40.0;
        const QString ref = put("ref 1.DTA", datafiles::bytes(shape));
        const QString table = put("参照.txt", "20 6.1\n100 7.5\n1000 9.0\n5000 12\n");
        auto doc = std::make_unique<MeasurementDocument>();
        qint32 port = 1;
        doc->open(free, port);
        doc->loadReferences({ref, table});
        WorkspaceState s;
        s.document = doc->state();
        s.view.view = QStringLiteral("nyquist");
        s.view.legend = s.view.rOnly = true;
        s.view.averaging = false;
        s.view.referenceSlot = 1;
        s.colours.refR[3] = 0x123456;
        s.worksheet.insert(QStringLiteral("ReEdit"), QStringLiteral("6,2"));
        s.worksheet.insert(QStringLiteral("Odd=Name"), QStringLiteral("100%\r\n温度=x"));
        return s;
    }
    QTemporaryDir m_dir;
};

void TestWorkspace::roundTripGivesTheSameState()
{
    const WorkspaceState before = sample();
    QCOMPARE(before.document.refCount, 2);
    WorkspaceState after;
    const WorkspaceRead read = readWorkspaceBytes(workspaceBytes(before), after);
    QVERIFY(read.ok());
    QVERIFY(read.notes.isEmpty());
    QVERIFY(after.view == before.view && after.colours == before.colours);
    QCOMPARE(after.worksheet, before.worksheet);
    QVERIFY(*after.document.measurement == *before.document.measurement);
    QVERIFY(after == before);
    // Restored into another document, the document is the same again.
    auto doc = std::make_unique<MeasurementDocument>();
    doc->restore(after.document);
    QVERIFY(doc->state() == before.document);
    QVERIFY(doc->measurementHasPhase() && !doc->referenceHasPhase(1));
}

void TestWorkspace::filesThatMovedOrBroke_data()
{
    QTest::addColumn<QString>("damage"); // what happens to the files or the embedded copy
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("references");
    QTest::newRow("measurement moved") << "remove free" << int(WorkspaceNote::Moved) << -1 << 2;
    QTest::newRow("reference edited") << "edit ref" << int(WorkspaceNote::Changed) << 0 << 2;
    QTest::newRow("copy damaged, file read")
        << "break copy 1" << int(WorkspaceNote::FromFile) << 0 << 2;
    QTest::newRow("copy damaged, file gone")
        << "break copy 1, remove ref" << int(WorkspaceNote::Lost) << 0 << 1;
}

void TestWorkspace::filesThatMovedOrBroke()
{
    QFETCH(QString, damage);
    QFETCH(int, kind);
    QFETCH(int, slot);
    QFETCH(int, references);
    const WorkspaceState before = sample();
    QByteArray bytes = workspaceBytes(before);
    if (damage.contains("remove free"))
        QVERIFY(QFile::remove(m_dir.filePath("free.DTA")));
    if (damage.contains("remove ref"))
        QVERIFY(QFile::remove(m_dir.filePath("ref 1.DTA")));
    if (damage.contains("edit ref"))
        put("ref 1.DTA", datafiles::bytes({}));
    if (damage.contains("break copy 1")) {
        const int at = bytes.indexOf("points=", bytes.indexOf("[reference 1]"));
        bytes[at + 20] = '!';
    }
    WorkspaceState after;
    const WorkspaceRead read = readWorkspaceBytes(bytes, after);
    QVERIFY(read.ok());
    QCOMPARE(read.notes.size(), 1);
    QCOMPARE(int(read.notes[0].kind), kind);
    QCOMPARE(read.notes[0].slot, slot);
    QCOMPARE(after.document.refCount, references);
    // The measurement is always the embedded copy; a reference read from its file is the one
    // that was written.
    QVERIFY(*after.document.measurement == *before.document.measurement);
    if (kind != WorkspaceNote::Lost)
        QVERIFY(*after.document.references[0] == *before.document.references[0]);
    else
        QVERIFY(*after.document.references[0] == *before.document.references[1]);
}

void TestWorkspace::badWorkspaceChangesNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("status");
    QTest::newRow("not one") << QByteArray("DataFile:HK-A2\r\n")
                             << int(WorkspaceRead::NotWorkspace);
    QTest::newRow("newer") << QByteArray("VELO2 workspace 2\r\n")
                           << int(WorkspaceRead::NewerVersion);
    QTest::newRow("line before a section")
        << QByteArray("VELO2 workspace 1\r\nview=rx\r\n") << int(WorkspaceRead::Damaged);
    QTest::newRow("bad colour") << QByteArray("VELO2 workspace 1\r\n[colours]\r\nr=GG\r\n")
                                << int(WorkspaceRead::Damaged);
    QTest::newRow("six references")
        << QByteArray("VELO2 workspace 1\r\n[references]\r\ncount=6\r\n")
        << int(WorkspaceRead::Damaged);
}

void TestWorkspace::badWorkspaceChangesNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, status);
    WorkspaceState state = sample();
    const WorkspaceState before = state;
    QCOMPARE(int(readWorkspaceBytes(bytes, state).status), status);
    QVERIFY(state == before);
    QCOMPARE(int(readWorkspace(m_dir.filePath("none.velo2ws"), state).status),
             int(WorkspaceRead::Unreadable));
}

void TestWorkspace::historyKeepsFiftyStepsAndTheMeasurement()
{
    const WorkspaceState start = sample();
    UndoHistory history;
    history.reset(start);
    QVERIFY(!history.record(start));
    WorkspaceState s = start;
    for (int i = 0; i < 60; ++i) {
        s.worksheet[QStringLiteral("ReEdit")] = QString::number(i);
        QVERIFY(history.record(s));
    }
    QVERIFY(history.undoSteps() >= 50);
    for (int i = 59; i > 9; --i) {
        QCOMPARE(history.current().worksheet.value("ReEdit"), QString::number(i));
        QVERIFY(history.undo(history.current()));
    }
    QVERIFY(history.redo(history.current()));
    QCOMPARE(history.current().worksheet.value("ReEdit"), QString::number(10));

    // A measurement from a file is undone back to the one before; one from a run never is.
    WorkspaceState opened = history.current();
    auto fromFile = std::make_shared<MeasurementPart>(*opened.document.measurement);
    fromFile->curve.fileName = QStringLiteral("other.DTA");
    opened.document.measurement = fromFile;
    QVERIFY(history.record(opened, UndoHistory::Step::Measurement));
    QVERIFY(history.undo(opened)->document.measurement == start.document.measurement);
    QVERIFY(history.redo(history.current())->document.measurement == fromFile);
    WorkspaceState measured = history.current();
    auto run = std::make_shared<MeasurementPart>(*fromFile);
    run->saved = 0;
    measured.document.measurement = run;
    while (const auto back = history.undo(measured)) {
        QVERIFY(*back->document.measurement == *run);
        measured = *back;
    }
    QVERIFY(*history.redo(measured)->document.measurement == *run);
}

void TestWorkspace::recentFilesKeepTenNewestFirst()
{
    RecentFiles recent(m_dir.filePath("recent.txt"));
    QVERIFY(recent.paths().isEmpty());
    for (int i = 0; i < 12; ++i)
        QVERIFY(recent.add(m_dir.filePath(QStringLiteral("f%1.DTA").arg(i))));
    QVERIFY(recent.add(m_dir.filePath("f5.DTA")));
    QStringList paths = recent.paths();
    QCOMPARE(paths.size(), RecentFiles::kMaxFiles);
    QCOMPARE(paths.first(), m_dir.filePath("f5.DTA"));
    QCOMPARE(paths.count(m_dir.filePath("f5.DTA")), 1);
    QCOMPARE(paths.last(), m_dir.filePath("f2.DTA"));
    QVERIFY(recent.remove(paths.first()));
    QVERIFY(!recent.paths().contains(m_dir.filePath("f5.DTA")));
}

QTEST_GUILESS_MAIN(TestWorkspace)
#include "tst_workspace.moc"
