#include "FakeSerialTree.h"
#include "ModalDriver.h"
#include "ScriptedChoosers.h"
#include "ui/dialogs/TFormSetting.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString kNotCom = QStringLiteral("不正なCOM指定です");
const QString kBadNumber = QStringLiteral("COM番号エラーです");
} // namespace

class TestComDialog : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void formDesign();
    void list_data();
    void list();
    void pickedEntryIsStored();
    void typed_data();
    void typed();
    void typedWithTheKeyboard();
    void typedNameDiffersFromTheSelectedEntry();
    void cancelAfterTyping();
    void closingOtherwiseCancels();
    void errorKeepsTheDialogOpenUntilFixed();
    void deviceLine();
    void noDescriberShowsNothing();
    void modalRoundTrip();
    void pluggedInDevices();

private:
    void open(qint32 port);
    void type(const QString &text);

    ScopedDialogSeams *m_seams = nullptr;
    TFormSetting *m_dlg = nullptr;
    qint32 m_port = 0;
    quint8 m_cancel = 0xEE;
};

void TestComDialog::init()
{
    m_seams = new ScopedDialogSeams;
    m_dlg = new TFormSetting;
    m_cancel = 0xEE;
}

void TestComDialog::cleanup()
{
    delete m_dlg;
    delete m_seams;
}

void TestComDialog::open(qint32 port)
{
    m_port = port;
    m_dlg->mPrepare(&m_port, &m_cancel);
    m_dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dlg));
}

void TestComDialog::type(const QString &text)
{
    // What the edit field holds after the user typed over the selected entry.
    m_dlg->ComboBox1->setEditText(text);
}

void TestComDialog::formDesign()
{
    open(1);
    QCOMPARE(m_dlg->windowTitle(), QStringLiteral("COMポートの設定"));
    QCOMPARE(m_dlg->Button1->text(), QStringLiteral("設定"));
    QCOMPARE(m_dlg->Button2->text(), QStringLiteral("取り消し"));
    QVERIFY(m_dlg->Button2->x() < m_dlg->Button1->x());
    QVERIFY(m_dlg->ComboBox1->isEditable());
    QCOMPARE(m_dlg->width(), 210);
    QVERIFY(!(m_dlg->windowFlags() & Qt::WindowCloseButtonHint));
    QCOMPARE(m_cancel, quint8(1)); // until "設定" passes
}

void TestComDialog::list_data()
{
    QTest::addColumn<int>("port");
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("selected");
    QTest::newRow("port 3") << 3 << 10 << 2;
    QTest::newRow("port 12") << 12 << 12 << 11;
    QTest::newRow("port 1") << 1 << 10 << 0;
    QTest::newRow("port 10") << 10 << 10 << 9;
    QTest::newRow("port 11") << 11 << 11 << 10;
    QTest::newRow("port 256") << 256 << 256 << 255;
    QTest::newRow("port 0 selects nothing") << 0 << 10 << -1;
}

void TestComDialog::list()
{
    QFETCH(int, port);
    QFETCH(int, entries);
    QFETCH(int, selected);
    open(12); // a longer list first: the list is rebuilt on every prepare
    open(port);
    QCOMPARE(m_dlg->ComboBox1->count(), entries);
    for (int i = 0; i < entries; ++i)
        QCOMPARE(m_dlg->ComboBox1->itemText(i), QStringLiteral("COM%1").arg(i + 1));
    QCOMPARE(m_dlg->ComboBox1->currentIndex(), selected);
    if (selected >= 0)
        QCOMPARE(m_dlg->ComboBox1->currentText(), QStringLiteral("COM%1").arg(port));
}

void TestComDialog::pickedEntryIsStored()
{
    open(3);
    m_dlg->ComboBox1->setCurrentIndex(6);
    QTest::mouseClick(m_dlg->Button1, Qt::LeftButton);
    QCOMPARE(m_port, 7);
    QCOMPARE(m_cancel, quint8(0));
    QVERIFY(!m_dlg->isVisible());
    QVERIFY(m_seams->messages.boxes.isEmpty());
}

