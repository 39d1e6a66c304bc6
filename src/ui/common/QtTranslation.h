#pragma once

#include "core/files/LanguageChoice.h"

// Loads Qt's own Japanese texts (Debian's Qt translations), so the standard buttons and
// dialogs of Qt read Japanese like the rest of the program. False when they are not
// installed; Qt's English texts are shown then.
bool installQtTranslation();

// The program's texts in the given language: the embedded catalogue of that language (each
// holds every text, see docs/ARCHITECTURE.md), and for Japanese also Qt's Japanese texts when
// they are installed. False when the program's catalogue could not be loaded.
bool installTranslations(UiLanguage language);
