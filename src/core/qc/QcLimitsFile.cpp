#include "core/qc/QcLimitsFile.h"

#include "core/files/InputFile.h"
#include "core/files/SafeWrite.h"
#include "core/model/SweepGrid.h"
#include "core/qc/QcMessages.h"

#include <QList>
#include <algorithm>
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

namespace M = QcMessages;

// What a limits file has given so far.
struct LimitsReading {
    QcLimits l;
    QStringList seen; // the items that come once
    bool parameterSeen[kQcParameterCount] = {};
    bool started = false;
    bool ended = false;
    int endLine = 0;
};

// The first item: the format and its version.
QString readMagic(const QList<QByteArray> &f)
{
    if (f.first() != kMagic || f.size() != 2)
        return M::notLimitsFile();
    int version = 0;
    if (!toInt(f[1], &version) || version != kQcLimitsFormatVersion)
        return M::unsupportedVersion(QString::fromUtf8(f[1]), kQcLimitsFormatVersion);
    return QString();
}

// "param NAME LOW HIGH": the window of one parameter.
QString readParam(const QList<QByteArray> &f, LimitsReading &r)
{
    const int p = f.size() >= 2 ? parameterIndex(f[1]) : -1;
    if (p < 0)
        return M::badValue(QString::fromUtf8(f.first()));
    if (r.parameterSeen[p])
        return M::repeatedKey(QStringLiteral("param ") + QString::fromUtf8(f[1]));
    if (f.size() != 4 || !toWindow(f[2], f[3], &r.l.parameters[p]))
        return M::badWindow(QString::fromUtf8(f[1]));
    r.parameterSeen[p] = true;
    return QString();
}

// "point INDEX FREQUENCY LOW HIGH": the band's window at the next grid index.
QString readPoint(const QList<QByteArray> &f, QcLimits &l)
{
    if (l.band == 0)
        return M::missingKey(QStringLiteral("band"));
    const int expected = bandFirstIndex(l.band) + int(l.points.size());
    QcBandPoint pt;
    if (f.size() != 5 || !toInt(f[1], &pt.index) || pt.index != expected ||
        expected > bandLastIndex(l.band))
        return M::pointOutOfOrder(expected);
    // The golden curves' frequencies, as their point texts hold them, lie within a
    // millionth of the grid's; a grid step is over 1 %.
    const double grid = gridFrequencyHz(pt.index);
    if (!toNumber(f[2], &pt.freqHz) || !(std::fabs(pt.freqHz - grid) <= grid * 1e-3))
        return M::pointFrequency(pt.index, grid);
    if (!toWindow(f[3], f[4], &pt.z))
        return M::badWindow(QStringLiteral("point ") + QString::number(pt.index));
    l.points.append(pt);
    return QString();
}

// One item after the first; `line` is the item's whole text, `number` its line.
QString readItem(const QList<QByteArray> &f, const QByteArray &line, int number, LimitsReading &r)
{
    const QByteArray key = f.first();
    const QString keyText = QString::fromUtf8(key);
    if (key != "param" && key != "point") {
        if (r.seen.contains(keyText))
            return M::repeatedKey(keyText);
        r.seen << keyText;
    }
    QcLimits &l = r.l;
    bool ok = true;
    if (key == "name") {
        l.name = QString::fromUtf8(line.mid(key.size()).trimmed());
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
    } else if (key == "re-window") {
        QcWindow w;
        const bool at20 = f.size() == 4 && f[3] == "20C";
        if ((f.size() != 3 && !at20 && !(f.size() == 4 && f[3] == "measured")) ||
            !toWindow(f[1], f[2], &w) || !(w.low > 0.0))
            return M::badWindow(keyText);
        l.reWindow = w;
        l.reAt20C = at20;
    } else if (key == "sweep") {
        for (int i = 1; i < f.size(); ++i) {
            int b = 0;
            if (!toInt(f[i], &b) || !isValidBand(b) || l.sweep.contains(b))
                return M::badValue(keyText);
            l.sweep.append(b);
        }
        ok = !l.sweep.isEmpty();
        l.sweepLine = number;
    } else if (key == "param") {
        return readParam(f, r);
    } else if (key == "point") {
        return readPoint(f, l);
    } else if (key == "end") {
        ok = f.size() == 1;
        r.ended = true;
        r.endLine = number;
    } else {
        return M::unknownKey(keyText);
    }
    return ok ? QString() : M::badValue(keyText);
}

