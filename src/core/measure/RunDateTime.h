#pragma once

#include <QByteArray>
#include <QDateTime>

// The date and time a run records: the system's short date format, a blank, the time as
// H:mm:ss ("2024/05/01 9:05:07" in a Japanese locale), in the code page of the data file.
QByteArray runDateTimeText(const QDateTime &when);
