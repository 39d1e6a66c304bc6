#include "core/qc/spc/SpcMessages.h"

#include "core/qc/spc/SpcChart.h"

#include <QCoreApplication>

namespace SpcMessages {

QString badShift(const QString &text)
{
    return QCoreApplication::translate(
               "QcMessages", "'%1' is not a shift: give its start and end as HH:MM-HH:MM, "
                             "shifts separated by commas (06:00-14:00,14:00-22:00,22:00-06:00)")
        .arg(text);
}
QString emptyShift(const QString &text)
{
    return QCoreApplication::translate("QcMessages",
                                       "the shift '%1' starts and ends at the same time")
        .arg(text);
}
QString shiftsOverlap(const QString &a, const QString &b, const QString &at)
{
    return QCoreApplication::translate(
               "QcMessages", "the shifts %1 and %2 overlap (both hold %3); a unit must belong "
                             "to one shift")
        .arg(a, b, at);
}
QString emptyPeriod(const QString &since)
{
    return QCoreApplication::translate("QcMessages",
                                       "the results log holds no unit checked since %1")
        .arg(since);
}
QString emptyLog()
{
    return QCoreApplication::translate("QcMessages", "the results log holds no unit yet");
}
QString ruleName(int bit)
{
    switch (bit) {
    case RuleBeyond3Sigma:
        return QCoreApplication::translate("QcMessages", "1 point beyond 3σ");
    case Rule2Of3Beyond2:
        return QCoreApplication::translate("QcMessages", "2 of 3 beyond 2σ, same side");
    case Rule4Of5Beyond1:
        return QCoreApplication::translate("QcMessages", "4 of 5 beyond 1σ, same side");
    case Rule8OneSide:
        return QCoreApplication::translate("QcMessages", "8 in a row on one side");
    default:
        return QString();
    }
}

} // namespace SpcMessages
