#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Texts inside files (date-time, serial, print information, export headings) are kept in
// Windows-31J, the Japanese code page the files have always used, so that files move
// freely between this program and the older one.

// Name of the codec in use: the first of the Windows-31J aliases that Qt's ICU accepts,
// or "ISO-8859-1" when Qt was built without ICU (bytes then pass through unchanged).
QByteArray ansiCodecName();

// Characters the code page cannot hold become "?". Unicode forms that Japanese input
// methods on Linux produce for characters the code page holds under another code point
// (wave dash, minus sign, ...) are written as those characters.
QByteArray toAnsi(const QString &text);
// Byte sequences that are not valid in the code page become U+FFFD.
QString fromAnsi(QByteArrayView bytes);
