#pragma once

#include <QString>

// The texts of control charts and capability (in the catalogues with QcMessages). English, as the
// command line prints them; a Japanese window shows them through its catalogue.
namespace SpcMessages {

QString badShift(const QString &text);
QString emptyShift(const QString &text);
QString shiftsOverlap(const QString &a, const QString &b, const QString &at);
QString emptyPeriod(const QString &since);
QString ruleName(int bit);
QString emptyLog();

} // namespace SpcMessages
