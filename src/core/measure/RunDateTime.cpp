#include "RunDateTime.h"

#include <QLocale>

QString runDateTimeText(const QDateTime &when)
{
    return QLocale::system().toString(when.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
           when.toString(QStringLiteral("H:mm:ss"));
}
