#include "ui/main/TFormMain.h"

#include "core/files/LanguageChoice.h"
#include "ui/common/TH_Message.h"
#include "ui/graph/TPaintBox.h"

#include <QActionGroup>
#include <QComboBox>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>

// The language menu and keyboard access.

void TFormMain::buildLanguageMenu()
{
    MenuSet->addSeparator();
    // Written in both languages so that it can be found whichever language is shown.
    MenuSet_Language = MenuSet->addMenu(QStringLiteral("Language / 言語"));
    MenuSet_Language->setObjectName(QStringLiteral("MenuSet_Language"));
    MenuSet_Language->menuAction()->setObjectName(QStringLiteral("MenuSet_Language"));
    auto *group = new QActionGroup(this);
    const LanguageChoice stored = readLanguageChoice(languageFilePath());
    auto item = [&](const char *name, const QString &caption, LanguageChoice choice) {
        QAction *slot = MenuSet_Language->addAction(caption);
        slot->setObjectName(QString::fromLatin1(name));
        slot->setCheckable(true);
        slot->setChecked(choice == stored);
        group->addAction(slot);
        connect(slot, &QAction::triggered, this, [this, choice] { MenuSet_LanguageClick(choice); });
    };
    item("MenuSet_LangDesktop", tr("デスクトップの言語に合わせる"), LanguageChoice::Desktop);
    // Each language is named in itself.
    item("MenuSet_LangJapanese", QStringLiteral("日本語"), LanguageChoice::Japanese);
    item("MenuSet_LangEnglish", QStringLiteral("English"), LanguageChoice::English);
}

void TFormMain::MenuSet_LanguageClick(LanguageChoice choice)
{
    const QString path = languageFilePath();
    if (readLanguageChoice(path) == choice)
        return;
    if (!writeLanguageChoice(path, choice)) {
        message->msgLanguageNotSaved();
        return;
    }
    message->msgLanguageNextStart();
}

void TFormMain::buildKeyboardAccess()
{
    // F10 opens the first menu that is not locked, as on other desktops; the arrow keys then
    // reach every item, also those whose captions carry no access key.
    auto *f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    f10->setObjectName(QStringLiteral("MenuKey"));
    connect(f10, &QShortcut::activated, this, [this] {
        for (QAction *a : menuBar()->actions()) {
            if (a->isEnabled() && a->menu()) {
                menuBar()->setActiveAction(a);
                return;
            }
        }
    });
    setTabOrder(PaintBox1, MStartBtn);
    setTabOrder(MStartBtn, ComboBox2);
    setTabOrder(ComboBox2, QuitBtn);
}
