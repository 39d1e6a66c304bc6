#include "ScriptedChoosers.h"
#include "core/files/AnsiText.h"
#include "ui/graph/TFormSetColor.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

namespace {

const QColor kPink(255, 0, 128);
const QColor kGreen(0, 160, 64);
const QColor kOrange(255, 160, 0);

// Every field of the record, colours as 0x00BBGGRR words.
QStringList fields(const Settings &s)
{
    QStringList out{QString::number(s.comPort), QString::number(s.colorR, 16),
                    QString::number(s.colorTheta, 16)};
    for (int i = 0; i < kReferenceSlots; ++i)
        out << QString::number(s.refColorR[i], 16) << QString::number(s.refColorTheta[i], 16);
    for (const QByteArray &line : s.printInfo)
        out << fromAnsi(line);
    return out;
}

Settings sampleSettings()
{
    Settings s;
    s.comPort = 7;
    s.colorR = 0x00102030;
    s.printInfo[0] = toAnsi(QStringLiteral("スピーカ A"));
    s.printInfo[2] = "line: 3";
    for (int i = 0; i < kReferenceSlots; ++i) {
        s.refColorR[i] = 0x00010000u * ColorRef(i + 1);
        s.refColorTheta[i] = 0x00000100u * ColorRef(i + 1);
    }
    return s;
}

// The colour inside a swatch, and its outline.
QColor inside(QWidget *swatch)
{
    return swatch->grab().toImage().pixelColor(swatch->width() / 2, swatch->height() / 2);
}
QColor outline(QWidget *swatch)
{
    return swatch->grab().toImage().pixelColor(0, 0);
}

} // namespace

class TestColorDialog : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void formDesign();
    void swatchesShowTheSettings();
    void closing_data();
    void closing();
    void swatchesFollowTheSelector();
    void cancelledChooserKeepsTheColour();
    void chooserOpensWithItsLastColour();
    void measurementSwatches();
    void setWithoutChangesWritesTheSameValues();
    void reopeningDropsCancelledChanges();

private:
    void open(Settings &settings);
    void pick(QWidget *swatch, const QColor &colour);

    ScopedDialogSeams *m_seams = nullptr;
    TFormSetColor *m_dlg = nullptr;
    quint8 m_result = 0xEE;
};

void TestColorDialog::init()
{
    m_seams = new ScopedDialogSeams;
    m_dlg = new TFormSetColor;
    m_result = 0xEE;
}

void TestColorDialog::cleanup()
{
    delete m_dlg;
    delete m_seams;
}

void TestColorDialog::open(Settings &settings)
{
    m_dlg->mPrepare(&settings, &m_result);
    m_dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_dlg));
}

void TestColorDialog::pick(QWidget *swatch, const QColor &colour)
{
    m_seams->colors.answers.append(colour);
    QTest::mouseClick(swatch, Qt::LeftButton);
}

void TestColorDialog::formDesign()
{
    Settings s;
    open(s);
    QCOMPARE(m_dlg->windowTitle(), QStringLiteral("グラフ線色設定"));
    QCOMPARE(m_dlg->size(), QSize(241, 349));
    QCOMPARE(m_dlg->GroupBox2->title(), QStringLiteral("測定データ"));
    QCOMPARE(m_dlg->GroupBox3->title(), QStringLiteral("参照データ"));
    QCOMPARE(m_dlg->Label2->text(), QStringLiteral("抵抗値グラフ"));
    QCOMPARE(m_dlg->Label3->text(), QStringLiteral("位相角グラフ"));
    QCOMPARE(m_dlg->Label4->text(), QStringLiteral("抵抗値グラフ"));
    QCOMPARE(m_dlg->Label5->text(), QStringLiteral("位相角グラフ"));
    QCOMPARE(m_dlg->CancelBtn->text(), QStringLiteral("取り消し"));
    QCOMPARE(m_dlg->SetBtn->text(), QStringLiteral("設定"));
    QVERIFY(m_dlg->CancelBtn->x() < m_dlg->SetBtn->x());
    QCOMPARE(m_dlg->PaintBox3->geometry(), QRect(96, 64, 32, 24));
    QCOMPARE(m_dlg->PaintBox4->geometry(), QRect(96, 97, 32, 24));

    QStringList entries;
    for (int i = 0; i < m_dlg->ComboBox1->count(); ++i)
        entries << m_dlg->ComboBox1->itemText(i);
    QCOMPARE(entries, (QStringList{"データ１", "データ２", "データ３", "データ４", "データ５"}));
    // Not editable, so a reference slot is always selected.
    QVERIFY(!m_dlg->ComboBox1->isEditable());
    QCOMPARE(m_dlg->ComboBox1->currentIndex(), 0);
    // No close box in the title bar.
    QVERIFY(!(m_dlg->windowFlags() & Qt::WindowCloseButtonHint));
}

