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

QSize plotSizeOf(const QImage &bitmap)
{
    const qreal ratio = bitmap.devicePixelRatio();
    return QSize(qRound(bitmap.width() / ratio), qRound(bitmap.height() / ratio));
}

void clearBitmap(QImage &bitmap, const ChartScheme &scheme)
{
    if (!bitmap.isNull())
        bitmap.fill(toQColor(scheme.background));
}

void drawFrequencyGrid(QImage &bitmap, const GraphScale &scale, bool forPrint,
                       const ChartScheme &scheme)
{
    if (bitmap.isNull())
        return;
    QPainter painter(&bitmap);
    drawFrequencyGrid(painter, plotSizeOf(bitmap), scale, forPrint, scheme);
}

void drawLevelGrid(QImage &bitmap, bool forPrint, const ChartScheme &scheme)
{
    if (bitmap.isNull())
        return;
    QPainter painter(&bitmap);
    drawLevelGrid(painter, plotSizeOf(bitmap), forPrint, scheme);
}

void fillPlot(QPainter &painter, QSize plot, const ChartScheme &scheme)
{
    painter.fillRect(QRect(QPoint(0, 0), plot), toQColor(scheme.background));
}

void drawFrequencyGrid(QPainter &painter, QSize plot, const GraphScale &scale, bool forPrint,
                       const ChartScheme &scheme)
{
    for (const GridLine &line : frequencyGridLines(scale, plot.width())) {
        const int width = forPrint ? (line.strong ? 4 : 3) : 1;
        painter.setPen(chartPen(line.strong ? scheme.gridStrong : scheme.grid, width));
        painter.drawLine(line.position, 0, line.position, plot.height());
    }
}

void drawLevelGrid(QPainter &painter, QSize plot, bool forPrint, const ChartScheme &scheme)
{
    const int width = forPrint ? 4 : 1;
    for (const GridLine &line : levelGridLines(plot.height())) {
        painter.setPen(chartPen(line.strong ? scheme.gridStrong : scheme.grid, width));
        painter.drawLine(0, line.position, plot.width(), line.position);
    }
}
