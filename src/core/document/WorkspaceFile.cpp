#include "core/document/WorkspaceFile.h"

#include "core/document/MeasurementDocument.h"
#include "core/files/SafeWrite.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QtEndian>
#include <cstring>
#include <optional>

namespace {

constexpr int kVersion = 1;
const QByteArray kHeader = QByteArrayLiteral("VELO2 workspace ");
// Six curves of about 36 kB each and the rest: far below this.
constexpr qint64 kMaxBytes = 8 * 1024 * 1024;
// A curve's file is fingerprinted only up to the size any reader takes.
constexpr qint64 kMaxCurveFileBytes = 16 * 1024 * 1024;
constexpr int kCurveBlockBytes = 4 + 3 * kRecordSlots * 4;
constexpr int kPointBytes = kRecordSlots * kPointSlotSize;

QByteArray escaped(const QString &text)
{
    QByteArray out;
    for (const char c : text.toUtf8()) {
        if (c == '%')
            out += "%25";
        else if (c == '\r')
            out += "%0D";
        else if (c == '\n')
            out += "%0A";
        else
            out += c;
    }
    return out;
}

QString unescaped(const QByteArray &value)
{
    return QString::fromUtf8(QByteArray::fromPercentEncoding(value));
}

QByteArray flag(bool on)
{
    return on ? QByteArrayLiteral("1") : QByteArrayLiteral("0");
}

QByteArray colour(ColorRef c)
{
    return QByteArray::number(c & 0xFFFFFF, 16).rightJustified(6, '0').toUpper();
}

QByteArray fileFingerprint(const QString &path)
{
    QFile file(path);
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || info.size() > kMaxCurveFileBytes ||
        !file.open(QIODevice::ReadOnly))
        return QByteArray();
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
}

QByteArray curveBlockBytes(const CurveBlock &block)
{
    QByteArray out(kCurveBlockBytes, '\0');
    char *p = out.data();
    qToLittleEndian<quint32>(block.valid, p);
    p += 4;
    for (const float *values : {block.r, block.theta, block.freq})
        for (int i = 0; i < kRecordSlots; ++i, p += 4)
            qToLittleEndian<float>(values[i], p);
    return out;
}

bool readCurveBlock(const QByteArray &bytes, CurveBlock &block)
{
    if (bytes.size() != kCurveBlockBytes)
        return false;
    const char *p = bytes.constData();
    block.valid = qFromLittleEndian<quint32>(p);
    p += 4;
    for (float *values : {block.r, block.theta, block.freq})
        for (int i = 0; i < kRecordSlots; ++i, p += 4)
            values[i] = qFromLittleEndian<float>(p);
    return true;
}

std::optional<QByteArray> base64(const QByteArray &value)
{
    const auto decoded =
        QByteArray::fromBase64Encoding(value, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return std::nullopt;
    return *decoded;
}

void writeCurve(QByteArray &out, const CurvePart &curve, bool checkFile)
{
    out += "path=" + escaped(curve.fileName) + "\r\n";
    out += "sha256=" + (checkFile ? fileFingerprint(curve.fileName) : QByteArray()) + "\r\n";
    out += "phase=" + flag(curve.hasPhase) + "\r\n";
    out += "valid=" + QByteArray::number(curve.record.valid) + "\r\n";
    out += "band=" + QByteArray::number(curve.record.band) + "\r\n";
    out += "date=" + curve.record.dateTime.toBase64() + "\r\n";
    out += "points=" + QByteArray::fromRawData(&curve.record.points[0][0], kPointBytes).toBase64() +
           "\r\n";
    out += "raw=" + curveBlockBytes(curve.raw).toBase64() + "\r\n";
    out += "avg=" + curveBlockBytes(curve.avg).toBase64() + "\r\n";
}

using Keys = QMap<QByteArray, QByteArray>;

// One curve section's embedded copy, or nothing when any part of it does not decode.
std::optional<CurvePart> embeddedCurve(const Keys &keys)
{
    CurvePart curve;
    bool ok = false;
    const int valid = keys.value("valid").toInt(&ok);
    if (!ok || (valid != 0 && valid != 1))
        return std::nullopt;
    curve.record.valid = quint8(valid);
    curve.record.band = keys.value("band").toInt(&ok);
    if (!ok || curve.record.band < 1 || curve.record.band > kBandCount)
        return std::nullopt;
    const auto date = base64(keys.value("date"));
    const auto points = base64(keys.value("points"));
    const auto raw = base64(keys.value("raw"));
    const auto avg = base64(keys.value("avg"));
    if (!date || !points || points->size() != kPointBytes || !raw || !avg ||
        !readCurveBlock(*raw, curve.raw) || !readCurveBlock(*avg, curve.avg))
        return std::nullopt;
    curve.record.dateTime = *date;
    std::memcpy(&curve.record.points[0][0], points->constData(), size_t(kPointBytes));
    const QByteArray phase = keys.value("phase");
    if (phase != "0" && phase != "1")
        return std::nullopt;
    curve.hasPhase = phase == "1";
    curve.fileName = unescaped(keys.value("path"));
    return curve;
}

// What became of the file a curve names, when its embedded copy is used.
std::optional<WorkspaceNote::Kind> fileProblem(const Keys &keys)
{
    const QString path = unescaped(keys.value("path"));
    if (path.isEmpty())
        return std::nullopt;
    if (!QFileInfo::exists(path))
        return WorkspaceNote::Moved;
    const QByteArray sha = keys.value("sha256");
    if (!sha.isEmpty() && fileFingerprint(path) != sha)
        return WorkspaceNote::Changed;
    return std::nullopt;
}

struct Section {
    QByteArray name;
    Keys keys;
};

bool readFlag(const Keys &keys, const char *key, bool &value)
{
    if (!keys.contains(key))
        return true;
    const QByteArray v = keys.value(key);
    if (v != "0" && v != "1")
        return false;
    value = v == "1";
    return true;
}

bool readColour(const Keys &keys, const QByteArray &key, ColorRef &value)
{
    if (!keys.contains(key))
        return true;
    bool ok = false;
    const uint c = keys.value(key).toUInt(&ok, 16);
    if (!ok || c > 0xFFFFFF)
        return false;
    value = c;
    return true;
}

} // namespace

