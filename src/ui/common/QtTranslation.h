#pragma once

#include "core/files/LanguageChoice.h"

// Loads Qt's own Japanese texts (Debian's Qt translations), so the standard buttons and
// dialogs of Qt read Japanese like the rest of the program. False when they are not
// installed; Qt's English texts are shown then.
bool installQtTranslation();

// The program's texts in the given language: Japanese is the source and needs nothing of its
// own but Qt's Japanese texts; English loads the embedded English catalogue and leaves Qt's own
// texts in English. False when a catalogue could not be loaded.
bool installTranslations(UiLanguage language);
