#include "core/files/ImpedanceTable.h"

#include "core/files/InputFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>

namespace {

enum class LineKind { Blank, Point, Other };

bool isBlank(char c)
{
    // 0x1A: the end-of-file mark some Windows tools still append.
    return c == ' ' || c == '\t' || c == '\r' || c == '\x1A';
}

bool isCommentMark(char c)
{
    return c == '*' || c == ';' || c == '#' || c == '"';
}

bool parseNumber(std::string_view field, bool decimalComma, double &value)
{
    // from_chars takes no "+", but exports sign every value ("+7.1179").
    if (field.size() > 1 && field[0] == '+' && field[1] != '-' && field[1] != '+')
        field.remove_prefix(1);
    char buffer[64];
    if (decimalComma) {
        if (field.size() > sizeof buffer)
            return false;
        std::copy(field.begin(), field.end(), buffer);
        std::replace(buffer, buffer + field.size(), ',', '.');
        field = std::string_view(buffer, field.size());
    }
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    return ec == std::errc() && end == field.data() + field.size() && std::isfinite(value);
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

    const bool semicolons = line.find(';') != std::string_view::npos;
    auto isSeparator = [semicolons](char c) {
        return c == ' ' || c == '\t' || c == '\r' || (semicolons ? c == ';' : c == ',');
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
        if (!parseNumber(line.substr(at, end - at), semicolons, values[count]))
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

} // namespace

TableRead parseImpedanceTable(const QByteArray &bytes, ImpedanceTable &table)
{
    if (bytes.size() > kMaxImpedanceTableBytes)
        return {TableProblem::TooLarge, 0};
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
        if (!(p.hz > 0.0))
            return {TableProblem::BadFrequency, lineNo};
        if (p.ohm < 0.0)
            return {TableProblem::NegativeMagnitude, lineNo};
        p.logHz = std::log(p.hz);
        read.hasPhase = read.hasPhase || phase;
        if (!read.points.empty() && p.hz < read.points.back().hz)
            read.reordered = true;
        read.points.push_back(p);
    }
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
    const double t = std::max(0.0, (x - a.logHz) / (b.logHz - a.logHz));
    ohm = a.ohm + t * (b.ohm - a.ohm);
    deg = a.deg + t * (b.deg - a.deg);
    return true;
}
