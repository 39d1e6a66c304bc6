#include "DataFiles.h"
#include "core/document/MeasurementDocument.h"

#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <type_traits>

namespace {

// What the document hands out for reading cannot be written through.
template <typename T>
constexpr bool readOnly =
    !std::is_lvalue_reference_v<T> || std::is_const_v<std::remove_reference_t<T>>;
MeasurementDocument &doc();
static_assert(readOnly<decltype(doc().saved())>);
static_assert(readOnly<decltype(doc().oldFormatLoaded())>);
static_assert(readOnly<decltype(doc().refCount())>);
static_assert(readOnly<decltype(doc().dataFileName())>);
static_assert(readOnly<decltype(doc().unitSerial())>);
static_assert(readOnly<decltype(doc().measurement())>);
static_assert(readOnly<decltype(doc().reference(0))>);
static_assert(readOnly<decltype(doc().refFileNames())>);

// The references held are the first refCount slots, each valid and named.
bool referencesAgree(const MeasurementDocument &d)
{
    for (int s = 0; s < kReferenceSlots; ++s) {
        const bool held = s < d.refCount();
        if ((d.reference(s).valid == 1) != held || d.refFileNames()[size_t(s)].isEmpty() == held)
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
    QString file(const QString &name, const QByteArray &content)
    {
        const QString path = m_dir.filePath(name);
        return datafiles::write(path, content) ? path : QString();
    }
    QTemporaryDir m_dir;
};

void TestDocument::referenceCountFollowsTheSlots_data()
{
    QTest::addColumn<QStringList>("names"); // "good", "bad" or "table"
    QTest::addColumn<int>("count");
    QTest::newRow("two good") << QStringList{"good", "good"} << 2;
    QTest::newRow("a bad file stops the selection") << QStringList{"good", "bad", "good"} << 1;
    QTest::newRow("a bad table stops it too") << QStringList{"good", "table"} << 1;
    QTest::newRow("too many loads none") << QStringList(6, "good") << 0;
}

void TestDocument::referenceCountFollowsTheSlots()
{
    QFETCH(QStringList, names);
    QFETCH(int, count);
    const QString good = file("good.DTA", datafiles::bytes({}));
    const QString bad = file("bad.DTA", "DataFile:HK-B\r\n");
    const QString table = file("bad.txt", "no numbers here\n");
    QStringList paths;
    for (const QString &n : names)
        paths << (n == "good" ? good : n == "bad" ? bad : table);
    auto d = std::make_unique<MeasurementDocument>();
    QVERIFY(referencesAgree(*d));

    QCOMPARE(d->loadReferences(paths).loaded, count);
    QCOMPARE(d->refCount(), count);
    QVERIFY(referencesAgree(*d));
    // A failed single load leaves the count and the slots as they were.
    QCOMPARE(d->addReference(bad), ReferenceLoad::BadFile);
    QCOMPARE(d->refCount(), count);
    QVERIFY(referencesAgree(*d));
    d->clearReferences();
    QCOMPARE(d->refCount(), 0);
    QVERIFY(referencesAgree(*d));
}

void TestDocument::savedFollowsTheMeasurement()
{
    datafiles::FileShape old;
    old.tag = "DataFile:HK-A";
    const QString first = file("old.DTA", datafiles::bytes(old));
    auto d = std::make_unique<MeasurementDocument>();
    int port = 1;
    QCOMPARE(d->open(first, port), OpenOutcome::Opened);
    QCOMPARE(port, old.port);
    QVERIFY(!d->hasUnsavedMeasurement());
    QCOMPARE(d->oldFormatLoaded(), quint8(1));

    // A run: no file, not saved, current form, whatever it leaves.
    const MeasurementDocument::RunTarget target = d->beginRun();
    QCOMPARE(&target.record, &d->measurement());
    QCOMPARE(d->saved(), quint8(0));
    QVERIFY(d->dataFileName().isEmpty());
    QCOMPARE(d->oldFormatLoaded(), quint8(0));
    target.record.valid = 1;
    QVERIFY(d->hasUnsavedMeasurement());

    const QString copy = m_dir.filePath("copy.DTA");
    QCOMPARE(d->save(copy, 7), WriteOutcome::Written);
    QCOMPARE(d->saved(), quint8(1));
    QCOMPARE(d->dataFileName(), copy);
    QVERIFY(datafiles::read(copy).contains("CommPortNum:7\r\n"));
    QCOMPARE(d->open(m_dir.filePath("missing.DTA"), port), OpenOutcome::NotReadable);
    QCOMPARE(d->saved(), quint8(0));
    QVERIFY(!d->hasMeasurement());
}

QTEST_GUILESS_MAIN(TestDocument)
#include "tst_document.moc"