void TestComDialog::typed_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("stored");    // 0: no change
    QTest::addColumn<QString>("error"); // the box shown, if any
    QTest::newRow("COM15") << "COM15" << 15 << "";
    QTest::newRow("COM256") << "COM256" << 256 << "";
    QTest::newRow("COM1") << "COM1" << 1 << "";
    QTest::newRow("COM007") << "COM007" << 7 << "";
    QTest::newRow("COM257") << "COM257" << 0 << kBadNumber;
    QTest::newRow("COM0") << "COM0" << 0 << kBadNumber;
    QTest::newRow("COM-1") << "COM-1" << 0 << kBadNumber;
    QTest::newRow("COM") << "COM" << 0 << kBadNumber;
    QTest::newRow("COMx") << "COMx" << 0 << kBadNumber;
    QTest::newRow("COM3x") << "COM3x" << 0 << kBadNumber;
    QTest::newRow("COM 3") << "COM 3" << 0 << kBadNumber;
    QTest::newRow("COM99999999999") << "COM99999999999" << 0 << kBadNumber;
    QTest::newRow("com3") << "com3" << 0 << kNotCom;
    QTest::newRow("PORT3") << "PORT3" << 0 << kNotCom;
    QTest::newRow("Com3") << "Com3" << 0 << kNotCom;
    QTest::newRow("empty") << "" << 0 << kNotCom;
    QTest::newRow("CO") << "CO" << 0 << kNotCom;
}

void TestComDialog::typed()
{
    QFETCH(QString, text);
    QFETCH(int, stored);
    QFETCH(QString, error);
    open(3);
    type(text);
    QTest::mouseClick(m_dlg->Button1, Qt::LeftButton);
    if (error.isEmpty()) {
        QVERIFY(m_seams->messages.boxes.isEmpty());
        QCOMPARE(m_port, stored);
        QCOMPARE(m_cancel, quint8(0));
        QVERIFY(!m_dlg->isVisible());
    } else {
        QCOMPARE(m_seams->messages.boxes.size(), 1);
        const RecordingPresenter::Box box = m_seams->messages.boxes.first();
        QCOMPARE(box.text, error);
        QCOMPARE(box.caption, QStringLiteral("エラー"));
        QCOMPARE(box.icon, MessagePresenter::Icon::Plain);
        QCOMPARE(m_port, 3);
        QCOMPARE(m_cancel, quint8(1));
        QVERIFY(m_dlg->isVisible());
        QCOMPARE(m_dlg->ComboBox1->currentText(), text); // the typed text stays for fixing
    }
}

void TestComDialog::typedWithTheKeyboard()
{
    open(3);
    QLineEdit *edit = m_dlg->ComboBox1->lineEdit();
    QVERIFY(edit);
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("COM15"));
    QCOMPARE(m_dlg->ComboBox1->currentText(), QStringLiteral("COM15"));
    // Return neither adds the name to the list nor closes the dialog.
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(m_dlg->ComboBox1->count(), 10);
    QTest::mouseClick(m_dlg->Button1, Qt::LeftButton);
    QCOMPARE(m_port, 15);
    QCOMPARE(m_cancel, quint8(0));
}

void TestComDialog::typedNameDiffersFromTheSelectedEntry()
{
    // The list keeps COM6 as its entry while the user types over it.
    open(6);
    type(QStringLiteral("COM2"));
    QTest::mouseClick(m_dlg->Button1, Qt::LeftButton);
    QCOMPARE(m_port, 2);
}

void TestComDialog::cancelAfterTyping()
{
    open(3);
    type(QStringLiteral("COM15"));
    QTest::mouseClick(m_dlg->Button2, Qt::LeftButton);
    QCOMPARE(m_port, 3);
    QCOMPARE(m_cancel, quint8(1));
    QVERIFY(!m_dlg->isVisible());
    QVERIFY(m_seams->messages.boxes.isEmpty());
}

void TestComDialog::closingOtherwiseCancels()
{
    open(3);
    type(QStringLiteral("COM15"));
    QTest::keyClick(m_dlg, Qt::Key_Escape);
    QVERIFY(!m_dlg->isVisible());
    QCOMPARE(m_cancel, quint8(1));
    open(3);
    m_dlg->close();
    QCOMPARE(m_cancel, quint8(1));
    QCOMPARE(m_port, 3);
}

void TestComDialog::errorKeepsTheDialogOpenUntilFixed()
{
    open(3);
    type(QStringLiteral("COM257"));
    QTest::mouseClick(m_dlg->Button1, Qt::LeftButton);
    type(QStringLiteral("com5"));
    QTest::mouseClick(m_dlg->Button1, Qt::LeftButton);
    type(QStringLiteral("COM5"));
    QTest::mouseClick(m_dlg->Button1, Qt::LeftButton);
    QCOMPARE(m_seams->messages.boxes.size(), 2);
    QCOMPARE(m_seams->messages.boxes[0].text, kBadNumber);
    QCOMPARE(m_seams->messages.boxes[1].text, kNotCom);
    QCOMPARE(m_port, 5);
    QCOMPARE(m_cancel, quint8(0));
}

