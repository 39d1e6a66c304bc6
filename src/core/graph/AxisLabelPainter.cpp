#include "core/graph/AxisLabelPainter.h"

#include <QPainter>

void drawAxisLabels(QPainter &painter, const AxisLabelLayout &layout, const Settings &settings,
                    const QColor &textColour)
{
    for (int i = 0; i < kAxisLabelCount; ++i) {
        const AxisLabelPlacement &label = layout[size_t(i)];
        if (label.action != AxisLabelAction::Show || label.text.isEmpty())
            continue;
        const auto colour = axisLabelColor(settings, i);
        painter.setPen(colour ? toQColor(*colour) : textColour);
        painter.drawText(label.rect,
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextExpandTabs |
                             Qt::TextForceLeftToRight,
                         label.text);
    }
}
