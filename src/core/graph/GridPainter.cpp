#include "core/graph/GridPainter.h"

#include "core/graph/AxisMath.h"
#include "core/graph/GraphColors.h"
#include "core/graph/PenStyle.h"

#include <QImage>
#include <QPainter>

QVector<GridLine> frequencyGridLines(const GraphScale &scale, int width)
{
    QVector<GridLine> lines;
    const LogAxis axis = frequencyAxis(scale);
    if (!axis.usable())
        return lines;
    const double b = axisEndHz(float(scale.fEndHz));
    double g = axisStartHz(float(scale.fStartHz));
    while (b > g) {
        g = nextGridHz(g);
        if (!(g < b))
            break;
        lines.append({axis.x(g, width), isDecade(g)});
    }
    return lines;
}

QVector<GridLine> levelGridLines(int height)
{
    QVector<GridLine> lines;
    for (int i = 1; i <= 9; ++i)
        lines.append({i * height / 10, i == 5});
    return lines;
}

void clearBitmap(QImage &bitmap)
{
    if (!bitmap.isNull())
        bitmap.fill(toQColor(kBackgroundColor));
}

void drawFrequencyGrid(QImage &bitmap, const GraphScale &scale, bool forPrint)
{
    if (bitmap.isNull())
        return;
    QPainter painter(&bitmap);
    for (const GridLine &line : frequencyGridLines(scale, bitmap.width())) {
        const int width = forPrint ? (line.strong ? 4 : 3) : 1;
        painter.setPen(chartPen(line.strong ? kGridStrongColor : kGridColor, width));
        painter.drawLine(line.position, 0, line.position, bitmap.height());
    }
}

void drawLevelGrid(QImage &bitmap, bool forPrint)
{
    if (bitmap.isNull())
        return;
    QPainter painter(&bitmap);
    const int width = forPrint ? 4 : 1;
    for (const GridLine &line : levelGridLines(bitmap.height())) {
        painter.setPen(chartPen(line.strong ? kGridStrongColor : kGridColor, width));
        painter.drawLine(0, line.position, bitmap.width(), line.position);
    }
}
