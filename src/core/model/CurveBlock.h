#pragma once

#include "core/model/BandTable.h"

#include <QtGlobal>

// The numeric curve of a record in single precision. R = -1 marks a slot without a point.
struct CurveBlock {
    quint32 valid = 0; // a byte flag padded to one word
    float r[kRecordSlots];
    float theta[kRecordSlots];
    float freq[kRecordSlots];
    CurveBlock();
};

// valid = 0, every r = -1, theta = 0, freq = 0.
void clearCurve(CurveBlock &block);
