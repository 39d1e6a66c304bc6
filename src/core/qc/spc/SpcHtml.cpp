#include "core/qc/spc/SpcHtml.h"

#include "core/qc/spc/SpcMessages.h"

#include <algorithm>
#include <cmath>

namespace {

const int kLeft = 64;  // room for the axis values
const int kRight = 90; // room for the limits' names
const int kTop = 8;
const int kBottom = 8;

QString esc(const QString &s)
{
    return s.toHtmlEscaped();
}

QString num(double v, int precision = 4)
{
    return std::isfinite(v) ? QString::number(v, 'g', precision) : QStringLiteral("–");
}

QString px(double v)
{
    return QString::number(v, 'f', 1);
}

// Maps values to a plot's pixels.
struct Scale {
    double lo = 0.0;
    double hi = 1.0;
    double top = 0.0;
    double bottom = 1.0;

    Scale(double a, double b, int height)
    {
        lo = std::isfinite(a) ? a : 0.0;
        hi = std::isfinite(b) ? b : lo + 1.0;
        if (!(hi > lo)) {
            lo -= 0.5;
            hi += 0.5;
        }
        const double pad = (hi - lo) * 0.05;
        lo -= pad;
        hi += pad;
        top = kTop;
        bottom = height - kBottom;
    }
    double y(double v) const { return bottom - (v - lo) / (hi - lo) * (bottom - top); }
};

double plotX(std::size_t i, std::size_t n)
{
    const double w = SpcHtml::kChartWidth - kLeft - kRight;
    return kLeft + (n > 1 ? double(i) / double(n - 1) * w : w / 2.0);
}

// A horizontal limit line with its name and value at the right.
void limitLine(QString &s, const Scale &sc, double v, const QString &name, const char *cls)
{
    if (!std::isfinite(v))
        return;
    const QString y = px(sc.y(v));
    s += QStringLiteral("<line class=\"%1\" x1=\"%2\" x2=\"%3\" y1=\"%4\" y2=\"%4\"/>"
                        "<text x=\"%5\" y=\"%6\">%7 %8</text>")
             .arg(QLatin1String(cls))
             .arg(kLeft)
             .arg(SpcHtml::kChartWidth - kRight)
             .arg(y)
             .arg(SpcHtml::kChartWidth - kRight + 4)
             .arg(px(sc.y(v) + 4))
             .arg(name, num(v));
}

// Thinned points: each group's range as a stroke, the means joined, rule breaks ringed.
QString chartSvg(const std::vector<ThinnedPoint> &points, double centre, double upper, double lower,
                 int height, const QString &cls, const QString &title)
{
    double lo = lower, hi = upper;
    for (const ThinnedPoint &p : points) {
        lo = std::isfinite(lo) ? std::min(lo, p.min) : p.min;
        hi = std::isfinite(hi) ? std::max(hi, p.max) : p.max;
    }
    const Scale sc(lo, hi, height);
    QString s;
    s.reserve(int(points.size()) * 60 + 1024);
    s += QStringLiteral("<svg class=\"chart %1\" width=\"%2\" height=\"%3\" viewBox=\"0 0 %2 %3\" "
                        "role=\"img\"><title>%4</title><rect class=\"plot\" x=\"%5\" y=\"%6\" "
                        "width=\"%7\" height=\"%8\"/>")
             .arg(cls)
             .arg(SpcHtml::kChartWidth)
             .arg(height)
             .arg(esc(title))
             .arg(kLeft)
             .arg(kTop)
             .arg(SpcHtml::kChartWidth - kLeft - kRight)
             .arg(height - kTop - kBottom);
    s += QStringLiteral("<text x=\"4\" y=\"%1\">%2</text><text x=\"4\" y=\"%3\">%4</text>")
             .arg(kTop + 10)
             .arg(num(sc.hi))
             .arg(height - kBottom)
             .arg(num(sc.lo));
    limitLine(s, sc, upper, QStringLiteral("UCL"), "ucl");
    limitLine(s, sc, centre, QStringLiteral("CL"), "cl");
    if (lower != 0.0 || cls != QLatin1String("mr"))
        limitLine(s, sc, lower, QStringLiteral("LCL"), "ucl");
    const std::size_t n = points.size();
    bool spread = false;
    QString band;
    for (std::size_t i = 0; i < n; ++i)
        if (points[i].max > points[i].min) {
            spread = true;
            band += QStringLiteral("M%1 %2V%3")
                        .arg(px(plotX(i, n)), px(sc.y(points[i].max)), px(sc.y(points[i].min)));
        }
    if (spread)
        s += QStringLiteral("<path class=\"band\" d=\"%1\"/>").arg(band);
    QString line;
    for (std::size_t i = 0; i < n; ++i)
        line += px(plotX(i, n)) + QLatin1Char(',') + px(sc.y(points[i].mean)) + QLatin1Char(' ');
    s += QStringLiteral("<polyline class=\"data\" points=\"%1\"/>").arg(line.trimmed());
    for (std::size_t i = 0; i < n; ++i) {
        if (points[i].rules == 0)
            continue;
        // The ring goes on the group's value farthest from the centre.
        const double v = std::abs(points[i].max - centre) >= std::abs(points[i].min - centre)
                             ? points[i].max
                             : points[i].min;
        s += QStringLiteral("<circle class=\"rule r%1\" cx=\"%2\" cy=\"%3\" r=\"3.5\"/>")
                 .arg(int(points[i].rules))
                 .arg(px(plotX(i, n)), px(sc.y(v)));
    }
    return s + QStringLiteral("</svg>");
}

QString histogramSvg(const SpcParameter &p)
{
    const HistogramBins &h = p.histogram;
    const int height = SpcHtml::kHistogramHeight;
    double lo = h.lo, hi = h.hi;
    for (double v : {p.low, p.high})
        if (std::isfinite(v)) {
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    if (!(hi > lo)) {
        lo -= 0.5;
        hi += 0.5;
    }
    const double pad = (hi - lo) * 0.03;
    lo -= pad;
    hi += pad;
    const double w = SpcHtml::kChartWidth - kLeft - kRight;
    const auto x = [&](double v) { return kLeft + (v - lo) / (hi - lo) * w; };
    int most = 1;
    for (int c : h.counts)
        most = std::max(most, c);
    QString s = QStringLiteral("<svg class=\"chart hist\" width=\"%1\" height=\"%2\" viewBox=\"0 "
                               "0 %1 %2\" role=\"img\"><title>%3 histogram</title><rect "
                               "class=\"plot\" x=\"%4\" y=\"%5\" width=\"%6\" height=\"%7\"/>")
                    .arg(SpcHtml::kChartWidth)
                    .arg(height)
                    .arg(esc(p.name))
                    .arg(kLeft)
                    .arg(kTop)
                    .arg(w)
                    .arg(height - kTop - kBottom - 12);
    const double base = height - kBottom - 12;
    const double binWidth = h.counts.empty() ? 0.0 : (h.hi - h.lo) / double(h.counts.size());
    QString bars;
    for (std::size_t i = 0; i < h.counts.size(); ++i) {
        if (h.counts[i] == 0)
            continue;
        const double x0 = x(h.lo + double(i) * binWidth);
        const double x1 = binWidth > 0.0 ? x(h.lo + double(i + 1) * binWidth) : x0 + 4.0;
        const double top = base - double(h.counts[i]) / double(most) * (base - kTop);
        bars += QStringLiteral("M%1 %2H%3V%4H%1Z").arg(px(x0), px(base), px(x1), px(top));
    }
    s += QStringLiteral("<path class=\"bars\" d=\"%1\"/>").arg(bars);
    for (const auto &[v, name] :
         {std::pair{p.low, QStringLiteral("LSL")}, std::pair{p.high, QStringLiteral("USL")}}) {
        if (!std::isfinite(v))
            continue;
        s += QStringLiteral("<line class=\"lsl-usl\" x1=\"%1\" x2=\"%1\" y1=\"%2\" y2=\"%3\"/>"
                            "<text x=\"%4\" y=\"%5\">%6 %7</text>")
                 .arg(px(x(v)))
                 .arg(kTop)
                 .arg(px(base))
                 .arg(px(x(v) - 20))
                 .arg(height - 4)
                 .arg(name, num(v));
    }
    return s + QStringLiteral("</svg>");
}

QString rulesText(const SpcParameter &p)
{
    QStringList parts;
    for (int b = 0; b < kSpcRuleCount; ++b)
        parts << QStringLiteral("<span class=\"r%1\">%2: %3</span>")
                     .arg(1 << b)
                     .arg(esc(SpcMessages::ruleName(1 << b)))
                     .arg(p.ruleCounts[b]);
    return parts.join(QStringLiteral(" · "));
}

const char kStyle[] =
    "body{font:13px/18px sans-serif;margin:0;padding:16px 20px;width:960px;color:#222;"
    "background:#fff}"
    "h1{font-size:22px;line-height:28px;height:28px;margin:0 0 4px;overflow:hidden}"
    "h2{font-size:17px;line-height:24px;height:24px;margin:16px 0 4px;overflow:hidden}"
    ".head{height:72px;overflow:hidden}.head p{margin:0;height:18px;overflow:hidden}"
    ".summary{height:40px;overflow:hidden;font-size:15px;line-height:20px}"
    ".summary b{margin-right:18px}"
    ".facts{height:36px;overflow:hidden;font-size:12px;line-height:18px}"
    "svg.chart{display:block;margin:4px 0}"
    "svg text{font:11px sans-serif;fill:#333}"
    "rect.plot{fill:#f3f6fa;stroke:#c8d0da}"
    "line.cl{stroke:#2a7a2a;stroke-width:1}line.ucl{stroke:#c0392b;stroke-dasharray:5 3}"
    "line.lsl-usl{stroke:#8e44ad;stroke-width:2}"
    "path.band{stroke:#9db8d9;stroke-width:1;fill:none}"
    "polyline.data{stroke:#1f4e8c;stroke-width:1.2;fill:none}"
    "path.bars{fill:#4a78b5}"
    "circle.rule{fill:none;stroke:#e0261b;stroke-width:1.6}"
    "table{border-collapse:collapse;margin:4px 0}td,th{padding:1px 8px;text-align:right;"
    "border-bottom:1px solid #e3e3e3;white-space:nowrap}th{background:#eef1f5}"
    "td.t,th.t{text-align:left;white-space:normal}"
    ".r1{color:#e0261b}";

} // namespace

QByteArray spcHtml(const SpcReport &r, const SpcHtmlInfo &info)
{
    QString s;
    s.reserve(256 * 1024);
    s += QStringLiteral("<!DOCTYPE html><html lang=\"en\"><head><meta charset=\"utf-8\">"
                        "<title>QC report</title><style>") +
         QLatin1String(kStyle) + QStringLiteral("</style></head><body>");
    s += QStringLiteral("<div class=\"head\"><h1>QC report</h1><p>%1 · %2</p><p>made %3</p>"
                        "</div>")
             .arg(esc(info.log),
                  info.since.isEmpty() ? QStringLiteral("every unit")
                                       : QStringLiteral("units since ") + esc(info.since),
                  esc(info.generated));
    const QcReport &q = r.summary;
    s += QStringLiteral("<div class=\"summary\" id=\"yield\"><b>yield %1 %</b><b>units %2</b>"
                        "<b>passed %3</b><b>failed %4</b><b>results %5</b></div>")
             .arg(std::isfinite(q.yieldPct) ? QString::number(q.yieldPct, 'f', 2)
                                            : QStringLiteral("–"))
             .arg(q.units)
             .arg(q.passed)
             .arg(q.failed)
             .arg(q.results);

    for (const SpcParameter &p : r.parameters) {
        s += QStringLiteral("<section class=\"param\"><h2>%1</h2><div class=\"facts\">n %2 · "
                            "Cpk %3 · Ppk %4 · window %5 to %6 · outside it %7 · σ within %8, "
                            "overall %9<br>")
                 .arg(esc(p.name))
                 .arg(p.limits.n)
                 .arg(num(p.capability.cpk, 3), num(p.capability.ppk, 3), num(p.low), num(p.high))
                 .arg(p.outsideWindow)
                 .arg(num(p.limits.sigmaWithin()), num(p.sigmaOverall));
        s += rulesText(p) + QStringLiteral("</div>");
        s += chartSvg(p.points, p.limits.centre, p.limits.upper, p.limits.lower,
                      SpcHtml::kIndividualsHeight, QStringLiteral("individuals"),
                      p.name + QStringLiteral(" individuals"));
        s += chartSvg(p.ranges, p.limits.mrBar, p.limits.mrUpper, p.limits.mrLower,
                      SpcHtml::kRangesHeight, QStringLiteral("mr"),
                      p.name + QStringLiteral(" moving range"));
        s += histogramSvg(p) + QStringLiteral("</section>");
    }

    // Capability per period, every parameter side by side.
    s += QStringLiteral("<section class=\"periods\"><h2>Cpk and Ppk per %1</h2><table><tr>"
                        "<th class=\"t\">%1</th>")
             .arg(spcGroupingName(r.grouping));
    for (const SpcParameter &p : r.parameters)
        s += QStringLiteral("<th>%1 n</th><th>Cpk</th><th>Ppk</th>").arg(esc(p.name));
    s += QStringLiteral("</tr><tr><td class=\"t\">trend per %1</td>")
             .arg(spcGroupingName(r.grouping));
    for (const SpcParameter &p : r.parameters)
        s += QStringLiteral("<td></td><td>%1</td><td>%2</td>")
                 .arg(num(p.cpkTrend, 3), num(p.ppkTrend, 3));
    s += QStringLiteral("</tr>");
    QStringList periods;
    for (const SpcParameter &p : r.parameters)
        for (const SpcPeriodStats &ps : p.periods)
            periods << ps.period;
    periods.sort();
    periods.removeDuplicates();
    for (const QString &period : periods) {
        s += QStringLiteral("<tr><td class=\"t\">%1</td>").arg(esc(period));
        for (const SpcParameter &p : r.parameters) {
            const auto it =
                std::find_if(p.periods.cbegin(), p.periods.cend(),
                             [&](const SpcPeriodStats &x) { return x.period == period; });
            if (it == p.periods.cend())
                s += QStringLiteral("<td></td><td></td><td></td>");
            else
                s += QStringLiteral("<td>%1</td><td>%2</td><td>%3</td>")
                         .arg(it->n)
                         .arg(num(it->capability.cpk, 3), num(it->capability.ppk, 3));
        }
        s += QStringLiteral("</tr>");
    }
    s += QStringLiteral("</table></section>");

    s += QStringLiteral("<section class=\"failed\"><h2>Failed units</h2><p>%1</p><table><tr>"
                        "<th class=\"t\">time (UTC)</th><th class=\"t\">station</th>"
                        "<th class=\"t\">serial</th><th class=\"t\">reasons</th>"
                        "<th class=\"t\">data file</th></tr>")
             .arg(q.failed > r.failed.size()
                      ? QStringLiteral("the latest %1 of %2").arg(r.failed.size()).arg(q.failed)
                      : QStringLiteral("%1").arg(q.failed));
    for (const SpcFailedUnit &f : r.failed)
        s += QStringLiteral("<tr><td class=\"t\">%1</td><td class=\"t\">%2</td><td "
                            "class=\"t\">%3</td><td class=\"t\">%4</td><td class=\"t\">%5</td>"
                            "</tr>")
                 .arg(esc(f.timeUtc), esc(f.station), esc(f.serial),
                      esc(f.failures.join(QStringLiteral("; "))), esc(f.dataFile));
    s += QStringLiteral("</table></section></body></html>\n");
    return s.toUtf8();
}
