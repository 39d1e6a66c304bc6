#include "core/analysis/population/ReList.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

#include <cmath>
#include <limits>

double ReList::reFor(const QString &path) const
{
    const auto it = byName.find(QFileInfo(path).fileName());
    return it == byName.end() ? std::numeric_limits<double>::quiet_NaN() : it->second;
}

ReList parseReList(const QByteArray &bytes)
{
    ReList list;
    static const QRegularExpression separator(QStringLiteral("[,;\\t]"));
    const QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    bool first = true;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const int at = line.lastIndexOf(separator);
        bool ok = false;
        const double re = at > 0 ? line.mid(at + 1).trimmed().toDouble(&ok) : 0.0;
        const bool header = first;
        first = false;
        if (ok && std::isfinite(re) && re > 0.0) {
            QString name = line.left(at).trimmed();
            if (name.size() >= 2 && name.startsWith(QLatin1Char('"')) &&
                name.endsWith(QLatin1Char('"')))
                name = name.mid(1, name.size() - 2);
            list.byName[QFileInfo(name).fileName()] = re;
        } else if (!header) {
            list.badLine = i + 1;
            return list;
        }
    }
    return list;
}
