#include "core/files/ImpedanceTable.h"

#include "core/files/InputFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>

namespace {

enum class LineKind { Blank, Point, Other, NotFinite, Ambiguous, CrInside };

// What a comma means on a line.
enum class Comma { Separator, Decimal, Ambiguous };

enum class Number { Ok, NotNumber, NotFinite };

bool isBlank(char c)
{
    // 0x1A: the end-of-file mark some Windows tools still append.
    return c == ' ' || c == '\t' || c == '\r' || c == '\x1A';
}

bool isCommentMark(char c)
{
    return c == '*' || c == ';' || c == '#' || c == '"';
}

bool startsLikeNumber(std::string_view field)
{
    return !field.empty() &&
           (std::isdigit(static_cast<unsigned char>(field[0])) || field[0] == '+' ||
            field[0] == '-' || field[0] == '.' || field[0] == ',');
}

// With semicolons a comma is a decimal comma. Without them, blank- or tab-separated fields
// that each hold one comma between other characters ("10,00<TAB>15,000") read with a decimal
// comma; commas alone between numbers ("10,8,1", "10, 8") separate them. A line mixing both,
// or decimal commas and points, could be read either way.
Comma commaRole(std::string_view line)
{
    if (line.find(';') != std::string_view::npos)
        return Comma::Decimal;
    if (line.find(',') == std::string_view::npos)
        return Comma::Separator;
    bool inner = false;
    bool outer = false;
    bool point = false;
    int fields = 0;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && isBlank(line[at]))
            ++at;
        std::size_t end = at;
        while (end < line.size() && !isBlank(line[end]))
            ++end;
        if (end == at)
            break;
        const std::string_view field = line.substr(at, end - at);
        ++fields;
        const auto commas = std::count(field.begin(), field.end(), ',');
        point = point || field.find('.') != std::string_view::npos;
        if (commas == 1 && field.front() != ',' && field.back() != ',')
            inner = true;
        else if (commas > 0)
            outer = true;
        at = end;
    }
    if (fields == 1 || !inner)
        return Comma::Separator;
    return outer || point ? Comma::Ambiguous : Comma::Decimal;
}

Number parseNumber(std::string_view field, bool decimalComma, double &value)
{
    // from_chars takes no "+", but exports sign every value ("+7.1179").
    if (field.size() > 1 && field[0] == '+' && field[1] != '-' && field[1] != '+')
        field.remove_prefix(1);
    char buffer[64];
    if (decimalComma) {
        if (field.size() > sizeof buffer)
            return Number::NotNumber;
        std::copy(field.begin(), field.end(), buffer);
        std::replace(buffer, buffer + field.size(), ',', '.');
        field = std::string_view(buffer, field.size());
    }
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (end != field.data() + field.size() ||
        (ec != std::errc() && ec != std::errc::result_out_of_range))
        return Number::NotNumber;
    // Out of range: a value beyond double ("1e999") or one that would underflow.
    return ec == std::errc() && std::isfinite(value) ? Number::Ok : Number::NotFinite;
}

// Splits a line into at most three fields and reads them as a point.
LineKind readLine(std::string_view line, ImpedancePoint &point, bool &phase)
{
    while (!line.empty() && isBlank(line.front()))
        line.remove_prefix(1);
    while (!line.empty() && isBlank(line.back()))
        line.remove_suffix(1);
    if (line.empty() || isCommentMark(line.front()))
        return LineKind::Blank;
    // A CR within a line: the file's lines end in CR alone.
    if (line.find('\r') != std::string_view::npos)
        return LineKind::CrInside;

    const Comma comma = commaRole(line);
    if (comma == Comma::Ambiguous)
        return startsLikeNumber(line) ? LineKind::Ambiguous : LineKind::Other;
    const bool decimalComma = comma == Comma::Decimal;
    auto isSeparator = [decimalComma](char c) {
        return c == ' ' || c == '\t' || (decimalComma ? c == ';' : c == ',');
    };
    double values[3] = {0.0, 0.0, 0.0};
    int count = 0;
    std::size_t at = 0;
    while (count < 3) {
        while (at < line.size() && isSeparator(line[at]))
            ++at;
        if (at == line.size())
            break;
        std::size_t end = at;
        while (end < line.size() && !isSeparator(line[end]))
            ++end;
        const std::string_view field = line.substr(at, end - at);
        const Number number = parseNumber(field, decimalComma, values[count]);
        // A title row may well start with the word "Infinity".
        if (number == Number::NotFinite && (count > 0 || startsLikeNumber(field)))
            return LineKind::NotFinite;
        if (number != Number::Ok)
            return LineKind::Other;
        ++count;
        at = end;
    }
    if (count < 2)
        return LineKind::Other;
    point = {values[0], values[1], values[2], 0.0};
    phase = count == 3;
    return LineKind::Point;
}

