#include "RecordingPresenter.h"
#include "core/graph/WindowFont.h"
#include "ui/common/HStatus.h"
#include "ui/common/QtTranslation.h"
#include "ui/common/TH_Message.h"
#include "ui/common/TStatusBar.h"
#include "ui/main/GuardedApplication.h"

#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <stdexcept>

using Icon = MessagePresenter::Icon;
Q_DECLARE_METATYPE(std::function<void(const TH_Message &)>)
Q_DECLARE_METATYPE(std::function<void(const HStatus &)>)
Q_DECLARE_METATYPE(Icon)

class TestMessages : public QObject
{
    Q_OBJECT
private slots:
    void boxes_data();
    void boxes();
    void questionsReturnTheAnswer();
    void fatalMemoryBeforeTheObjectExists();
    void captionIsCutToTheBuffer();
    void panelWidthRule_data();
    void panelWidthRule();
    void statusTexts_data();
    void statusTexts();
    void panelWidthFollowsTheMeasuredText();
    void panelAboveHighestIsIgnored();
    void panelLooksLikeALabel_data();
    void panelLooksLikeALabel();
    void qtButtonsReadJapanese();
    void escapedExceptionIsShown_data();
    void escapedExceptionIsShown();
};

void TestMessages::boxes_data()
{
    using Fn = std::function<void(const TH_Message &)>;
    QTest::addColumn<Fn>("call");
    QTest::addColumn<Icon>("icon");
    QTest::addColumn<QString>("text");
    auto row = [](const char *name, Fn f, Icon icon, const QString &text) {
        QTest::newRow(name) << f << icon << text;
    };
    row(
        "fatal", [](auto &m) { m.msgFatalMemory("HStatus"); }, Icon::Error,
        "致命的なメモリエラーです:HStatus");
    row(
        "settings", [](auto &m) { m.msgSettingsNotSaved(); }, Icon::Warning,
        "初期設定ファイルを保存できませんでした");
    row(
        "bad file", [](auto &m) { m.msgBadDataFile(); }, Icon::Error,
        "データファイルの内容が正しくありませんでした");
    row(
        "com", [](auto &m) { m.msgComOpenFailed(); }, Icon::Error,
        "COMポートが開けませんでした。COM番号を確認して下さい。");
    row(
        "unit", [](auto &m) { m.msgUnitNotFound(); }, Icon::Error,
        "HK-A2ユニットが見つかりませんでした。COM番号を確認して下さい。");
    row(
        "calc", [](auto &m) { m.msgCalcDataError(); }, Icon::Error,
        "データエラーで計算できませんでした");
    row(
        "no data", [](auto &m) { m.msgNoData(); }, Icon::Error, "データがありません");
    row(
        "start", [](auto &m) { m.askDiscardAndStart(); }, Icon::Question,
        "測定データを保存していません。破棄して新しい測定を開始しますか？");
    row(
        "close", [](auto &m) { m.askDiscardOnClose(); }, Icon::Question,
        "測定データを保存していません。データを破棄しますか？");
    row(
        "quit", [](auto &m) { m.askQuitUnsaved(); }, Icon::Question,
        "測定データを保存していません。終了しますか？");
    row(
        "open", [](auto &m) { m.askDiscardOnOpen(); }, Icon::Question,
        "測定データを保存していません。破棄しますか？");
    row(
        "version", [](auto &m) { m.msgVersionMismatch(); }, Icon::Error,
        "ユニットとアプリケーションのバージョンがミスマッチです");
    row(
        "refs", [](auto &m) { m.msgTooManyRefs(); }, Icon::Error,
        "参照データは５個までにしてください");
    row(
        "150", [](auto &m) { m.msgOver150(); }, Icon::Warning,
        "抵抗値の最大値が150Ωを越えています");
    row(
        "band", [](auto &m) { m.msgBandUnsupported(); }, Icon::Warning,
        "HK-Aが対応していない測定周波数帯域です");
}

void TestMessages::boxes()
{
    QFETCH(std::function<void(const TH_Message &)>, call);
    QFETCH(Icon, icon);
    QFETCH(QString, text);
    ScopedRecorder rec;
    TH_Message msg(QStringLiteral("HK-A2"), QStringLiteral("VELO2 v2.3"));
    call(msg);
    QCOMPARE(rec.presenter.boxes.size(), 1);
    QCOMPARE(rec.presenter.boxes[0].icon, icon);
    QCOMPARE(rec.presenter.boxes[0].caption, QStringLiteral("VELO2 v2.3"));
    QCOMPARE(rec.presenter.boxes[0].text, text);
}

