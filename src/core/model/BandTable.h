#pragma once

#include <QString>

// The unit sweeps one fixed grid of 540 frequencies (index 0 = 10 Hz, 539 = 100 kHz).
// Records reserve 600 slots; slots 540..599 are never filled by a measurement.
constexpr int kGridPoints = 540;
constexpr int kRecordSlots = 600;
constexpr int kBandCount = 9;
constexpr int kStartupBand = 2;

struct FrequencyBand {
    qint32 startHz;
    qint32 endHz;
    qint32 pointCount;
    qint32 firstIndex;
    qint32 lastIndex;
};

// Bands are numbered 1..9. The lookups do not check their argument: callers pass a band
// from the band list or from a record whose band was range-checked when it was read.
const FrequencyBand &frequencyBand(int band);
int bandStartHz(int band);
int bandEndHz(int band);
int bandPointCount(int band);
int bandFirstIndex(int band);
int bandLastIndex(int band);
bool isValidBand(int band);

// Caption of a band as the band list shows it, e.g. "10Hz～100kHz".
QString bandCaption(int band);
// The caption as the window lists it, in the language of this start.
QString shownBandCaption(int band);