// Text in UTF-16: a byte-order mark of it, or ASCII with a zero byte after (or before)
// each character.
bool isUtf16(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return true;
    return bytes.size() >= 4 && ((bytes[0] != 0 && bytes[1] == 0 && bytes[3] == 0) ||
                                 (bytes[0] == 0 && bytes[1] != 0 && bytes[2] == 0));
}

TableProblem fromInputProblem(InputFileProblem problem)
{
    switch (problem) {
    case InputFileProblem::None:
        return TableProblem::None;
    case InputFileProblem::Missing:
        return TableProblem::Missing;
    case InputFileProblem::NotRegular:
        return TableProblem::NotRegular;
    case InputFileProblem::TooLarge:
        return TableProblem::TooLarge;
    case InputFileProblem::Unreadable:
        break;
    }
    return TableProblem::Unreadable;
}

TableRead addPoint(ImpedanceTable &read, ImpedancePoint p, bool phase, int lineNo)
{
    if (!(p.hz > 0.0))
        return {TableProblem::BadFrequency, lineNo};
    if (p.ohm < 0.0)
        return {TableProblem::NegativeMagnitude, lineNo};
    // The curves are held in single precision.
    if (!std::isfinite(p.ohm) || !std::isfinite(p.deg) || p.ohm > kMaxTableOhm)
        return {TableProblem::NotFinite, lineNo};
    if (std::fabs(p.deg) > kMaxTableDegrees)
        return {TableProblem::PhaseOutOfRange, lineNo};
    p.logHz = std::log(p.hz);
    read.hasPhase = read.hasPhase || phase;
    if (!read.points.empty() && p.hz < read.points.back().hz)
        read.reordered = true;
    read.points.push_back(p);
    return {};
}

TableRead finishTable(ImpedanceTable &read, ImpedanceTable &table)
{
    if (read.points.empty())
        return {TableProblem::NoData, 0};

    read.rows = int(read.points.size());
    if (read.reordered)
        std::stable_sort(
            read.points.begin(), read.points.end(),
            [](const ImpedancePoint &a, const ImpedancePoint &b) { return a.hz < b.hz; });
    // The first row of a repeated frequency stays.
    const auto last =
        std::unique(read.points.begin(), read.points.end(),
                    [](const ImpedancePoint &a, const ImpedancePoint &b) { return a.hz == b.hz; });
    read.duplicates = int(read.points.end() - last);
    read.points.erase(last, read.points.end());
    if (int(read.points.size()) < kMinTablePoints)
        return {TableProblem::TooFewPoints, 0};
    table = std::move(read);
    return {};
}

// A driver file's curve: {"format": "velo2-driver", ..., "curve": {"points": [[Hz, Ω, °]]}}.
// A problem's line is the point's place in the list.
TableRead parseDriverFileCurve(const QByteArray &bytes, ImpedanceTable &table)
{
    QJsonParseError error;
    const QJsonObject o = QJsonDocument::fromJson(bytes, &error).object();
    if (error.error != QJsonParseError::NoError ||
        o.value(QStringLiteral("format")).toString() != QLatin1String(kDriverFileFormatName))
        return {TableProblem::NotNumeric, 1};
    ImpedanceTable read;
    int n = 0;
    const QJsonArray points =
        o.value(QStringLiteral("curve")).toObject().value(QStringLiteral("points")).toArray();
    for (const QJsonValue &v : points) {
        const QJsonArray a = v.toArray();
        if (a.size() != 3)
            return {TableProblem::NotNumeric, n + 1};
        const ImpedancePoint p{a[0].toDouble(-1), a[1].toDouble(NAN), a[2].toDouble(NAN), 0};
        if (const TableRead r = addPoint(read, p, true, ++n); !r.ok())
            return r;
    }
    return finishTable(read, table);
}

} // namespace

