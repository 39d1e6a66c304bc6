#include "core/files/RepeatFile.h"

#include "core/files/FileNameRules.h"
#include "core/files/InputFile.h"
#include "core/files/SafeWrite.h"
#include "core/model/BandTable.h"

#include <QLocale>
#include <QStringList>
#include <cmath>

namespace {

const QByteArray kMagic = QByteArrayLiteral("VELO2 repeat set");
const QByteArray kNone = QByteArrayLiteral("-");
constexpr char kTab = '\t';

QByteArray number(double v)
{
    if (!std::isfinite(v))
        return kNone;
    return QByteArray::number(v, 'g', QLocale::FloatingPointShortest);
}

bool isFieldText(const QByteArray &text)
{
    return !text.contains(kTab) && !text.contains('\n') && !text.contains('\r');
}

QByteArray titles(int sweeps)
{
    QByteArray t = "index\tfreq_Hz\tn\tmean_ohm\tmean_deg\tsd_ohm\tsd_deg";
    for (int j = 1; j <= sweeps; ++j)
        t += "\tohm_" + QByteArray::number(j) + "\tdeg_" + QByteArray::number(j);
    return t;
}

// The lines of a file, read one by one with their numbers.
class Lines
{
public:
    explicit Lines(const QByteArray &bytes)
    {
        QByteArray text = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
        m_lines = text.split('\n');
        for (QByteArray &l : m_lines)
            if (l.endsWith('\r'))
                l.chop(1);
        while (!m_lines.isEmpty() && m_lines.last().isEmpty())
            m_lines.removeLast();
    }
    // The next line's fields; false at the end of the file.
    bool next(QList<QByteArray> &fields)
    {
        if (m_next >= m_lines.size())
            return false;
        fields = m_lines[m_next++].split(kTab);
        return true;
    }
    // The next line as "key <tab> values", exactly `values` of them.
    bool keyed(const char *key, qsizetype values, QList<QByteArray> &fields)
    {
        return next(fields) && fields.size() == values + 1 && fields[0] == key;
    }
    int line() const { return int(m_next); }
    bool atEnd() const { return m_next >= m_lines.size(); }

private:
    QList<QByteArray> m_lines;
    qsizetype m_next = 0;
};

bool toInt(const QByteArray &text, int low, int high, int &value)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < low || v > high)
        return false;
    value = v;
    return true;
}

// A number, or "-" for none (NaN) when allowed.
bool toNumber(const QByteArray &text, bool noneAllowed, double &value)
{
    if (text == kNone) {
        value = std::nan("");
        return noneAllowed;
    }
    bool ok = false;
    value = text.toDouble(&ok);
    return ok && std::isfinite(value);
}

bool agrees(double stored, double computed)
{
    if (std::isnan(stored) || std::isnan(computed))
        return std::isnan(stored) && std::isnan(computed);
    return std::abs(stored - computed) <= 1e-9 * std::max(1.0, std::abs(computed));
}

RepeatFileRead damaged(int line)
{
    return {RepeatFileRead::Damaged, line};
}

} // namespace

