#pragma once

#include "core/model/GraphScale.h"

#include <QVector>

class QImage;

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

// Fills the bitmap white.
void clearBitmap(QImage &bitmap);
// The grid on screen is one pixel wide; for print the vertical lines are 4 (decades) or
// 3 pixels wide and the horizontal ones 4.
void drawFrequencyGrid(QImage &bitmap, const GraphScale &scale, bool forPrint);
void drawLevelGrid(QImage &bitmap, bool forPrint);
