#pragma once

#include <QtGlobal>

// Hexadecimal readers of point texts. Characters are bytes; a character that is not a
// hex digit counts as 0.
bool isHexChar(char c);
int hexDigitValue(char c);
// Value of `length` hex characters, most significant first; 0 for an empty text.
long hexValue(const char *text, int length);
long hexValue(const char *zeroTerminated);
int hex4Value(const char *text);  // characters 1-4, 0..65535
int hex4Signed(const char *text); // characters 1-4 as two's complement, -32768..32767
long hex6Value(const char *text); // characters 1-6, 0..16777215

class QByteArray;
class QString;

// Path and line utilities. Paths use "/" as the folder separator.
// The text after the last "/"; empty when the path holds no "/" or ends with one.
QString fileNamePart(const QString &path);
// The text before its first "."; the whole text when it holds none.
QString cutAtFirstDot(const QString &text);
// Deletes every CR, then every LF, wherever they stand.
void removeLineBreaks(QString &text);
void removeLineBreaks(QByteArray &text);
