#include "core/measure/RunDateTime.h"

#include "core/files/AnsiText.h"

#include <QLocale>

QByteArray runDateTimeText(const QDateTime &when)
{
    return toAnsi(QLocale::system().toString(when.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
                  when.toString(QStringLiteral("H:mm:ss")));
}