void TestComDialog::deviceLine()
{
    QList<int> asked;
    m_dlg->setPortDescriber([&asked](int port) {
        asked << port;
        return QStringLiteral("/dev/ttyUSB%1").arg(port - 1);
    });
    open(3);
    QCOMPARE(m_dlg->LabelDevice->text(), QStringLiteral("/dev/ttyUSB2"));
    m_dlg->ComboBox1->setCurrentIndex(0);
    QCOMPARE(m_dlg->LabelDevice->text(), QStringLiteral("/dev/ttyUSB0"));
    type(QStringLiteral("COM15"));
    QCOMPARE(m_dlg->LabelDevice->text(), QStringLiteral("/dev/ttyUSB14"));
    // A long description is shortened to fit and kept whole in the tooltip.
    const QString longPath =
        QStringLiteral("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    m_dlg->setPortDescriber([longPath](int) { return longPath; });
    QVERIFY(m_dlg->LabelDevice->text() != longPath);
    QVERIFY(m_dlg->LabelDevice->text().contains(QChar(0x2026)));
    QVERIFY(m_dlg->LabelDevice->fontMetrics().horizontalAdvance(m_dlg->LabelDevice->text()) <=
            m_dlg->LabelDevice->width());
    QCOMPARE(m_dlg->LabelDevice->toolTip(), longPath);
    m_dlg->setPortDescriber([&asked](int port) {
        asked << port;
        return QStringLiteral("/dev/ttyUSB%1").arg(port - 1);
    });
    // Names the dialog would refuse resolve to nothing.
    asked.clear();
    for (const char *bad : {"COM257", "COMx", "PORT3", "COM"}) {
        type(QString::fromLatin1(bad));
        QCOMPARE(m_dlg->LabelDevice->text(), QString());
    }
    QVERIFY(asked.isEmpty());
}

void TestComDialog::noDescriberShowsNothing()
{
    open(3);
    QCOMPARE(m_dlg->LabelDevice->text(), QString());
    type(QStringLiteral("COM15"));
    QCOMPARE(m_dlg->LabelDevice->text(), QString());
}

void TestComDialog::modalRoundTrip()
{
    // The way the main window runs it: prepare, exec, read the flag.
    qint32 port = 12;
    quint8 cancel = 0xEE;
    m_dlg->mPrepare(&port, &cancel);
    whenModalShown<TFormSetting>([](TFormSetting *dlg) {
        dlg->ComboBox1->setEditText(QStringLiteral("COM200"));
        QTest::mouseClick(dlg->Button1, Qt::LeftButton);
    });
    QCOMPARE(m_dlg->exec(), int(QDialog::Accepted));
    QCOMPARE(port, 200);
    QCOMPARE(cancel, quint8(0));
}

void TestComDialog::pluggedInDevices()
{
    QTemporaryDir root, settings;
    const FakeSerialTree tree(root.path());
    QVERIFY(QFile::link("/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0",
                        settings.filePath("COM5")));
    m_dlg->setSerialPortDiscovery(
        SerialPortDiscovery(root.path(), settings.path(), tree.user("ada")));
    open(5);
    QVERIFY(m_dlg->DeviceInfo->isVisible());
    QVERIFY(m_dlg->DeviceInfo->text().startsWith("/dev/ttyUSB1  COM5 (link)\n"));
    QCOMPARE(m_dlg->DeviceList->count(), 5); // "no change" and the four ports
    QCOMPARE(m_dlg->DeviceList->itemText(1), QStringLiteral("ttyUSB0  1a86:7523 USB Serial  COM1"));

    // The CH340 chosen for COM2: COM2 becomes a link to its stable name.
    m_dlg->ComboBox1->setCurrentIndex(1);
    m_dlg->DeviceList->setCurrentIndex(1);
    QVERIFY(m_dlg->DeviceInfo->text().startsWith("/dev/ttyUSB0  COM1"));
    QTest::mouseClick(m_dlg->Button1, Qt::LeftButton);
    QCOMPARE(m_port, 2);
    QCOMPARE(m_cancel, quint8(0));
    QCOMPARE(QFileInfo(settings.filePath("COM2")).symLinkTarget(),
             QStringLiteral("/dev/serial/by-id/usb-1a86_USB_Serial-if00-port0"));

    // A real file named COM7 is never replaced: a box says so and the dialog stays open.
    QFile file(settings.filePath("COM7"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    open(7);
    m_dlg->DeviceList->setCurrentIndex(2);
    QTest::mouseClick(m_dlg->Button1, Qt::LeftButton);
    QCOMPARE(m_seams->messages.boxes.size(), 1);
    QCOMPARE(m_seams->messages.boxes.first().icon, MessagePresenter::Icon::Error);
    QCOMPARE(m_port, 7);
    QCOMPARE(m_cancel, quint8(1));
    QVERIFY(m_dlg->isVisible());
    QVERIFY(!QFileInfo(settings.filePath("COM7")).isSymLink());
}

QTEST_MAIN(TestComDialog)
#include "tst_dialogs_com.moc"
