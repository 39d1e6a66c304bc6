#include "RecordingPresenter.h"
#include "WindowStart.h"
#include "core/files/AppPaths.h"
#include "ui/analysis/TFormCompensation.h"
#include "ui/analysis/TFormWorksheet.h"
#include "ui/common/QtTranslation.h"
#include "ui/graph/TPaintBox.h"
#include "ui/main/TFormVersion.h"
#include "ui/qc/TFormQc.h"

#include <QAccessible>
#include <QComboBox>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTranslator>

namespace {

bool interactive(QAccessibleInterface *iface)
{
    static const QList<QAccessible::Role> roles = {
        QAccessible::PushButton, QAccessible::CheckBox,     QAccessible::RadioButton,
        QAccessible::ComboBox,   QAccessible::EditableText, QAccessible::MenuItem,
        QAccessible::SpinBox,    QAccessible::Slider,       QAccessible::ButtonMenu};
    const QWidget *w = qobject_cast<QWidget *>(iface->object());
    return roles.contains(iface->role()) || (w && (w->focusPolicy() & Qt::TabFocus));
}

// Every interactive control under iface without a plain name, as "class/objectName: name":
// none, one with a mnemonic mark, a list box named by its chosen item, or a "filler".
void collectUnnamed(QAccessibleInterface *iface, QStringList *unnamed, int depth = 0)
{
    if (!iface || depth > 20)
        return;
    const QString name = iface->text(QAccessible::Name);
    const auto *box = qobject_cast<const QComboBox *>(iface->object());
    const bool bad = (interactive(iface) && iface->role() != QAccessible::Separator &&
                      name.trimmed().isEmpty()) ||
                     QString(name).remove("&&").contains('&') ||
                     (box && name == box->currentText()) ||
                     (iface->role() == QAccessible::Client && iface->object()->isWidgetType() &&
                      static_cast<QWidget *>(iface->object())->isWindow());
    if (bad) {
        const QObject *o = iface->object();
        *unnamed << QStringLiteral("%1/%2: %3")
                        .arg(o ? o->metaObject()->className() : "?",
                             o ? o->objectName() : QString(), name);
    }
    for (int i = 0; i < iface->childCount(); ++i)
        collectUnnamed(iface->child(i), unnamed, depth + 1);
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT
private slots:
    void everyControlIsNamed_data();
    void everyControlIsNamed();
    void graphReadsFromTheKeyboard_data();
    void graphReadsFromTheKeyboard();
    void f10OpensTheMenuBar();
};

void TestAccessibility::everyControlIsNamed_data()
{
    QTest::addColumn<bool>("english");
    QTest::newRow("Japanese") << false;
    QTest::newRow("English, mnemonics in its captions") << true;
}

void TestAccessibility::everyControlIsNamed()
{
    QFETCH(bool, english);
    if (english)
        QVERIFY(installTranslations(UiLanguage::English));
    const auto dropTranslations = qScopeGuard([] {
        for (QTranslator *t : qApp->findChildren<QTranslator *>())
            QCoreApplication::removeTranslator(t);
    });
    QTemporaryDir dir;
    setSettingsDirectoryOverride(dir.path());
    ScopedRecorder rec;
    TFormMain win;
    QVERIFY(startWindow(&win));
    QList<QWidget *> windows{&win, win.menuBar()};
    for (QMenu *menu : win.findChildren<QMenu *>())
        windows << menu;
    for (QDialog *dialog : win.findChildren<QDialog *>())
        windows << dialog;
    windows << win.findChild<TFormWorksheet *>("FormWorksheet")
            << win.findChild<TFormQc *>("FormQc")
            << win.findChild<TFormCompensation *>("FormCompensation");
    TFormVersion version(&win);
    windows << &version;
    QVERIFY(windows.size() >= 12); // six menus, the language menu, four dialogs and more
    QStringList unnamed;
    for (QWidget *w : windows)
        collectUnnamed(QAccessible::queryAccessibleInterface(w), &unnamed);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
    QVERIFY(
        !QAccessible::queryAccessibleInterface(&version)->text(QAccessible::Description).isEmpty());
}

void TestAccessibility::graphReadsFromTheKeyboard_data()
{
    QTest::addColumn<QList<int>>("keys"); // a negative key: with Shift
    QTest::addColumn<int>("x");
    QTest::newRow("first key starts in the middle") << QList<int>{Qt::Key_Right} << 250;
    QTest::newRow("then moves one") << QList<int>{Qt::Key_Left, Qt::Key_Left} << 249;
    QTest::newRow("Shift: ten") << QList<int>{Qt::Key_Right, -Qt::Key_Right} << 260;
    QTest::newRow("Home") << QList<int>{Qt::Key_Home} << 0;
    QTest::newRow("not before the box") << QList<int>{Qt::Key_Home, Qt::Key_Left} << 0;
    QTest::newRow("End, not past the box") << QList<int>{Qt::Key_End, Qt::Key_Right} << 499;
}

void TestAccessibility::graphReadsFromTheKeyboard()
{
    QFETCH(QList<int>, keys);
    QFETCH(int, x);
    TPaintBox box;
    box.resize(500, 300);
    QList<int> picked;
    box.onKeyPick = [&picked](int at) { picked << at; };
    for (int key : keys)
        QTest::keyClick(&box, Qt::Key(qAbs(key)), key < 0 ? Qt::ShiftModifier : Qt::NoModifier);
    QCOMPARE(picked.size(), keys.size());
    QCOMPARE(picked.last(), x);
}

void TestAccessibility::f10OpensTheMenuBar()
{
    QTemporaryDir dir;
    setSettingsDirectoryOverride(dir.path());
    ScopedRecorder rec;
    TFormMain win;
    QVERIFY(startWindow(&win));
    win.findChild<QMenu *>("MenuFile")
        ->menuAction()
        ->setEnabled(false); // a locked menu is passed over
    QTest::keyClick(&win, Qt::Key_F10);
    QTRY_COMPARE(win.menuBar()->activeAction(),
                 win.findChild<QMenu *>("MenuMeasure")->menuAction());
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
