#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Helpers shared by the readers of the data file and the settings file.

struct KeyValue {
    QByteArray key;   // up to and including the first ":"; empty when the line has none
    QByteArray value; // everything after that colon, further colons included
};
KeyValue splitKeyValue(const QByteArray &line);

// A whole-field decimal integer: an optional sign and digits, nothing else, within the
// 32-bit range. False (value untouched) for anything else.
bool parseFileInt(QByteArrayView text, qint32 &value);

// Appends text and the CR LF that ends every line of these files.
void appendLine(QByteArray &out, QByteArrayView text);