// After "end": every item, every parameter and every point of the band are there.
QString missingItem(const LimitsReading &r)
{
    for (const char *key : {"name", "revision", "band", "golden", "k", "tolerance-pct", "re"})
        if (!r.seen.contains(QLatin1String(key)))
            return M::missingKey(QLatin1String(key));
    for (int p = 0; p < kQcParameterCount; ++p)
        if (!r.parameterSeen[p])
            return M::missingKey(QStringLiteral("param ") + kQcParameterNames[p]);
    if (r.l.points.size() != bandPointCount(r.l.band))
        return M::wrongPointCount(int(r.l.points.size()), bandPointCount(r.l.band));
    return QString();
}

// Every band of a sweep lies within the limits' band, and together they cover one run of points
// from its first: a measurement file holds missing points only at its end.
QString sweepOutside(const QcLimits &l)
{
    int last = bandFirstIndex(l.band) - 1;
    for (int b : l.sweep) {
        if (bandFirstIndex(b) < bandFirstIndex(l.band) || bandLastIndex(b) > bandLastIndex(l.band))
            return M::sweepOutsideBand(b, l.band);
        last = std::max(last, bandLastIndex(b));
    }
    for (int i = bandFirstIndex(l.band); i <= last; ++i) {
        if (l.judges(i))
            continue;
        int end = i;
        while (!l.judges(end + 1))
            ++end;
        return M::sweepGap(gridFrequencyHz(i), gridFrequencyHz(end), l.band);
    }
    return QString();
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
    if (l.reWindow)
        t += "re-window " + num(l.reWindow->low) + ' ' + num(l.reWindow->high) +
             (l.reAt20C ? " 20C" : "") + '\n';
    if (!l.sweep.isEmpty()) {
        t += "sweep";
        for (int b : l.sweep)
            t += ' ' + QByteArray::number(b);
        t += '\n';
    }
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
    LimitsReading r;
    r.l.source = source;
    const QList<QByteArray> lines = bytes.mid(byteOrderMarkLength(bytes)).split('\n');
    int number = 0;
    for (QByteArray line : lines) {
        ++number;
        if (line.endsWith('\r'))
            line.chop(1);
        const QByteArray trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith('#'))
            continue;
        if (r.ended)
            return M::atLine(source, number, M::textAfterEnd());
        const QList<QByteArray> f = trimmed.simplified().split(' ');
        const QString problem = r.started ? readItem(f, trimmed, number, r) : readMagic(f);
        if (!problem.isEmpty())
            return M::atLine(source, number, problem);
        r.started = true;
    }
    if (!r.started)
        return M::atLine(source, number, M::notLimitsFile());
    if (!r.ended)
        return M::atLine(source, number, M::missingEnd());
    if (const QString problem = missingItem(r); !problem.isEmpty())
        return M::atLine(source, r.endLine, problem);
    if (const QString problem = sweepOutside(r.l); !problem.isEmpty())
        return M::atLine(source, r.l.sweepLine, problem);
    *out = r.l;
    return QString();
}

QString readQcLimitsFile(const QString &path, QcLimits *out)
{
    QByteArray bytes;
    if (readInputFile(path, kMaxDataFileBytes, bytes) != InputFileProblem::None)
        return QcMessages::cannotRead(path);
    return parseQcLimits(bytes, path, out);
}
