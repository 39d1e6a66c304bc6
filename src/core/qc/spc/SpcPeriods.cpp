#include "core/qc/spc/SpcPeriods.h"

#include "core/qc/log/LogStore.h"
#include "core/qc/spc/SpcMessages.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

namespace {

const int kDay = 24 * 60;

QString clock(int minute)
{
    return QStringLiteral("%1:%2")
        .arg(minute / 60, 2, 10, QLatin1Char('0'))
        .arg(minute % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

QString SpcShift::label() const
{
    return clock(start) + QLatin1Char('-') + clock(end);
}

bool SpcShift::contains(int minute) const
{
    if (end > start)
        return minute >= start && minute < end;
    return minute >= start || minute < end;
}

QString defaultShifts()
{
    return QStringLiteral("06:00-14:00,14:00-22:00,22:00-06:00");
}

bool parseShifts(const QString &text, QVector<SpcShift> *out, QString *error)
{
    out->clear();
    static const QRegularExpression form(
        QStringLiteral("^\\s*(\\d{1,2}):(\\d{2})\\s*-\\s*(\\d{1,2}):(\\d{2})\\s*$"));
    const QStringList parts = text.split(QLatin1Char(','));
    for (const QString &part : parts) {
        const QRegularExpressionMatch m = form.match(part);
        const int h1 = m.captured(1).toInt(), m1 = m.captured(2).toInt();
        const int h2 = m.captured(3).toInt(), m2 = m.captured(4).toInt();
        if (!m.hasMatch() || h1 > 23 || h2 > 24 || m1 > 59 || m2 > 59 || (h2 == 24 && m2 > 0)) {
            *error = SpcMessages::badShift(part.trimmed());
            return false;
        }
        SpcShift s{h1 * 60 + m1, (h2 * 60 + m2) % kDay};
        if (s.start == s.end) {
            *error = SpcMessages::emptyShift(part.trimmed());
            return false;
        }
        out->append(s);
    }
    // Every minute of the day belongs to at most one shift.
    for (int a = 0; a < out->size(); ++a)
        for (int b = a + 1; b < out->size(); ++b)
            for (int minute = 0; minute < kDay; ++minute)
                if ((*out)[a].contains(minute) && (*out)[b].contains(minute)) {
                    *error = SpcMessages::shiftsOverlap((*out)[a].label(), (*out)[b].label(),
                                                        clock(minute));
                    out->clear();
                    return false;
                }
    return true;
}

bool parseGrouping(const QString &text, SpcGrouping *out)
{
    if (text == QLatin1String("day"))
        *out = SpcGrouping::Day;
    else if (text == QLatin1String("shift"))
        *out = SpcGrouping::Shift;
    else if (text == QLatin1String("station"))
        *out = SpcGrouping::Station;
    else
        return false;
    return true;
}

QVector<SpcSegment> spcSegments(SpcGrouping grouping, const QVector<SpcShift> &shifts,
                                const QString &start, const QDateTime &first, const QDateTime &last)
{
    struct Range {
        QDateTime from;
        QDateTime to;
        QString period;
    };
    QVector<Range> ranges;
    const QDate firstDay = first.toLocalTime().date().addDays(-1);
    const QDate lastDay = last.toLocalTime().date();
    for (QDate d = firstDay; d <= lastDay; d = d.addDays(1)) {
        const QString day = d.toString(Qt::ISODate);
        if (grouping == SpcGrouping::Day) {
            ranges.append({d.startOfDay(), d.addDays(1).startOfDay(), day});
            continue;
        }
        if (grouping != SpcGrouping::Shift)
            return {};
        for (const SpcShift &s : shifts) {
            const QDate endDay = s.end <= s.start ? d.addDays(1) : d;
            ranges.append({QDateTime(d, QTime(s.start / 60, s.start % 60)),
                           QDateTime(endDay, QTime(s.end / 60, s.end % 60)),
                           day + QLatin1Char(' ') + s.label()});
        }
    }
    std::sort(ranges.begin(), ranges.end(),
              [](const Range &a, const Range &b) { return a.from < b.from; });
    QVector<SpcSegment> out;
    QString at = start;
    for (const Range &r : ranges) {
        const QString from = logTimeText(r.from);
        const QString to = logTimeText(r.to);
        if (to <= at)
            continue;
        if (from > at)
            out.append({at, from, QString()});
        out.append({std::max(at, from), to, r.period});
        at = to;
    }
    out.append({at, QStringLiteral("9999-12-31T23:59:59.999Z"), QString()});
    return out;
}
