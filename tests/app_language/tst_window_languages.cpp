#include "core/analysis/WorksheetMessages.h"
#include "core/analysis/fit/FitMessages.h"
#include "core/qc/QcMessages.h"
#include "core/qc/log/LogMessages.h"
#include "ui/common/QtTranslation.h"
#include "ui/qc/QcTexts.h"

#include <QScopeGuard>
#include <QTest>
#include <QTranslator>

// A window speaks one language: the core's English messages read Japanese in a Japanese window,
// the windows' Japanese texts English in an English one, and what a script reads stays as it is.
class TestWindowLanguages : public QObject
{
    Q_OBJECT
private slots:
    void messagesSpeakTheWindowsLanguage_data();
    void messagesSpeakTheWindowsLanguage();
};

void TestWindowLanguages::messagesSpeakTheWindowsLanguage_data()
{
    QTest::addColumn<bool>("japanese");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("Japanese") << true
                              << QStringList{"付加質量は 0 g より大きくしてください（入力値：0 g）",
                                             "気温",
                                             "入力",
                                             "優",
                                             "100 Hz で |Z| が限度バンドより上です",
                                             "ファイルが空です（0 バイト）",
                                             "判定",
                                             "excellent"};
    QTest::newRow("English") << false
                             << QStringList{"the added mass must be above 0 g (given: 0 g)",
                                            "temperature",
                                            "Inputs",
                                            "excellent",
                                            "|Z| above the band at 100 Hz",
                                            "the file is empty (0 bytes)",
                                            "Verdict",
                                            "excellent"};
}

void TestWindowLanguages::messagesSpeakTheWindowsLanguage()
{
    QFETCH(bool, japanese);
    QFETCH(QStringList, expected);
    QVERIFY(installTranslations(japanese ? UiLanguage::Japanese : UiLanguage::English));
    const auto dropTranslations = qScopeGuard([] {
        for (QTranslator *t : qApp->findChildren<QTranslator *>()) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
    });
    const QString hz = QStringLiteral("100");
    const QStringList shown{WorksheetMessages::massNotPositive(QStringLiteral("0")),
                            WorksheetMessages::rowName(QStringLiteral("temp_C")),
                            WorksheetMessages::sectionInputs(),
                            FitMessages::gradeName(FitGrade::Excellent),
                            QcMessages::bandOutside(hz, hz, true),
                            LogMessages::spoolEmpty(),
                            QcTexts::verdict(),
                            FitMessages::gradeKey(FitGrade::Excellent)};
    QCOMPARE(shown, expected);
}

QTEST_GUILESS_MAIN(TestWindowLanguages)
#include "tst_window_languages.moc"
