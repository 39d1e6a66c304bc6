#include "core/analysis/population/RunDate.h"

#include <QLocale>
#include <QRegularExpression>

namespace {

enum class Order { YearFirst, Numeric, Named };

// The date's parts as written: year, the two other numbers (or the month's name) and the time.
struct Parts {
    Order order = Order::Numeric;
    int year = 0;
    int a = 0; // first number after the year (year first) or first number of the date
    int b = 0;
    int month = 0; // a named month
    QTime time;
    bool ok = false;
};

int fullYear(int y, int digits)
{
    // Two-digit years: the data files are from this century.
    return digits <= 2 ? 2000 + y : y;
}

int monthByName(const QString &name)
{
    const QLocale c = QLocale::c();
    for (int m = 1; m <= 12; ++m)
        if (name.compare(c.monthName(m, QLocale::ShortFormat), Qt::CaseInsensitive) == 0 ||
            name.compare(c.monthName(m, QLocale::LongFormat), Qt::CaseInsensitive) == 0)
            return m;
    return 0;
}

Parts split(const QString &text)
{
    static const QRegularExpression yearFirst(
        QStringLiteral("^(\\d{4})\\s*[/.\\-年]\\s*(\\d{1,2})\\s*[/.\\-月]\\s*(\\d{1,2})\\s*日?"
                       "\\s+(\\d{1,2}:\\d{2}(?::\\d{2})?)$"));
    static const QRegularExpression numeric(QStringLiteral(
        "^(\\d{1,2})[/.\\-](\\d{1,2})[/.\\-](\\d{2}|\\d{4})\\s+(\\d{1,2}:\\d{2}(?::\\d{2})?)$"));
    static const QRegularExpression named(QStringLiteral(
        "^(\\d{1,2})\\s+([A-Za-z]+)\\.?\\s+(\\d{4})\\s+(\\d{1,2}:\\d{2}(?::\\d{2})?)$"));
    Parts p;
    const QString t = text.trimmed();
    QString time;
    if (const auto m = yearFirst.match(t); m.hasMatch()) {
        p.order = Order::YearFirst;
        p.year = m.captured(1).toInt();
        p.a = m.captured(2).toInt();
        p.b = m.captured(3).toInt();
        time = m.captured(4);
    } else if (const auto m = numeric.match(t); m.hasMatch()) {
        p.order = Order::Numeric;
        p.a = m.captured(1).toInt();
        p.b = m.captured(2).toInt();
        p.year = fullYear(m.captured(3).toInt(), int(m.captured(3).size()));
        time = m.captured(4);
    } else if (const auto m = named.match(t); m.hasMatch()) {
        p.order = Order::Named;
        p.a = m.captured(1).toInt();
        p.month = monthByName(m.captured(2));
        p.year = m.captured(3).toInt();
        time = m.captured(4);
    } else {
        return p;
    }
    p.time = QTime::fromString(time, time.count(QLatin1Char(':')) == 2 ? QStringLiteral("H:mm:ss")
                                                                       : QStringLiteral("H:mm"));
    p.ok = p.time.isValid();
    return p;
}

QDateTime at(int y, int m, int d, QTime t)
{
    const QDate date(y, m, d);
    return date.isValid() ? QDateTime(date, t) : QDateTime();
}

} // namespace

std::vector<RunDate> readRunDates(const std::vector<QString> &texts)
{
    std::vector<Parts> parts;
    bool dayFirstSeen = false;
    bool monthFirstSeen = false;
    for (const QString &t : texts) {
        parts.push_back(split(t));
        const Parts &p = parts.back();
        if (p.ok && p.order == Order::Numeric) {
            dayFirstSeen |= p.a > 12 && p.b <= 12;
            monthFirstSeen |= p.b > 12 && p.a <= 12;
        }
    }
    // Files of two systems leave the order open.
    const bool dayFirst = dayFirstSeen && !monthFirstSeen;
    const bool settled = dayFirstSeen != monthFirstSeen;
    std::vector<RunDate> dates;
    for (const Parts &p : parts) {
        RunDate d;
        if (p.ok) {
            switch (p.order) {
            case Order::YearFirst:
                d.when = at(p.year, p.a, p.b, p.time);
                break;
            case Order::Named:
                d.when = at(p.year, p.month, p.a, p.time);
                break;
            case Order::Numeric:
                if (p.a > 12 || p.b > 12) {
                    d.when = p.a > 12 ? at(p.year, p.b, p.a, p.time) : at(p.year, p.a, p.b, p.time);
                } else {
                    d.when = dayFirst ? at(p.year, p.b, p.a, p.time) : at(p.year, p.a, p.b, p.time);
                    d.ambiguous = p.a != p.b && !settled;
                }
                break;
            }
        }
        dates.push_back(d);
    }
    return dates;
}
