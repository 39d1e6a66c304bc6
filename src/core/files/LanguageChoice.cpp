#include "core/files/LanguageChoice.h"

#include "core/files/AppPaths.h"
#include "core/files/SafeWrite.h"

#include <QFile>
#include <QLocale>

namespace {

const QString kFileName = QStringLiteral("VELO2_language.txt");
constexpr qint64 kMaxBytes = 64;

struct Key {
    LanguageChoice choice;
    const char *text;
};
constexpr Key kKeys[] = {
    {LanguageChoice::Desktop, "desktop"},
    {LanguageChoice::Japanese, "ja"},
    {LanguageChoice::English, "en"},
};

} // namespace

QString languageFilePath()
{
    return settingsDirectory() + QLatin1Char('/') + kFileName;
}

LanguageChoice readLanguageChoice(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return LanguageChoice::Desktop;
    const QByteArray word = file.read(kMaxBytes).trimmed();
    for (const Key &key : kKeys)
        if (word == key.text)
            return key.choice;
    return LanguageChoice::Desktop;
}

bool writeLanguageChoice(const QString &path, LanguageChoice choice)
{
    for (const Key &key : kKeys)
        if (key.choice == choice)
            return writeFileSafely(path, QByteArray(key.text) + "\r\n");
    return false;
}

UiLanguage resolveLanguage(LanguageChoice choice, const QStringList &desktopLanguages)
{
    switch (choice) {
    case LanguageChoice::Japanese:
        return UiLanguage::Japanese;
    case LanguageChoice::English:
        return UiLanguage::English;
    case LanguageChoice::Desktop:
        break;
    }
    if (desktopLanguages.isEmpty())
        return UiLanguage::English;
    const QString first = desktopLanguages.first();
    return QLocale(first).language() == QLocale::Japanese ? UiLanguage::Japanese
                                                          : UiLanguage::English;
}

UiLanguage startLanguage()
{
    return resolveLanguage(readLanguageChoice(languageFilePath()), QLocale::system().uiLanguages());
}
