#include "core/qc/QcLimitsFile.h"

#include "core/files/InputFile.h"
#include "core/files/SafeWrite.h"
#include "core/model/SweepGrid.h"
#include "core/qc/QcMessages.h"

#include <QList>
#include <cmath>

namespace {

const char kMagic[] = "velo2-qc-limits";

QByteArray num(double v)
{
    return QByteArray::number(v, 'g', 7);
}

bool toNumber(const QByteArray &text, double *v)
{
    bool ok = false;
    const double d = text.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return false;
    *v = d;
    return true;
}

bool toInt(const QByteArray &text, int *v)
{
    bool ok = false;
    const int i = text.toInt(&ok);
    if (ok)
        *v = i;
    return ok;
}

int parameterIndex(const QByteArray &name)
{
    for (int p = 0; p < kQcParameterCount; ++p)
        if (name == kQcParameterNames[p])
            return p;
    return -1;
}

bool toWindow(const QByteArray &low, const QByteArray &high, QcWindow *w)
{
    return toNumber(low, &w->low) && toNumber(high, &w->high) && w->low <= w->high;
}

} // namespace

QByteArray qcLimitsText(const QcLimits &l)
{
    QByteArray t;
    t += "# VELO2 QC limits: a band on |Z| and windows on the parameters of one driver type.\n";
    t += "# Windows are mean +- max(k * sigma, tolerance-pct % of the mean) of the golden units.\n";
    t += QByteArray(kMagic) + ' ' + QByteArray::number(kQcLimitsFormatVersion) + '\n';
    t += "name " + l.name.toUtf8() + '\n';
    t += "revision " + QByteArray::number(l.revision) + '\n';
    t += "band " + QByteArray::number(l.band) + '\n';
    t += "golden " + QByteArray::number(l.goldenCount) + '\n';
    t += "k " + num(l.k) + '\n';
    t += "tolerance-pct " + num(l.tolerancePct) + '\n';
    t += "re " + num(l.re) + '\n';
    t += "# param NAME LOW HIGH (Fs Hz; Rmax, Zmin ohm)\n";
    for (int p = 0; p < kQcParameterCount; ++p)
        t += QByteArray("param ") + kQcParameterNames[p] + ' ' + num(l.parameters[p].low) + ' ' +
             num(l.parameters[p].high) + '\n';
    t += "# point INDEX FREQUENCY-HZ LOW-OHM HIGH-OHM\n";
    for (const QcBandPoint &pt : l.points)
        t += "point " + QByteArray::number(pt.index) + ' ' + num(pt.freqHz) + ' ' + num(pt.z.low) +
             ' ' + num(pt.z.high) + '\n';
    t += "end\n";
    return t;
}

bool writeQcLimitsFile(const QString &path, const QcLimits &limits)
{
    return writeFileSafely(path, qcLimitsText(limits));
}

