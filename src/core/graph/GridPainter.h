#pragma once

#include "core/graph/ChartScheme.h"
#include "core/model/GraphScale.h"

#include <QSize>
#include <QVector>

class QImage;
class QPainter;

// One grid line: its x (vertical lines) or y (horizontal lines), and whether it is drawn in
// the stronger grey (decades, the middle line) rather than silver.
struct GridLine {
    int position;
    bool strong;
};

// Vertical lines of the frequency walk on a plot of `width` pixels; none at the axis ends
// and none at all when the axis cannot be mapped.
QVector<GridLine> frequencyGridLines(const GraphScale &scale, int width);
// The nine horizontal lines dividing `height` into ten bands; the fifth is the middle line.
QVector<GridLine> levelGridLines(int height);

// The size a picture is drawn at: a bitmap's pixels less its device pixel ratio, so that a
// bitmap for a HiDPI screen holds the same picture, scaled.
QSize plotSizeOf(const QImage &bitmap);

// Fills the bitmap with the scheme's background (white).
void clearBitmap(QImage &bitmap, const ChartScheme &scheme = ChartScheme());
// The grid on screen is one pixel wide; for print the vertical lines are 4 (decades) or
// 3 pixels wide and the horizontal ones 4.
void drawFrequencyGrid(QImage &bitmap, const GraphScale &scale, bool forPrint,
                       const ChartScheme &scheme = ChartScheme());
void drawLevelGrid(QImage &bitmap, bool forPrint, const ChartScheme &scheme = ChartScheme());
// The same on any painter, over a plot of `plot` with its top left at the painter's origin
// (a vector file draws through these).
void fillPlot(QPainter &painter, QSize plot, const ChartScheme &scheme);
void drawFrequencyGrid(QPainter &painter, QSize plot, const GraphScale &scale, bool forPrint,
                       const ChartScheme &scheme);
void drawLevelGrid(QPainter &painter, QSize plot, bool forPrint, const ChartScheme &scheme);
