#pragma once

#include "core/analysis/population/PopulationStats.h"

#include <QWidget>

// The bins of one column of the units window, painted as bars with the range underneath.
class UnitsHistogram : public QWidget
{
    Q_OBJECT
public:
    explicit UnitsHistogram(QWidget *parent = nullptr);
    void setBins(const HistogramBins &bins, const QString &caption);
    const HistogramBins &bins() const { return m_bins; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    HistogramBins m_bins;
    QString m_caption;
};
