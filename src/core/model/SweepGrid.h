#pragma once

// Nominal frequency of each index of the unit's 540-point sweep grid. The program itself
// never needs it (every point carries its own frequency); the unit simulator and tests do.
// Between the fixed anchors (10 Hz at 0, 20 Hz at 40, 50 Hz at 91, 250 Hz at 183, 500 Hz at
// 223, 1 kHz at 263, 2 kHz at 303, 10 kHz at 399, 20 kHz at 439, 100 kHz at 539) the grid
// is taken as evenly spaced on a logarithmic scale.
double gridFrequencyHz(int index);
