#pragma once

#include <QByteArray>
#include <QString>

// The most a reader takes in. A band-2 data file is about 11 KiB and a settings file well
// under 1 KiB; the bounds leave room for comment lines and long print information, and
// keep a device or a huge file from being read without end.
constexpr qint64 kMaxDataFileBytes = 1024 * 1024;
constexpr qint64 kMaxSettingFileBytes = 1024 * 1024;

enum class InputFileProblem { None, Missing, NotRegular, TooLarge, Unreadable };

// Reads the whole file at path when it is a regular file of at most maxBytes bytes (a
// symbolic link to one counts). Never blocks on a pipe or a device. bytes is only set on
// success.
InputFileProblem readInputFile(const QString &path, qint64 maxBytes, QByteArray &bytes);

// Length of a UTF-8 byte-order mark at the start of bytes (3), else 0. Editors on other
// systems put one in front of files they save; the readers skip it.
qsizetype byteOrderMarkLength(const QByteArray &bytes);