void TestColorDialog::swatchesShowTheSettings()
{
    Settings s = sampleSettings();
    open(s);
    QCOMPARE(inside(m_dlg->PaintBox1), toQColor(s.colorR));
    QCOMPARE(inside(m_dlg->PaintBox2), toQColor(s.colorTheta));
    QCOMPARE(inside(m_dlg->PaintBox3), toQColor(s.refColorR[0]));
    QCOMPARE(inside(m_dlg->PaintBox4), toQColor(s.refColorTheta[0]));
    QCOMPARE(outline(m_dlg->PaintBox1), QColor(Qt::black));
    QCOMPARE(outline(m_dlg->PaintBox4), QColor(Qt::black));
}

void TestColorDialog::closing_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("stored");
    QTest::newRow("設定") << "set" << true;
    QTest::newRow("取り消し") << "cancel" << false;
    QTest::newRow("window closed") << "close" << false;
    QTest::newRow("Escape") << "escape" << false;
}

void TestColorDialog::closing()
{
    QFETCH(QString, how);
    QFETCH(bool, stored);
    Settings s = sampleSettings();
    const QStringList before = fields(s);
    open(s);

    m_dlg->ComboBox1->setCurrentIndex(2); // データ３
    pick(m_dlg->PaintBox3, kPink);
    m_dlg->ComboBox1->setCurrentIndex(0); // データ１
    pick(m_dlg->PaintBox4, kGreen);
    QCOMPARE(fields(s), before); // nothing reaches the settings before the dialog closes

    if (how == "set")
        QTest::mouseClick(m_dlg->SetBtn, Qt::LeftButton);
    else if (how == "cancel")
        QTest::mouseClick(m_dlg->CancelBtn, Qt::LeftButton);
    else if (how == "close")
        m_dlg->close();
    else
        QTest::keyClick(m_dlg, Qt::Key_Escape);
    QVERIFY(!m_dlg->isVisible());

    Settings expected = sampleSettings();
    if (stored) {
        expected.refColorR[2] = toColorRef(kPink);
        expected.refColorTheta[0] = toColorRef(kGreen);
    }
    // COM port and print lines are the same either way.
    QCOMPARE(fields(s), fields(expected));
    QCOMPARE(m_result, quint8(stored ? 0 : 1));
    QCOMPARE(m_dlg->result(), int(stored ? QDialog::Accepted : QDialog::Rejected));
}

