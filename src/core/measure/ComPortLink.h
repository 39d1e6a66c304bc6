#pragma once

#include <QString>

// Makes the entry "COMn" of `directory` a symbolic link to `target` (normally the device's
// stable /dev/serial/by-id name), replacing an earlier link but never a real file. False with
// the reason in *error when it cannot.
bool linkComPort(const QString &directory, int number, const QString &target, QString *error);
