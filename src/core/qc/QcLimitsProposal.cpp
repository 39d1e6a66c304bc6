#include "core/qc/QcLimitsProposal.h"

#include <cmath>

namespace {

QString number(double v)
{
    return QString::number(v, 'g', 6);
}

QString signedNumber(double v)
{
    return (v > 0.0 ? QStringLiteral("+") : QString()) + number(v);
}

} // namespace

QcLimitsProposal proposeQcLimits(const QcLimits &current,
                                 const QVector<double> (&values)[kQcParameterCount], int units)
{
    QcLimitsProposal p;
    p.limits = current;
    p.limits.revision = current.revision + 1;
    p.limits.goldenCount = units;
    p.units = units;
    for (int i = 0; i < kQcParameterCount; ++i) {
        p.before[i] = current.parameters[i];
        p.kept[i] = values[i].size() < 2;
        if (!p.kept[i])
            p.limits.parameters[i] = toleranceWindow(values[i], current.k, current.tolerancePct);
    }
    return p;
}

QStringList qcLimitsProposalText(const QcLimitsProposal &p)
{
    QStringList lines{QStringLiteral("%1 v%2 from the last %3 units that passed: mean +- max(%4 "
                                     "sigma, %5 % of the mean)")
                          .arg(p.limits.name)
                          .arg(p.limits.revision)
                          .arg(p.units)
                          .arg(number(p.limits.k), number(p.limits.tolerancePct)),
                      QStringLiteral("%1 %2 %3  %4")
                          .arg(QStringLiteral("parameter"), -9)
                          .arg(QStringLiteral("old window"), -25)
                          .arg(QStringLiteral("new window"), -25)
                          .arg(QStringLiteral("change"))};
    for (int i = 0; i < kQcParameterCount; ++i) {
        const QcWindow &a = p.before[i];
        const QcWindow &b = p.limits.parameters[i];
        const double width = a.high - a.low;
        QString change;
        if (p.kept[i])
            change = QStringLiteral("kept: too few values");
        else if (a.low == b.low && a.high == b.high)
            change = QStringLiteral("none");
        else
            change =
                QStringLiteral("low %1, high %2, width %3")
                    .arg(signedNumber(b.low - a.low), signedNumber(b.high - a.high),
                         width > 0.0
                             ? signedNumber(std::round(1000.0 * ((b.high - b.low) / width - 1.0)) /
                                            10.0) +
                                   QStringLiteral(" %")
                             : QStringLiteral("from 0"));
        lines << QStringLiteral("%1 %2 %3  %4")
                     .arg(QLatin1String(kQcParameterNames[i]), -9)
                     .arg(number(a.low) + QStringLiteral(" ... ") + number(a.high), -25)
                     .arg(number(b.low) + QStringLiteral(" ... ") + number(b.high), -25)
                     .arg(change);
    }
    return lines;
}