bool isWorkspacePath(const QString &path)
{
    return path.endsWith(QLatin1String(kWorkspaceExtension), Qt::CaseInsensitive);
}

QByteArray workspaceBytes(const WorkspaceState &state)
{
    QByteArray out = kHeader + QByteArray::number(kVersion) + "\r\n";
    const WorkspaceView &v = state.view;
    out += "[view]\r\nview=" + escaped(v.view) + "\r\nlegend=" + flag(v.legend) +
           "\r\nlogz=" + flag(v.logZ) + "\r\ndiffpct=" + flag(v.diffPercent) +
           "\r\nrefslot=" + QByteArray::number(v.referenceSlot + 1) + "\r\nronly=" + flag(v.rOnly) +
           "\r\nwide=" + flag(v.wide) + "\r\naveraging=" + flag(v.averaging) + "\r\n";
    const WorkspaceColours &c = state.colours;
    out += "[colours]\r\nr=" + colour(c.r) + "\r\ntheta=" + colour(c.theta) + "\r\n";
    for (int s = 0; s < kReferenceSlots; ++s) {
        const QByteArray n = "ref" + QByteArray::number(s + 1);
        out += n + ".r=" + colour(c.refR[size_t(s)]) + "\r\n" + n +
               ".theta=" + colour(c.refTheta[size_t(s)]) + "\r\n";
    }
    out += "[worksheet]\r\n";
    for (auto it = state.worksheet.cbegin(); it != state.worksheet.cend(); ++it)
        out += escaped(it.key()).replace('=', "%3D") + '=' + escaped(it.value()) + "\r\n";
    const DocumentState &d = state.document;
    out += "[references]\r\ncount=" + QByteArray::number(d.refCount) + "\r\n";
    if (const MeasurementPart *m = d.measurement.get(); m && m->curve.record.valid == 1) {
        out += "[measurement]\r\n";
        // Only a saved measurement's name is a file: a run's or an export's is not.
        writeCurve(out, m->curve, m->saved == 1);
        out += "serial=" + m->unitSerial.toBase64() +
               "\r\ncomport=" + QByteArray::number(m->comPort) +
               "\r\nsaved=" + QByteArray::number(m->saved) + "\r\nimported=" + flag(m->imported) +
               "\r\noldformat=" + QByteArray::number(m->oldFormatLoaded) + "\r\n";
    }
    for (int s = 0; s < d.refCount && s < kReferenceSlots; ++s) {
        out += "[reference " + QByteArray::number(s + 1) + "]\r\n";
        writeCurve(out, *d.references[size_t(s)], true);
    }
    return out;
}

bool writeWorkspace(const QString &path, const WorkspaceState &state)
{
    return writeFileSafely(path, workspaceBytes(state));
}

WorkspaceRead readWorkspace(const QString &path, WorkspaceState &state)
{
    WorkspaceRead read;
    QFile file(path);
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxBytes || !file.open(QIODevice::ReadOnly)) {
        read.status = WorkspaceRead::Unreadable;
        return read;
    }
    return readWorkspaceBytes(file.readAll(), state);
}