bool repeatFileBytes(const RepeatSet &set, QByteArray &bytes)
{
    if (set.isEmpty() || !isFieldText(set.serial()) || !isFieldText(set.model().toUtf8()))
        return false;
    for (const RepeatSweep &s : set.sweeps())
        if (!isFieldText(s.dateTime))
            return false;
    const int band = set.band();
    const int points = bandPointCount(band);
    const std::vector<RepeatPoint> stats = set.statistics();
    QByteArray out;
    out += kMagic + kTab + QByteArray::number(kRepeatFileVersion) + '\n';
    out += "band\t" + QByteArray::number(band) + '\n';
    out += "unit\t" + set.model().toUtf8() + kTab + set.serial() + '\n';
    out += "sweeps\t" + QByteArray::number(set.count()) + kTab + QByteArray::number(set.planned()) +
           '\n';
    out += QByteArray("partial\t") + (set.isPartial() ? "yes" : "no") + '\n';
    out += "date\t" + set.dateTime() + '\n';
    for (int j = 0; j < set.count(); ++j) {
        const RepeatSweep &s = set.sweeps()[std::size_t(j)];
        out += "sweep\t" + QByteArray::number(j + 1) + kTab + s.dateTime + kTab +
               QByteArray::number(s.measured) + '\n';
    }
    out += "points\t" + QByteArray::number(points) + '\n';
    out += titles(set.count()) + '\n';
    const int first = bandFirstIndex(band);
    for (int k = 0; k < points; ++k) {
        const RepeatPoint &p = stats[std::size_t(k)];
        const bool any = p.n > 0;
        out += QByteArray::number(first + k) + kTab + (any ? number(p.freqHz) : kNone) + kTab +
               QByteArray::number(p.n) + kTab + (any ? number(p.ohm) : kNone) + kTab +
               (any ? number(p.deg) : kNone) + kTab + number(p.sdOhm) + kTab + number(p.sdDeg);
        for (const RepeatSweep &s : set.sweeps()) {
            const bool has = k < s.measured;
            out += kTab + (has ? number(s.ohm[std::size_t(k)]) : kNone) + kTab +
                   (has ? number(s.deg[std::size_t(k)]) : kNone);
        }
        out += '\n';
    }
    out += "end\n";
    bytes = out;
    return true;
}

bool writeRepeatFile(const QString &path, const RepeatSet &set)
{
    clearSafeWriteError();
    QByteArray bytes;
    return repeatFileBytes(set, bytes) && writeFileSafely(path, bytes);
}

