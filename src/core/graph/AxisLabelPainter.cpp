#include "core/graph/AxisLabelPainter.h"

#include "core/graph/GraphPicture.h"

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

QImage labelledChartImage(const GraphPicture &graph, const GraphScale &scale, const QSize &size,
                          const QRect &box, bool rOnly, const QFont &font, const QColor &background,
                          const Settings &settings, const QColor &textColour)
{
    const AxisLabelLayout labels = layoutAxisLabels(scale, box, graph.plotSize(), rOnly, font);
    QImage image(size, QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    painter.translate(box.topLeft());
    graph.paint(painter);
    painter.resetTransform();
    painter.setFont(font);
    drawAxisLabels(painter, labels, settings, textColour);
    return image;
}