void TestMessages::questionsReturnTheAnswer()
{
    ScopedRecorder rec;
    TH_Message msg(QStringLiteral("HK-A2"), QStringLiteral("VELO2 v2.3"));
    rec.presenter.answers = {false, true};
    QVERIFY(!msg.askQuitUnsaved());
    QVERIFY(msg.askQuitUnsaved());
}

void TestMessages::fatalMemoryBeforeTheObjectExists()
{
    ScopedRecorder rec;
    TH_Message::msgFatalMemoryStatic(QStringLiteral("TH_Message"));
    QCOMPARE(rec.presenter.boxes.size(), 1);
    QCOMPARE(rec.presenter.boxes[0].caption, QStringLiteral("VELO2 v2.3"));
    QCOMPARE(rec.presenter.boxes[0].text, QStringLiteral("致命的なメモリエラーです:TH_Message"));
    QCOMPARE(rec.presenter.boxes[0].icon, Icon::Error);
}

void TestMessages::captionIsCutToTheBuffer()
{
    TH_Message msg(QStringLiteral("HK-A2"), QStringLiteral("ABCDEFGHIJKLMN"));
    QCOMPARE(msg.caption(), QStringLiteral("ABCDEFGHIJK"));
}

void TestMessages::panelWidthRule_data()
{
    QTest::addColumn<int>("textWidth");
    QTest::addColumn<int>("panelWidth");
    QTest::newRow("empty") << 0 << 110;
    QTest::newRow("100") << 100 << 110;
    QTest::newRow("101") << 101 << 121;
    QTest::newRow("300") << 300 << 320;
}

void TestMessages::panelWidthRule()
{
    QFETCH(int, textWidth);
    QFETCH(int, panelWidth);
    QCOMPARE(HStatus::panelWidthFor(textWidth), panelWidth);
}

void TestMessages::statusTexts_data()
{
    using Fn = std::function<void(const HStatus &)>;
    QTest::addColumn<Fn>("call");
    QTest::addColumn<int>("panel");
    QTest::addColumn<QString>("text");
    auto row = [](const char *name, Fn f, int panel, const QString &text) {
        QTest::newRow(name) << f << panel << text;
    };
    row(
        "unit", [](auto &s) { s.showUnit("HK-A2", "0123", "0200"); }, 0, "HK-A2/ SN=0123/ 0200");
    row(
        "not found", [](auto &s) { s.showUnitNotFound(); }, 0, "HK-A2 が見つかりませんでした");
    row(
        "model", [](auto &s) { s.showModelUnknown(); }, 0, "HK-A, HK-A2 が見つかりませんでした");
    row(
        "port", [](auto &s) { s.showPortError(); }, 0, "通信ポートが開けません");
    row(
        "port access", [](auto &s) { s.showPortAccessDenied(); }, 0,
        "通信ポートが開けません（アクセス権がありません）");
    row(
        "receive", [](auto &s) { s.showReceiveError(); }, 0, "データ受信エラーです");
    row(
        "send", [](auto &s) { s.showSendError(); }, 1, "コマンド送信エラーです");
    row(
        "reply", [](auto &s) { s.showReplyError(); }, 1, "HK-A2 応答エラーです");
    row(
        "uncal", [](auto &s) { s.showUncalibrated(); }, 1, "HK-A2 未校正です");
    row(
        "measuring", [](auto &s) { s.showMeasuring(); }, 1, "測定中です");
    row(
        "receiving", [](auto &s) { s.showReceiving(); }, 1, "データ受信中です");
    row(
        "calculating", [](auto &s) { s.showCalculating(); }, 1, "計算中です");
    row(
        "finished", [](auto &s) { s.showFinished(); }, 1, "測定終了しました");
    row(
        "stopped", [](auto &s) { s.showStopped(); }, 1, "測定中止しました");
    row(
        "calc error", [](auto &s) { s.showCalcError(); }, 1, "データエラーで計算できませんでした");
    row(
        "save failed", [](auto &s) { s.showSaveFailed(); }, 1, "データ保存できませんでした");
    row(
        "saved", [](auto &s) { s.showSaved(); }, 1, "データ保存できました");
    row(
        "exported", [](auto &s) { s.showExported(); }, 1, "データ書き出し完了");
    row(
        "readout", [](auto &s) { s.showText("周波数：1.000[kHz]", 2); }, 2, "周波数：1.000[kHz]");
}

