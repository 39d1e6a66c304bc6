#include "core/files/FileFields.h"

#include <limits>

KeyValue splitKeyValue(const QByteArray &line)
{
    const qsizetype colon = line.indexOf(':');
    if (colon < 0)
        return {QByteArray(), line};
    return {line.left(colon + 1), line.mid(colon + 1)};
}

bool parseFileInt(QByteArrayView text, qint32 &value)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i >= text.size())
        return false;
    qint64 v = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
        if (v > qint64(std::numeric_limits<qint32>::max()) + 1)
            return false;
    }
    if (negative)
        v = -v;
    if (v > std::numeric_limits<qint32>::max() || v < std::numeric_limits<qint32>::min())
        return false;
    value = qint32(v);
    return true;
}

void appendLine(QByteArray &out, QByteArrayView text)
{
    out.append(text);
    out.append("\r\n", 2);
}
