#pragma once

#include <QDateTime>
#include <QString>

// The date and time a run records: the system's short date format, a blank, the time as
// H:mm:ss ("2024/05/01 9:05:07" in a Japanese locale).
QString runDateTimeText(const QDateTime &when);