void TestColorDialog::swatchesFollowTheSelector()
{
    Settings s = sampleSettings();
    open(s);
    m_dlg->ComboBox1->setCurrentIndex(2);
    QCOMPARE(inside(m_dlg->PaintBox3), toQColor(s.refColorR[2]));
    QCOMPARE(inside(m_dlg->PaintBox4), toQColor(s.refColorTheta[2]));
    pick(m_dlg->PaintBox3, kPink);
    QCOMPARE(inside(m_dlg->PaintBox3), kPink);

    // Another slot shows its own colours ...
    m_dlg->ComboBox1->setCurrentIndex(4);
    QCOMPARE(inside(m_dlg->PaintBox3), toQColor(s.refColorR[4]));
    QCOMPARE(inside(m_dlg->PaintBox4), toQColor(s.refColorTheta[4]));
    pick(m_dlg->PaintBox4, kGreen);

    // ... and going back shows the unconfirmed choices of each slot.
    m_dlg->ComboBox1->setCurrentIndex(2);
    QCOMPARE(inside(m_dlg->PaintBox3), kPink);
    QCOMPARE(inside(m_dlg->PaintBox4), toQColor(s.refColorTheta[2]));
    m_dlg->ComboBox1->setCurrentIndex(4);
    QCOMPARE(inside(m_dlg->PaintBox3), toQColor(s.refColorR[4]));
    QCOMPARE(inside(m_dlg->PaintBox4), kGreen);
    // The measurement swatches do not follow the selector.
    QCOMPARE(inside(m_dlg->PaintBox1), toQColor(s.colorR));

    QTest::mouseClick(m_dlg->SetBtn, Qt::LeftButton);
    QCOMPARE(s.refColorR[2], toColorRef(kPink));
    QCOMPARE(s.refColorTheta[4], toColorRef(kGreen));
    QCOMPARE(s.refColorTheta[2], sampleSettings().refColorTheta[2]);
    QCOMPARE(s.refColorR[4], sampleSettings().refColorR[4]);
}

void TestColorDialog::cancelledChooserKeepsTheColour()
{
    Settings s = sampleSettings();
    open(s);
    pick(m_dlg->PaintBox1, QColor()); // the chooser was cancelled
    QCOMPARE(m_seams->colors.openedWith.size(), 1);
    QCOMPARE(inside(m_dlg->PaintBox1), toQColor(s.colorR));
    QTest::mouseClick(m_dlg->SetBtn, Qt::LeftButton);
    QCOMPARE(s.colorR, sampleSettings().colorR);
    QCOMPARE(m_result, quint8(0));
}

void TestColorDialog::chooserOpensWithItsLastColour()
{
    Settings s = sampleSettings();
    open(s);
    pick(m_dlg->PaintBox2, kOrange);
    pick(m_dlg->PaintBox3, QColor()); // cancelled: the preset stays
    pick(m_dlg->PaintBox1, kPink);
    pick(m_dlg->PaintBox4, kGreen);
    // Black the first time, then whatever it returned last, never the swatch's colour.
    QCOMPARE(m_seams->colors.openedWith, (QList<QColor>{Qt::black, kOrange, kOrange, kPink}));
}

void TestColorDialog::measurementSwatches()
{
    Settings s = sampleSettings();
    open(s);
    pick(m_dlg->PaintBox1, kOrange);
    pick(m_dlg->PaintBox2, kGreen);
    QCOMPARE(inside(m_dlg->PaintBox1), kOrange);
    QCOMPARE(inside(m_dlg->PaintBox2), kGreen);
    QTest::mouseClick(m_dlg->SetBtn, Qt::LeftButton);
    QCOMPARE(s.colorR, ColorRef(0x0000A0FF)); // 0x00BBGGRR
    QCOMPARE(s.colorTheta, ColorRef(0x0040A000));
}

void TestColorDialog::setWithoutChangesWritesTheSameValues()
{
    Settings s = sampleSettings();
    open(s);
    QTest::mouseClick(m_dlg->SetBtn, Qt::LeftButton);
    QCOMPARE(fields(s), fields(sampleSettings()));
    QCOMPARE(m_result, quint8(0));
    QVERIFY(m_seams->colors.openedWith.isEmpty());
}

void TestColorDialog::reopeningDropsCancelledChanges()
{
    Settings s = sampleSettings();
    open(s);
    m_dlg->ComboBox1->setCurrentIndex(3);
    pick(m_dlg->PaintBox3, kPink);
    QTest::mouseClick(m_dlg->CancelBtn, Qt::LeftButton);

    open(s);
    // A fresh copy, and the selector back on データ１.
    QCOMPARE(m_dlg->ComboBox1->currentIndex(), 0);
    m_dlg->ComboBox1->setCurrentIndex(3);
    QCOMPARE(inside(m_dlg->PaintBox3), toQColor(s.refColorR[3]));
    QTest::mouseClick(m_dlg->SetBtn, Qt::LeftButton);
    QCOMPARE(fields(s), fields(sampleSettings()));
}

QTEST_MAIN(TestColorDialog)
#include "tst_dialogs_color.moc"
