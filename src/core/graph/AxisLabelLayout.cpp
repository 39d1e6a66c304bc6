#include "core/graph/AxisLabelLayout.h"

#include <QFontMetrics>
#include <QHash>

namespace {

// A label's own measure: left aligned in a wide cell, tabs expanded.
constexpr int kMeasureCell = 2000;
// Label texts measured and kept, per thread: a few scales' worth.
constexpr qsizetype kMeasuredKept = 512;

void show(AxisLabelLayout &layout, int entry, const QString &text, QPoint position, QSize size)
{
    layout[size_t(entry)] = {AxisLabelAction::Show, text, QRect(position, size)};
}

void layoutFrequency(AxisLabelLayout &layout, const GraphScale &scale, const QRect &box,
                     const QSize &plot, const QFont &font)
{
    const auto ticks = frequencyTicks(scale, plot.width());
    if (!ticks)
        return;
    const int bottom = box.y() + box.height();
    int k = 0;
    for (const FrequencyTick &tick : *ticks) {
        const QSize size = axisLabelSize(font, tick.text);
        show(layout, kFreqTickFirst + k, tick.text,
             frequencyTickPosition(box.x(), bottom, tick.x, size), size);
        ++k;
    }
    for (; k < kFreqTickSlots; ++k)
        layout[size_t(kFreqTickFirst + k)].action = AxisLabelAction::Clear;
    const QString unit = frequencyUnitText();
    const QSize size = axisLabelSize(font, unit);
    show(layout, kFreqUnitLabel, unit, frequencyUnitPosition(box.x() + box.width(), bottom, size),
         size);
}

void layoutR(AxisLabelLayout &layout, const GraphScale &scale, const QRect &box, const QSize &plot,
             const QFont &font)
{
    for (int i = 0; i < kLevelTicks; ++i) {
        const QString text = rTickText(scale.rMax, i);
        const QSize size = axisLabelSize(font, text);
        show(layout, kRTickFirst + i, text, rTickPosition(box.y(), box.x(), plot.height(), i, size),
             size);
    }
    const QString unit = rUnitText();
    const QSize size = axisLabelSize(font, unit);
    show(layout, kRUnitLabel, unit, rUnitPosition(box.y(), box.x(), size), size);
}

void layoutTheta(AxisLabelLayout &layout, const GraphScale &scale, const QRect &box,
                 const QSize &plot, const QFont &font)
{
    const int right = box.x() + box.width();
    for (int i = 0; i < kLevelTicks; ++i) {
        const QString text = formatThetaTick(thetaTickValue(scale.thetaMin, scale.thetaMax, i));
        const QSize size = axisLabelSize(font, text);
        show(layout, kThetaTickFirst + i, text,
             thetaTickPosition(box.y(), right, plot.height(), i, size), size);
    }
    const QString unit = thetaUnitText();
    const QSize size = axisLabelSize(font, unit);
    show(layout, kThetaUnitLabel, unit, thetaUnitPosition(box.y(), right, size), size);
}

} // namespace

QSize axisLabelSize(const QFont &font, const QString &text)
{
    // The same few labels come back on every redraw; measuring text is the costly part.
    thread_local QHash<QString, QSize> measured;
    const QString key = font.key() + QChar(0) + text;
    if (const auto it = measured.constFind(key); it != measured.constEnd())
        return *it;
    if (measured.size() >= kMeasuredKept)
        measured.clear();
    const QSize size = QFontMetrics(font)
                           .boundingRect(0, 0, kMeasureCell, kMeasureCell,
                                         Qt::AlignLeft | Qt::TextExpandTabs, text)
                           .size();
    measured.insert(key, size);
    return size;
}

AxisLabelLayout layoutAxisLabels(const GraphScale &scale, const QRect &box, const QSize &plot,
                                 bool rOnly, const QFont &font)
{
    AxisLabelLayout layout;
    layoutFrequency(layout, scale, box, plot, font);
    layoutR(layout, scale, box, plot, font);
    if (rOnly) {
        for (int entry = kThetaTickFirst; entry <= kThetaUnitLabel; ++entry)
            layout[size_t(entry)].action = AxisLabelAction::Hide;
    } else {
        layoutTheta(layout, scale, box, plot, font);
    }
    return layout;
}
