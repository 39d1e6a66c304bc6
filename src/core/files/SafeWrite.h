#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at path with bytes, or leaves it as it was: the bytes go to a
// temporary file in the same folder, which is renamed over the target only after every
// byte was written and flushed. False when path is empty or anything fails.
bool writeFileSafely(const QString &path, const QByteArray &bytes);
