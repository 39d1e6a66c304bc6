#include "ui/analysis/UnitsHistogram.h"

#include <QPainter>
#include <algorithm>

UnitsHistogram::UnitsHistogram(QWidget *parent) : QWidget(parent)
{
    setMinimumSize(240, 140);
}

void UnitsHistogram::setBins(const HistogramBins &bins, const QString &caption)
{
    m_bins = bins;
    m_caption = caption;
    setAccessibleName(caption);
    update();
}

void UnitsHistogram::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    const int text = fontMetrics().height();
    const QRect plot = rect().adjusted(6, text + 4, -6, -text - 4);
    p.setPen(palette().text().color());
    p.drawText(rect().adjusted(6, 2, -6, 0), Qt::AlignTop | Qt::AlignHCenter, m_caption);
    if (m_bins.counts.empty() || plot.width() <= 0 || plot.height() <= 0)
        return;
    const int most = std::max(1, *std::max_element(m_bins.counts.begin(), m_bins.counts.end()));
    const int n = int(m_bins.counts.size());
    for (int i = 0; i < n; ++i) {
        const int x0 = plot.left() + plot.width() * i / n;
        const int x1 = plot.left() + plot.width() * (i + 1) / n;
        const int h = plot.height() * m_bins.counts[std::size_t(i)] / most;
        const QRect bar(x0, plot.bottom() - h, std::max(1, x1 - x0 - 1), h);
        p.fillRect(bar, palette().highlight());
    }
    p.drawLine(plot.bottomLeft(), plot.bottomRight());
    const QRect under(plot.left(), plot.bottom() + 2, plot.width(), text);
    p.drawText(under, Qt::AlignLeft, QString::number(m_bins.lo, 'g', 4));
    p.drawText(under, Qt::AlignRight, QString::number(m_bins.hi, 'g', 4));
}
