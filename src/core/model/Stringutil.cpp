#include "core/model/Stringutil.h"

#include <QByteArray>
#include <QString>

#include <cstring>

bool isHexChar(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 0;
}

long hexValue(const char *text, int length)
{
    long value = 0;
    for (int i = 0; i < length; ++i)
        value = value * 16 + hexDigitValue(text[i]);
    return value;
}

long hexValue(const char *zeroTerminated)
{
    return hexValue(zeroTerminated, int(std::strlen(zeroTerminated)));
}

int hex4Value(const char *text)
{
    return int(hexValue(text, 4));
}

int hex4Signed(const char *text)
{
    const int v = hex4Value(text);
    return v >= 0x8000 ? v - 0x10000 : v;
}

long hex6Value(const char *text)
{
    return hexValue(text, 6);
}

QString fileNamePart(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return QString();
    return path.mid(slash + 1);
}

QString cutAtFirstDot(const QString &text)
{
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    return dot < 0 ? text : text.left(dot);
}

void removeLineBreaks(QString &text)
{
    text.remove(QLatin1Char('\r'));
    text.remove(QLatin1Char('\n'));
}

void removeLineBreaks(QByteArray &text)
{
    text.removeIf([](char c) { return c == '\r' || c == '\n'; });
}
