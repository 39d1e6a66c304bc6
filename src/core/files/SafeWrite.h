#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at path with bytes, or leaves it as it was: the bytes go to a
// temporary file in the same folder, which gets the old file's mode, owner and group and is
// renamed over the target only after every byte was written and flushed.
// A rename would split hard links, take the file from its owner or fail in a folder the
// user may not write to, so the file is written in place instead when it has other links,
// when its owner or group cannot be kept, when it is not a regular file, or when no
// temporary file can be made beside it; a failure is still reported then, but the old
// content is lost. False when path is empty or anything fails.
bool writeFileSafely(const QString &path, const QByteArray &bytes);

// Why the last writeFileSafely on this thread failed, as the system words it ("No space left
// on device"); empty after a success or a failure without a system error (an empty path).
QString lastSafeWriteError();
// Forgets it, before an operation that may fail before it writes.
void clearSafeWriteError();