const char kDriverFileFormatName[] = "velo2-driver";

TableRead parseImpedanceTable(const QByteArray &bytes, ImpedanceTable &table)
{
    if (bytes.trimmed().startsWith('{') && bytes.size() <= kMaxImpedanceTableBytes)
        return parseDriverFileCurve(bytes, table);
    if (bytes.size() > kMaxImpedanceTableBytes)
        return {TableProblem::TooLarge, 0};
    if (isUtf16(bytes))
        return {TableProblem::Utf16, 0};
    const std::string_view all(bytes.constData() + byteOrderMarkLength(bytes),
                               std::size_t(bytes.size() - byteOrderMarkLength(bytes)));
    if (const std::size_t zero = all.find('\0'); zero != std::string_view::npos)
        return {TableProblem::Binary, int(std::count(all.begin(), all.begin() + zero, '\n')) + 1};

    ImpedanceTable read;
    std::size_t from = 0;
    for (int lineNo = 1; from < all.size(); ++lineNo) {
        std::size_t end = all.find('\n', from);
        if (end == std::string_view::npos)
            end = all.size();
        const std::string_view line = all.substr(from, end - from);
        from = end + 1;

        ImpedancePoint p{};
        bool phase = false;
        const LineKind kind = readLine(line, p, phase);
        if (kind == LineKind::CrInside)
            return {TableProblem::CrLineEnds, lineNo};
        if (kind == LineKind::Ambiguous)
            return {TableProblem::AmbiguousComma, lineNo};
        if (kind == LineKind::NotFinite)
            return {TableProblem::NotFinite, lineNo};
        if (read.points.empty()) {
            if (kind != LineKind::Point) {
                if (lineNo > kMaxTableHeaderLines)
                    return {TableProblem::LongHeader, lineNo};
                continue;
            }
        } else if (kind == LineKind::Blank) {
            continue;
        } else if (kind == LineKind::Other) {
            return {TableProblem::NotNumeric, lineNo};
        }
        if (const TableRead r = addPoint(read, p, phase, lineNo); !r.ok())
            return r;
    }
    return finishTable(read, table);
}

TableRead readImpedanceTable(const QString &path, ImpedanceTable &table)
{
    QByteArray bytes;
    const InputFileProblem problem = readInputFile(path, kMaxImpedanceTableBytes, bytes);
    if (problem != InputFileProblem::None)
        return {fromInputProblem(problem), 0};
    return parseImpedanceTable(bytes, table);
}

bool coversFrequency(const ImpedanceTable &table, double hz)
{
    constexpr double kEdge = 1e-9;
    const auto &p = table.points;
    return !p.empty() && hz >= p.front().hz * (1.0 - kEdge) && hz <= p.back().hz * (1.0 + kEdge);
}

bool impedanceAt(const ImpedanceTable &table, double hz, double &ohm, double &deg)
{
    if (!coversFrequency(table, hz))
        return false;
    const auto &p = table.points;
    const double x = std::log(hz);
    auto upper = std::upper_bound(p.begin(), p.end(), x, [](double value, const ImpedancePoint &q) {
        return value < q.logHz;
    });
    if (upper == p.begin())
        upper = p.begin() + 1;
    if (upper == p.end()) {
        ohm = p.back().ohm;
        deg = p.back().deg;
        return true;
    }
    const ImpedancePoint &a = *(upper - 1);
    const ImpedancePoint &b = *upper;
    // Frequencies too close for their logarithms to differ take the lower point.
    const double span = b.logHz - a.logHz;
    const double t = span > 0.0 ? std::clamp((x - a.logHz) / span, 0.0, 1.0) : 0.0;
    ohm = (1.0 - t) * a.ohm + t * b.ohm;
    deg = (1.0 - t) * a.deg + t * b.deg;
    return std::isfinite(ohm) && std::isfinite(deg);
}