void TestMessages::statusTexts()
{
    QFETCH(std::function<void(const HStatus &)>, call);
    QFETCH(int, panel);
    QFETCH(QString, text);
    TStatusBar bar(3, 50);
    HStatus status(&bar, QStringLiteral("HK-A2"), 2);
    call(status);
    QCOMPARE(bar.panel(panel)->text(), text);
    for (int other = 0; other < 3; ++other)
        if (other != panel)
            QCOMPARE(bar.panel(other)->text(), QString());
    status.clearPanel(panel);
    QCOMPARE(bar.panel(panel)->text(), QString());
    QCOMPARE(bar.panel(panel)->width(), 110);
}

void TestMessages::panelWidthFollowsTheMeasuredText()
{
    TStatusBar bar(3, 50);
    HStatus status(&bar, QStringLiteral("HK-A2"), 2);
    QCOMPARE(bar.panel(1)->width(), 50);
    // Grow a text until it is wider than 100 pixels in the bar's font.
    const QFontMetrics fm(bar.font());
    QString text;
    while (fm.horizontalAdvance(text) <= 100)
        text += QStringLiteral("測");
    status.showText(text, 1);
    QCOMPARE(bar.panel(1)->width(), fm.horizontalAdvance(text) + 20);
    text.chop(1);
    status.showText(text, 1);
    QCOMPARE(bar.panel(1)->width(), 110);
}

void TestMessages::panelAboveHighestIsIgnored()
{
    TStatusBar bar(3, 50);
    HStatus status(&bar, QStringLiteral("HK-A2"), 2);
    status.showText(QStringLiteral("x"), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(bar.panel(i)->text(), QString());
        QCOMPARE(bar.panel(i)->width(), 50);
    }
}

void TestMessages::panelLooksLikeALabel_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("progress") << QStringLiteral("測定中です");
    QTest::newRow("readout") << QStringLiteral("周波数：1.234[kHz] / 6.543[Ω] / -12.3[°]");
    QTest::newRow("trailing space") << QStringLiteral("ZMA出力完了 ");
    QTest::newRow("two lines") << QStringLiteral("保存できません\nディスクが一杯です");
}

// The panel paints its text itself: it must give the bar, pixels and width of the label it
// replaced.
void TestMessages::panelLooksLikeALabel()
{
    QFETCH(QString, text);
    TStatusBar bar(1, 50);
    bar.setFont(windowFont());
    HStatus(&bar, QStringLiteral("HK-A2"), 0).showText(text, 0);
    // The bar as it was built before, in the same steps.
    QStatusBar reference;
    reference.setSizeGripEnabled(false);
    auto *label = new QLabel(&reference);
    label->setFixedWidth(50);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    reference.addWidget(label);
    reference.setFont(windowFont());
    label->setText(text);
    label->setFixedWidth(HStatus::panelWidthFor(label->fontMetrics().horizontalAdvance(text)));
    QCoreApplication::sendPostedEvents();
    QCOMPARE(bar.sizeHint(), reference.sizeHint());
    QCOMPARE(bar.panel(0)->grab().toImage(), label->grab().toImage());
}

void TestMessages::qtButtonsReadJapanese()
{
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_ja.qm"))
        QSKIP("Qt's Japanese translation (Debian: qt6-translations-l10n) is not installed");
    QVERIFY(installQtTranslation());
    QMessageBox box(QMessageBox::Warning, "c", "t", QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box.button(QMessageBox::Yes)->text(), QStringLiteral("はい(&Y)"));
    QCOMPARE(box.button(QMessageBox::No)->text(), QStringLiteral("いいえ(&N)"));
}

void TestMessages::escapedExceptionIsShown_data()
{
    QTest::addColumn<bool>("inHandler");
    QTest::addColumn<QString>("text"); // empty: not a standard exception
    QTest::newRow("at start-up") << false << "start-up failed";
    QTest::newRow("in an event handler") << true << "handler failed";
    QTest::newRow("not a standard exception") << true << "";
}

void TestMessages::escapedExceptionIsShown()
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
    QCOMPARE(rec.presenter.boxes[0].icon, Icon::Error);
    QCOMPARE(rec.presenter.boxes[0].caption, QStringLiteral("VELO2"));
    QCOMPARE(rec.presenter.boxes[0].text, text);
}

int main(int argc, char *argv[])
{
    GuardedApplication app(argc, argv); // the program's own, as QTEST_MAIN would set it up
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestMessages test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_messages.moc"
