#pragma once

// Loads Qt's own Japanese texts (Debian's Qt translations), so the standard buttons and
// dialogs of Qt read Japanese like the rest of the program. False when they are not
// installed; Qt's English texts are shown then.
bool installQtTranslation();
