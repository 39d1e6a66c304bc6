#include "core/model/CurveBlock.h"

CurveBlock::CurveBlock()
{
    clearCurve(*this);
}

void clearCurve(CurveBlock &block)
{
    block.valid = 0;
    for (int i = 0; i < kRecordSlots; ++i) {
        block.r[i] = -1.0f;
        block.theta[i] = 0.0f;
        block.freq[i] = 0.0f;
    }
}
