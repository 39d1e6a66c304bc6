#include "core/document/Preferences.h"

#include "core/files/VELO_File.h"

bool Preferences::load(const QString &path)
{
    return VELO_File().readSettingFile(path, &settings, &windowState);
}

bool Preferences::save(const QString &path) const
{
    return VELO_File().writeSettingFile(path, &settings, &windowState);
}