QString parseQcLimits(const QByteArray &bytes, const QString &source, QcLimits *out)
{
    namespace M = QcMessages;
    QcLimits l;
    l.source = source;
    QStringList seen;
    bool parameterSeen[kQcParameterCount] = {};
    bool started = false;
    bool ended = false;
    int endLine = 0;
    const QList<QByteArray> lines = bytes.mid(byteOrderMarkLength(bytes)).split('\n');
    int number = 0;
    for (QByteArray line : lines) {
        ++number;
        if (line.endsWith('\r'))
            line.chop(1);
        const QByteArray trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith('#'))
            continue;
        auto fail = [&](const QString &problem) { return M::atLine(source, number, problem); };
        if (ended)
            return fail(M::textAfterEnd());
        const QList<QByteArray> f = trimmed.simplified().split(' ');
        const QByteArray key = f.first();
        const QString keyText = QString::fromUtf8(key);
        if (!started) {
            if (key != kMagic || f.size() != 2)
                return fail(M::notLimitsFile());
            int version = 0;
            if (!toInt(f[1], &version) || version != kQcLimitsFormatVersion)
                return fail(M::unsupportedVersion(QString::fromUtf8(f[1]), kQcLimitsFormatVersion));
            started = true;
            continue;
        }
        if (key != "param" && key != "point") {
            if (seen.contains(keyText))
                return fail(M::repeatedKey(keyText));
            seen << keyText;
        }
        bool ok = true;
        if (key == "name") {
            l.name = QString::fromUtf8(trimmed.mid(key.size()).trimmed());
            ok = !l.name.isEmpty();
        } else if (key == "revision") {
            ok = f.size() == 2 && toInt(f[1], &l.revision) && l.revision >= 0;
        } else if (key == "band") {
            ok = f.size() == 2 && toInt(f[1], &l.band) && isValidBand(l.band);
            l.bandLine = number;
        } else if (key == "golden") {
            ok = f.size() == 2 && toInt(f[1], &l.goldenCount) && l.goldenCount >= 0;
        } else if (key == "k") {
            ok = f.size() == 2 && toNumber(f[1], &l.k) && l.k >= 0.0;
        } else if (key == "tolerance-pct") {
            ok = f.size() == 2 && toNumber(f[1], &l.tolerancePct) && l.tolerancePct >= 0.0;
        } else if (key == "re") {
            ok = f.size() == 2 && toNumber(f[1], &l.re) && l.re > 0.0;
        } else if (key == "param") {
            const int p = f.size() >= 2 ? parameterIndex(f[1]) : -1;
            if (p < 0)
                return fail(M::badValue(keyText));
            if (parameterSeen[p])
                return fail(M::repeatedKey(QStringLiteral("param ") + QString::fromUtf8(f[1])));
            if (f.size() != 4 || !toWindow(f[2], f[3], &l.parameters[p]))
                return fail(M::badWindow(QString::fromUtf8(f[1])));
            parameterSeen[p] = true;
        } else if (key == "point") {
            if (l.band == 0)
                return fail(M::missingKey(QStringLiteral("band")));
            const int expected = bandFirstIndex(l.band) + int(l.points.size());
            QcBandPoint pt;
            if (f.size() != 5 || !toInt(f[1], &pt.index) || pt.index != expected ||
                expected > bandLastIndex(l.band))
                return fail(M::pointOutOfOrder(expected));
            // The golden curves' frequencies, as their point texts hold them, lie within a
            // millionth of the grid's; a grid step is over 1 %.
            const double grid = gridFrequencyHz(pt.index);
            if (!toNumber(f[2], &pt.freqHz) || !(std::fabs(pt.freqHz - grid) <= grid * 1e-3))
                return fail(M::pointFrequency(pt.index, grid));
            if (!toWindow(f[3], f[4], &pt.z))
                return fail(M::badWindow(QStringLiteral("point ") + QString::number(pt.index)));
            l.points.append(pt);
        } else if (key == "end") {
            ok = f.size() == 1;
            ended = true;
            endLine = number;
        } else {
            return fail(M::unknownKey(keyText));
        }
        if (!ok)
            return fail(M::badValue(keyText));
    }
    if (!started)
        return M::atLine(source, number, M::notLimitsFile());
    if (!ended)
        return M::atLine(source, number, M::missingEnd());
    for (const char *key : {"name", "revision", "band", "golden", "k", "tolerance-pct", "re"})
        if (!seen.contains(QLatin1String(key)))
            return M::atLine(source, endLine, M::missingKey(QLatin1String(key)));
    for (int p = 0; p < kQcParameterCount; ++p)
        if (!parameterSeen[p])
            return M::atLine(source, endLine,
                             M::missingKey(QStringLiteral("param ") + kQcParameterNames[p]));
    if (l.points.size() != bandPointCount(l.band))
        return M::atLine(source, endLine,
                         M::wrongPointCount(int(l.points.size()), bandPointCount(l.band)));
    *out = l;
    return QString();
}

QString readQcLimitsFile(const QString &path, QcLimits *out)
{
    QByteArray bytes;
    if (readInputFile(path, kMaxDataFileBytes, bytes) != InputFileProblem::None)
        return QcMessages::cannotRead(path);
    return parseQcLimits(bytes, path, out);
}
