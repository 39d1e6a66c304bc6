#pragma once

#include <QDateTime>
#include <QString>
#include <vector>

// The date and time a data file records, written in the short date format of the system that
// measured ("2024/05/01 9:05:07" in Japanese, "5/1/24 9:05:07" in American English,
// "01/05/2024 9:05:07" in British English, "1 May 2024 9:05:07" in the C locale, and
// "2024年5月1日 9:05:07"). Read back whatever the system reading it uses.

struct RunDate {
    QDateTime when; // invalid when the text is none of the forms
    // Day and month could be either way round (03/04/2024): read month first unless another
    // date of the same list shows its files put the day first.
    bool ambiguous = false;
    bool ok() const { return when.isValid(); }
};

// The dates of one list of files, read together so that one whose day is above 12 settles the
// order of the others.
std::vector<RunDate> readRunDates(const std::vector<QString> &texts);
