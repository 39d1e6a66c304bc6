#pragma once

#include "core/model/Settings.h"

class QString;

// The user's preferences as the settings file keeps them: the settings record (COM port,
// colours, print information) and the window's placement and view options. They belong to
// the program, not to a measurement: the window holds them beside its document and hands
// them to whatever needs them.
struct Preferences {
    Settings settings;
    WindowState windowState;

    // Only a settings file that passed every check replaces settings and window state.
    bool load(const QString &path);
    bool save(const QString &path) const;
};