WorkspaceRead readWorkspaceBytes(const QByteArray &bytes, WorkspaceState &state)
{
    WorkspaceRead read;
    QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray &line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    if (lines.isEmpty() || !lines[0].startsWith(kHeader)) {
        read.status = WorkspaceRead::NotWorkspace;
        return read;
    }
    bool ok = false;
    const int version = lines[0].mid(kHeader.size()).toInt(&ok);
    if (!ok || version < 1) {
        read.status = WorkspaceRead::NotWorkspace;
        return read;
    }
    if (version > kVersion) {
        read.status = WorkspaceRead::NewerVersion;
        return read;
    }

    QVector<Section> sections;
    for (int i = 1; i < lines.size(); ++i) {
        const QByteArray &line = lines[i];
        if (line.isEmpty())
            continue;
        if (line.startsWith('[') && line.endsWith(']')) {
            sections.push_back({line.mid(1, line.size() - 2), {}});
            continue;
        }
        const int eq = line.indexOf('=');
        if (eq <= 0 || sections.isEmpty()) {
            read.status = WorkspaceRead::Damaged;
            read.line = i + 1;
            return read;
        }
        sections.back().keys.insert(line.left(eq), line.mid(eq + 1));
    }

    WorkspaceState out;
    out.colours = state.colours;
    auto damaged = [&read] {
        read.status = WorkspaceRead::Damaged;
        return read;
    };
    int count = 0;
    std::optional<Keys> measurement;
    QMap<int, Keys> references;
    for (const Section &section : sections) {
        const Keys &k = section.keys;
        if (section.name == "view") {
            WorkspaceView &v = out.view;
            if (k.contains("view"))
                v.view = unescaped(k.value("view"));
            const int slot = k.value("refslot", "1").toInt(&ok);
            if (!ok || slot < 1 || slot > kReferenceSlots || !readFlag(k, "legend", v.legend) ||
                !readFlag(k, "logz", v.logZ) || !readFlag(k, "diffpct", v.diffPercent) ||
                !readFlag(k, "ronly", v.rOnly) || !readFlag(k, "wide", v.wide) ||
                !readFlag(k, "averaging", v.averaging))
                return damaged();
            v.referenceSlot = slot - 1;
        } else if (section.name == "colours") {
            WorkspaceColours &c = out.colours;
            bool good = readColour(k, "r", c.r) && readColour(k, "theta", c.theta);
            for (int s = 0; s < kReferenceSlots; ++s) {
                const QByteArray n = "ref" + QByteArray::number(s + 1);
                good = good && readColour(k, n + ".r", c.refR[size_t(s)]) &&
                       readColour(k, n + ".theta", c.refTheta[size_t(s)]);
            }
            if (!good)
                return damaged();
        } else if (section.name == "worksheet") {
            for (auto it = k.cbegin(); it != k.cend(); ++it)
                out.worksheet.insert(unescaped(it.key()), unescaped(it.value()));
        } else if (section.name == "references") {
            count = k.value("count").toInt(&ok);
            if (!ok || count < 0 || count > kReferenceSlots)
                return damaged();
        } else if (section.name == "measurement") {
            measurement = k;
        } else if (section.name.startsWith("reference ")) {
            const int n = section.name.mid(10).toInt(&ok);
            if (ok && n >= 1 && n <= kReferenceSlots)
                references.insert(n - 1, k);
        }
    }

    // The curves: the embedded copy, else the file through the program's own readers.
    auto m = std::make_shared<MeasurementPart>();
    if (measurement) {
        const Keys &k = *measurement;
        const std::optional<CurvePart> curve = embeddedCurve(k);
        const QString path = unescaped(k.value("path"));
        if (curve) {
            m->curve = *curve;
            m->unitSerial = base64(k.value("serial")).value_or(QByteArray());
            m->comPort = k.value("comport", "1").toInt();
            m->saved = k.value("saved") == "1" ? 1 : 0;
            m->imported = k.value("imported") == "1";
            m->oldFormatLoaded = k.value("oldformat") == "1" ? 1 : 0;
            if (m->saved == 1)
                if (const auto problem = fileProblem(k))
                    read.notes.push_back({-1, path, *problem});
        } else {
            auto scratch = std::make_unique<MeasurementDocument>();
            qint32 port = 1;
            const bool loaded =
                !path.isEmpty() &&
                (scratch->isTablePath(path) ? scratch->importMeasurement(path).ok()
                                            : scratch->open(path, port) == OpenOutcome::Opened);
            if (loaded)
                m = std::make_shared<MeasurementPart>(*scratch->state().measurement);
            read.notes.push_back(
                {-1, path, loaded ? WorkspaceNote::FromFile : WorkspaceNote::Lost});
        }
    }
    out.document.measurement = std::move(m);
    int held = 0;
    for (int s = 0; s < count; ++s) {
        const Keys k = references.value(s);
        const QString path = unescaped(k.value("path"));
        std::optional<CurvePart> curve = embeddedCurve(k);
        if (curve) {
            if (const auto problem = fileProblem(k))
                read.notes.push_back({s, path, *problem});
        } else {
            auto scratch = std::make_unique<MeasurementDocument>();
            const bool loaded = !path.isEmpty() && scratch->loadReferences({path}).loaded == 1;
            if (loaded)
                curve = *scratch->state().references[0];
            read.notes.push_back({s, path, loaded ? WorkspaceNote::FromFile : WorkspaceNote::Lost});
        }
        // A curve left out moves the ones after it up: the held slots stay the first ones.
        if (curve)
            out.document.references[size_t(held++)] = std::make_shared<CurvePart>(*curve);
    }
    out.document.refCount = held;
    while (held < kReferenceSlots)
        out.document.references[size_t(held++)] = emptyReferencePart();
    state = std::move(out);
    return read;
}
