#pragma once

#include "core/qc/spc/SpcReport.h"

#include <QByteArray>
#include <QString>

// The report as one self-contained page: no script, no request, charts as inline SVG. Every
// block has a fixed height, so a chart sits at the same place whatever the fonts.
struct SpcHtmlInfo {
    QString log;       // the log as shown (passwords hidden)
    QString since;     // empty: the whole log
    QString generated; // when the page was made
};

namespace SpcHtml {
constexpr int kChartWidth = 940;
constexpr int kIndividualsHeight = 200;
constexpr int kRangesHeight = 110;
constexpr int kHistogramHeight = 130;
constexpr int kFailedRows = 200; // the latest failed units listed
} // namespace SpcHtml

QByteArray spcHtml(const SpcReport &report, const SpcHtmlInfo &info);
