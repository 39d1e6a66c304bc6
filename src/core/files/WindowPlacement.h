#pragma once

#include "core/model/Settings.h"

#include <QRect>

// Fits a stored window placement onto the screen's available area before it is applied:
// a top or left beyond the far edge becomes 100 from the near edge, one before the near
// edge (a window once dragged partly off the screen) becomes the edge itself, and a width
// or height larger than the area becomes the area's size less 100.
void clampWindowPlacement(WindowState &state, const QRect &available);

// Where a window of `size` (with its frame) opens next to the window at `main` on the
// `available` area: right of it, else left of it, else below or above it, whichever covers
// the least of it once kept on the area (the first of them on a tie).
QPoint placeBeside(const QRect &main, const QSize &size, const QRect &available);
