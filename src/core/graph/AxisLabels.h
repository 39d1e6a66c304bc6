#pragma once

#include "core/model/GraphScale.h"
#include "core/model/Settings.h"

#include <QPoint>
#include <QSize>
#include <QString>
#include <QVector>
#include <array>
#include <optional>

// The 35 axis labels of the main window, by entry of the label table.
constexpr int kAxisLabelCount = 35;
constexpr int kRTickFirst = 0;      // 0..10: R ticks, full scale at the top down to 0
constexpr int kRUnitLabel = 11;     // "[Ω]"
constexpr int kThetaTickFirst = 12; // 12..22: phase ticks, thetaMax down to thetaMin
constexpr int kThetaUnitLabel = 23; // "[deg]"
constexpr int kFreqTickFirst = 24;  // 24..33: frequency ticks, filled from the left
constexpr int kFreqUnitLabel = 34;  // "[Hz]"
constexpr int kLevelTicks = 11;
constexpr int kFreqTickSlots = 10;

// Text colour of a label entry: the R ticks and "[Ω]" in colorR, the phase ticks and "[deg]"
// in colorTheta; nothing for the frequency labels, which keep the window's text colour.
std::optional<ColorRef> axisLabelColor(const Settings &settings, int entry);

QString rUnitText();
QString thetaUnitText();
QString frequencyUnitText();

// One labelled frequency of the axis walk.
struct FrequencyTick {
    double hz;
    int x; // position on a plot of the width asked for
    QString text;
};

// The labelled frequencies of the axis (at most ten), mapped onto `width` pixels; nullopt
// when the axis ends have equal logarithms and nothing may be placed.
std::optional<QVector<FrequencyTick>> frequencyTicks(const GraphScale &scale, int width);
// "20", "300", "1k", "20k", "100k".
QString frequencyTickText(double hz);
// Text of R tick i (0 = full scale, 10 = "0.0"), with one decimal: "25.0", "22.5", "2.5".
QString rTickText(float rMax, int i);
// Value of phase tick i (0 = thetaMax, 10 = thetaMin), truncated toward zero.
int thetaTickValue(float thetaMin, float thetaMax, int i);
// Four characters: sign, then |v| right-aligned in three: "+ 90", "+  0", "- 45", "+180".
QString formatThetaTick(int v);

// Screen placement in the main window's coordinates, from the box edges and the size of
// the label after its text was set.
QPoint frequencyTickPosition(int boxLeft, int boxBottom, int x, QSize label);
QPoint frequencyUnitPosition(int boxRight, int boxBottom, QSize label);
QPoint rTickPosition(int boxTop, int boxLeft, int bitmapHeight, int i, QSize label);
QPoint rUnitPosition(int boxTop, int boxLeft, QSize label);
QPoint thetaTickPosition(int boxTop, int boxRight, int bitmapHeight, int i, QSize label);
QPoint thetaUnitPosition(int boxTop, int boxRight, QSize label);

// Printed label positions in printer pixels. `sizes` are the screen label sizes by entry;
// scale is printer pixels per screen pixel, textHeight the printed text height.
using LabelSizes = std::array<QSize, kAxisLabelCount>;
// Entries 0..11 of xs/ys: the R ticks and "[Ω]".
void printRLabelPositions(const LabelSizes &sizes, int xs[12], int ys[12], int plotLeft,
                          int plotTop, int plotHeight, float scale, int textHeight);
// Entries 0..11 of xs/ys: the phase ticks and "[deg]".
void printThetaLabelPositions(const LabelSizes &sizes, int xs[12], int ys[12], int plotRight,
                              int plotTop, int plotHeight, float scale, int textHeight);
// Entries 0..9: the labelled frequencies in order (later slots keep what the caller put
// there); entry 10: "[Hz]". Nothing is written when the axis cannot be mapped.
void printFrequencyLabelPositions(const LabelSizes &sizes, const GraphScale &scale, int xs[11],
                                  int ys[11], int plotLeft, int plotBottom, int plotWidth,
                                  float printScale, int textHeight);
