#include "core/qc/grr/GaugeCsv.h"

#include "core/qc/grr/GaugeMessages.h"

#include <QFile>
#include <QTextStream>
#include <algorithm>
#include <cmath>

namespace {

enum Column { Part, Appraiser, Trial, Value, Parameter, ColumnCount };
// Without a header: part, operator, trial, value.
constexpr int kPlain[ColumnCount] = {0, 1, 2, 3, -1};

// The header's column of each field, or false when the line is not a header.
bool headerColumns(const QStringList &fields, int columns[ColumnCount], QString *problem)
{
    const QStringList names{QStringLiteral("part"), QStringLiteral("operator"),
                            QStringLiteral("trial"), QStringLiteral("value"),
                            QStringLiteral("parameter")};
    bool header = false;
    std::fill(columns, columns + ColumnCount, -1);
    for (int i = 0; i < fields.size(); ++i) {
        QString name = fields[i].toLower();
        if (name == QLatin1String("appraiser"))
            name = QStringLiteral("operator");
        const qsizetype c = names.indexOf(name);
        if (c >= 0) {
            columns[c] = i;
            header = true;
        }
    }
    if (!header)
        return false;
    for (int c = Part; c <= Value; ++c)
        if (columns[c] < 0)
            *problem = GaugeMessages::csvMissingColumn(names[c]);
    return true;
}

} // namespace

QString readGaugeCsv(const QString &path, const QString &parameter, GaugeCsv *out)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return GaugeMessages::cannotRead(path);
    QTextStream in(&file);
    int columns[ColumnCount];
    std::copy(kPlain, kPlain + ColumnCount, columns);
    bool first = true;
    QStringList present; // the parameters named, in the order met
    QVector<GaugeValue> values;
    for (int lineNo = 1; !in.atEnd(); ++lineNo) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        QStringList fields = line.split(QLatin1Char(','));
        for (QString &f : fields)
            f = f.trimmed();
        if (first) {
            first = false;
            QString problem;
            if (headerColumns(fields, columns, &problem)) {
                if (!problem.isEmpty())
                    return GaugeMessages::atLine(path, lineNo, problem);
                continue;
            }
            std::copy(kPlain, kPlain + ColumnCount, columns);
        }
        const int needed = *std::max_element(columns, columns + ColumnCount) + 1;
        if (fields.size() < needed)
            return GaugeMessages::atLine(path, lineNo,
                                         GaugeMessages::csvFieldCount(int(fields.size()), needed));
        GaugeValue v;
        v.part = fields[columns[Part]];
        v.appraiser = fields[columns[Appraiser]];
        if (v.part.isEmpty() || v.appraiser.isEmpty())
            return GaugeMessages::atLine(
                path, lineNo,
                GaugeMessages::csvEmptyName(v.part.isEmpty() ? QStringLiteral("part")
                                                             : QStringLiteral("operator")));
        bool ok = false;
        v.trial = fields[columns[Trial]].toInt(&ok);
        if (!ok || v.trial < 1)
            return GaugeMessages::atLine(path, lineNo,
                                         GaugeMessages::csvBadTrial(fields[columns[Trial]]));
        v.value = fields[columns[Value]].toDouble(&ok);
        if (!ok || !std::isfinite(v.value))
            return GaugeMessages::atLine(path, lineNo,
                                         GaugeMessages::csvBadValue(fields[columns[Value]]));
        const QString name = columns[Parameter] >= 0 ? fields[columns[Parameter]] : QString();
        if (!present.contains(name))
            present << name;
        if (parameter.isEmpty() || columns[Parameter] < 0 || name == parameter)
            values.append(v);
    }
    out->values = values;
    out->parameter = parameter;
    if (columns[Parameter] < 0)
        return QString();
    if (!parameter.isEmpty() && !present.contains(parameter))
        return GaugeMessages::noParameterRows(parameter, present);
    if (parameter.isEmpty() && present.size() > 1)
        return GaugeMessages::chooseParameter(present);
    if (parameter.isEmpty())
        out->parameter = present.value(0);
    return QString();
}
