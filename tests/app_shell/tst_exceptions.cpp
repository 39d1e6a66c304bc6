#include "RecordingPresenter.h"
#include "app/GuardedApplication.h"

#include <QTimer>
#include <QtTest>
#include <stdexcept>

class TestExceptions : public QObject
{
    Q_OBJECT
private slots:
    void escapedExceptionIsShown_data();
    void escapedExceptionIsShown();
};

void TestExceptions::escapedExceptionIsShown_data()
{
    QTest::addColumn<bool>("inHandler");
    QTest::addColumn<QString>("text"); // empty: not a standard exception
    QTest::newRow("at start-up") << false << "start-up failed";
    QTest::newRow("in an event handler") << true << "handler failed";
    QTest::newRow("not a standard exception") << true << "";
}

void TestExceptions::escapedExceptionIsShown()
{
    QFETCH(bool, inHandler);
    QFETCH(QString, text);
    ScopedRecorder rec;
    const auto fail = [text] {
        if (text.isEmpty())
            throw 42;
        throw std::runtime_error(text.toStdString());
    };
    const int code = static_cast<GuardedApplication *>(qApp)->run([&] {
        if (!inHandler)
            fail();
        QTimer::singleShot(0, fail);
        return QApplication::exec() + 7; // the loop must end with the exception
    });
    QCOMPARE(code, 0);
    QCOMPARE(rec.presenter.boxes.size(), 1);
    QCOMPARE(rec.presenter.boxes[0].icon, MessagePresenter::Icon::Error);
    QCOMPARE(rec.presenter.boxes[0].caption, QStringLiteral("VELO2"));
    QCOMPARE(rec.presenter.boxes[0].text, text);
}

int main(int argc, char *argv[])
{
    GuardedApplication app(argc, argv);
    TestExceptions test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_exceptions.moc"
