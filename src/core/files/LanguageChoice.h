#pragma once

#include <QString>
#include <QStringList>

// Which language the window speaks. The choice lives in a small file of its own in the
// settings directory, so the settings file keeps its fixed layout.
enum class LanguageChoice { Desktop, Japanese, English };

enum class UiLanguage { Japanese, English };

// "VELO2_language.txt" in the settings directory.
QString languageFilePath();
// A missing, unreadable or unknown file means Desktop.
LanguageChoice readLanguageChoice(const QString &path);
bool writeLanguageChoice(const QString &path, LanguageChoice choice);
// Desktop follows the first of the desktop's UI languages: Japanese when it is Japanese,
// otherwise English.
UiLanguage resolveLanguage(LanguageChoice choice, const QStringList &desktopLanguages);
// The language for this start: the stored choice against the system's UI languages.
UiLanguage startLanguage();