RepeatFileRead readRepeatBytes(const QByteArray &bytes, RepeatSet &set)
{
    Lines in(bytes);
    QList<QByteArray> f;
    if (!in.next(f) || f.size() != 2 || f[0] != kMagic)
        return {RepeatFileRead::NotRepeatFile, 1};
    int version = 0;
    if (!toInt(f[1], 1, 1000000, version))
        return damaged(1);
    if (version > kRepeatFileVersion)
        return {RepeatFileRead::NewerVersion, 1};

    int band = 0;
    if (!in.keyed("band", 1, f) || !toInt(f[1], 1, kBandCount, band))
        return damaged(in.line());
    if (!in.keyed("unit", 2, f))
        return damaged(in.line());
    const QString model = QString::fromUtf8(f[1]);
    const QByteArray serial = f[2];
    int held = 0;
    int planned = 0;
    if (!in.keyed("sweeps", 2, f) || !toInt(f[2], kMinRepeats, kMaxRepeats, planned) ||
        !toInt(f[1], 1, planned, held))
        return damaged(in.line());
    if (!in.keyed("partial", 1, f) || (f[1] != "yes" && f[1] != "no"))
        return damaged(in.line());
    const bool partial = f[1] == "yes";
    const int partialLine = in.line();
    if (!in.keyed("date", 1, f))
        return damaged(in.line());
    const QByteArray date = f[1];
    const int dateLine = in.line();

    const int points = bandPointCount(band);
    const int first = bandFirstIndex(band);
    auto sweeps = std::vector<RepeatSweep>(std::size_t(held));
    std::vector<int> sweepLines;
    for (int j = 0; j < held; ++j) {
        RepeatSweep &s = sweeps[std::size_t(j)];
        int number = 0;
        if (!in.keyed("sweep", 3, f) || !toInt(f[1], j + 1, j + 1, number) ||
            !toInt(f[3], 1, points, s.measured))
            return damaged(in.line());
        sweepLines.push_back(in.line());
        s.band = band;
        s.model = model;
        s.serial = serial;
        s.dateTime = f[2];
        s.freqHz.assign(std::size_t(points), 0.0);
        s.ohm.assign(std::size_t(points), 0.0);
        s.deg.assign(std::size_t(points), 0.0);
    }
    if (sweeps.front().dateTime != date)
        return damaged(dateLine);
    int stated = 0;
    if (!in.keyed("points", 1, f) || !toInt(f[1], points, points, stated))
        return damaged(in.line());
    if (!in.next(f) || f != titles(held).split(kTab))
        return damaged(in.line());

    // The stored mean and spread, checked against the sweeps' once the set is made.
    auto stored = std::vector<RepeatPoint>(std::size_t(points));
    std::vector<int> rowLines;
    const qsizetype columns = 7 + 2 * qsizetype(held);
    for (int k = 0; k < points; ++k) {
        RepeatPoint &p = stored[std::size_t(k)];
        int index = 0;
        if (!in.next(f) || f.size() != columns || !toInt(f[0], first + k, first + k, index) ||
            !toInt(f[2], 0, held, p.n) || !toNumber(f[1], p.n == 0, p.freqHz) ||
            !toNumber(f[3], p.n == 0, p.ohm) || !toNumber(f[4], p.n == 0, p.deg) ||
            !toNumber(f[5], true, p.sdOhm) || !toNumber(f[6], true, p.sdDeg))
            return damaged(in.line());
        rowLines.push_back(in.line());
        for (int j = 0; j < held; ++j) {
            RepeatSweep &s = sweeps[std::size_t(j)];
            const auto i = std::size_t(k);
            const bool has = k < s.measured;
            double ohm = 0.0;
            double deg = 0.0;
            const QByteArray &ohmText = f[7 + 2 * j];
            const QByteArray &degText = f[8 + 2 * j];
            if (has ? !(toNumber(ohmText, false, ohm) && toNumber(degText, false, deg))
                    : (ohmText != kNone || degText != kNone))
                return damaged(in.line());
            if (has) {
                s.freqHz[i] = p.freqHz;
                s.ohm[i] = ohm;
                s.deg[i] = deg;
            }
        }
    }
    if (!in.next(f) || f.size() != 1 || f[0] != "end" || !in.atEnd())
        return damaged(in.line() + (in.atEnd() ? 1 : 0));

    RepeatSet read(planned);
    for (int j = 0; j < held; ++j)
        if (read.add(std::move(sweeps[std::size_t(j)])) != RepeatAdd::Added)
            return damaged(sweepLines[std::size_t(j)]);
    read.stop();
    if (read.isPartial() != partial)
        return damaged(partialLine);
    const std::vector<RepeatPoint> computed = read.statistics();
    for (int k = 0; k < points; ++k) {
        const RepeatPoint &a = stored[std::size_t(k)];
        const RepeatPoint &b = computed[std::size_t(k)];
        if (a.n != b.n || (b.n > 0 && !(agrees(a.ohm, b.ohm) && agrees(a.deg, b.deg) &&
                                        agrees(a.sdOhm, b.sdOhm) && agrees(a.sdDeg, b.sdDeg))))
            return damaged(rowLines[std::size_t(k)]);
    }
    set = std::move(read);
    return {};
}

RepeatFileRead readRepeatFile(const QString &path, RepeatSet &set)
{
    QByteArray bytes;
    switch (readInputFile(path, kMaxRepeatFileBytes, bytes)) {
    case InputFileProblem::None:
        return readRepeatBytes(bytes, set);
    case InputFileProblem::Missing:
        return {RepeatFileRead::Missing, 0};
    default:
        return {RepeatFileRead::Unreadable, 0};
    }
}

RepeatFileRead readRepeatFileFor(const QString &meanDataPath, const MeasurementRecord &mean,
                                 RepeatSet &set)
{
    RepeatSet read;
    RepeatFileRead r = readRepeatFile(repeatFilePath(meanDataPath), read);
    if (r.ok() && (read.band() != mean.band || read.dateTime() != mean.dateTime))
        r = {RepeatFileRead::OtherMeasurement, 0};
    if (r.ok())
        set = std::move(read);
    return r;
}
