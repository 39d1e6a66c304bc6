#include "DataFiles.h"
#include "core/document/MeasurementDocument.h"

#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <type_traits>

// Only named in unevaluated operands, so never defined.
MeasurementDocument &doc();

namespace {

// What the document hands out for reading cannot be written through.
template <typename T>
constexpr bool readOnly =
    !std::is_lvalue_reference_v<T> || std::is_const_v<std::remove_reference_t<T>>;
static_assert(readOnly<decltype(doc().saved())> && readOnly<decltype(doc().oldFormatLoaded())> &&
              readOnly<decltype(doc().refCount())> && readOnly<decltype(doc().dataFileName())> &&
              readOnly<decltype(doc().unitSerial())> && readOnly<decltype(doc().measurement())> &&
              readOnly<decltype(doc().reference(0))> && readOnly<decltype(doc().refFileNames())>);

// The references held are the first refCount slots, each valid and named; the others are
// not valid (a cleared slot keeps its file's name).
bool referencesAgree(const MeasurementDocument &d)
{
    for (int s = 0; s < kReferenceSlots; ++s) {
        const bool held = s < d.refCount();
        if ((d.reference(s).valid == 1) != held || (held && d.refFileNames()[size_t(s)].isEmpty()))
            return false;
    }
    return true;
}

} // namespace

class TestDocument : public QObject
{
    Q_OBJECT
private slots:
    void referenceCountFollowsTheSlots_data();
    void referenceCountFollowsTheSlots();
    void savedFollowsTheMeasurement();

private:
    QString put(const QString &name, const QByteArray &content)
    {
        return datafiles::write(m_dir.filePath(name), content) ? m_dir.filePath(name) : QString();
    }
    QTemporaryDir m_dir;
};

void TestDocument::referenceCountFollowsTheSlots_data()
{
    QTest::addColumn<QStringList>("names"); // "good", "bad" (data file) or a table
    QTest::addColumn<int>("count");
    QTest::newRow("a bad file stops the selection") << QStringList{"good", "bad", "good"} << 1;
    QTest::newRow("a bad table stops it too") << QStringList{"good", "table"} << 1;
    QTest::newRow("too many loads none") << QStringList(6, "good") << 0;
}

void TestDocument::referenceCountFollowsTheSlots()
{
    QFETCH(QStringList, names);
    QFETCH(int, count);
    const QString bad = put("bad.DTA", "DataFile:HK-B\r\n");
    QStringList paths;
    for (const QString &n : names)
        paths << (n == "good"  ? put("good.DTA", datafiles::bytes({}))
                  : n == "bad" ? bad
                               : put("bad.txt", "no numbers here\n"));
    auto d = std::make_unique<MeasurementDocument>();
    QCOMPARE(d->loadReferences(paths).loaded, count);
    QCOMPARE(d->refCount(), count);
    QVERIFY(referencesAgree(*d));
    QCOMPARE(d->addReference(bad), ReferenceLoad::BadFile);
    QVERIFY(d->refCount() == count && referencesAgree(*d));
    d->clearReferences();
    QVERIFY(d->refCount() == 0 && referencesAgree(*d));
}

void TestDocument::savedFollowsTheMeasurement()
{
    datafiles::FileShape old;
    old.tag = "DataFile:HK-A";
    auto d = std::make_unique<MeasurementDocument>();
    qint32 port = 1;
    QCOMPARE(d->open(put("old.DTA", datafiles::bytes(old)), port), OpenOutcome::Opened);
    QVERIFY(port == old.port && d->saved() == 1 && d->oldFormatLoaded() == 1);

    // A run: no file, not saved, in the current form, whatever it leaves.
    const MeasurementDocument::RunTarget target = d->runTarget();
    d->beginRun();
    QCOMPARE(&target.record, &d->measurement());
    QVERIFY(d->saved() == 0 && d->dataFileName().isEmpty() && d->oldFormatLoaded() == 0);
    target.record.valid = 1;
    QVERIFY(d->hasUnsavedMeasurement());

    const QString copy = m_dir.filePath("copy.DTA");
    QCOMPARE(d->save(copy, 7), WriteOutcome::Written);
    QVERIFY(d->saved() == 1 && d->dataFileName() == copy);
    QVERIFY(datafiles::read(copy).contains("CommPortNum:7\r\n"));
    QCOMPARE(d->open(m_dir.filePath("missing.DTA"), port), OpenOutcome::NotReadable);
    QVERIFY(d->saved() == 0 && !d->hasMeasurement());
}

QTEST_GUILESS_MAIN(TestDocument)
#include "tst_document.moc"
