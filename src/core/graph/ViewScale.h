#pragma once

#include "core/model/CurveBlock.h"
#include "core/model/GraphScale.h"
#include "core/model/MeasurementRecord.h"
#include "core/model/Settings.h"

#include <array>

// Axis ranges chosen from the curves. The full scales always come from the raw blocks, so
// the averaging option never changes them. Reference arrays hold the five slots, either side
// by side or as one pointer per slot (for owners that keep each slot in its own allocation).

using RecordSlots = std::array<const MeasurementRecord *, kReferenceSlots>;
using CurveSlots = std::array<const CurveBlock *, kReferenceSlots>;
RecordSlots slotsOf(const MeasurementRecord *records);
CurveSlots slotsOf(const CurveBlock *blocks);

// The smallest of 10, 15, 20, 25, 50, 100, 120, 150, 200 not below x; 200 above 150.
float roundUpRScale(float x);
// 180 above 60 degrees, 90 above 30, else 45.
float thetaFullScale(float largestMagnitude);

// A resistance scale above 150 ohm: some curve shown went past it, which the window points out
// when its warning is on.
constexpr float kWarningResistance = 150.0f;
bool aboveWarningResistance(const GraphScale &scale);

float measurementRScale(const MeasurementRecord &measurement, const CurveBlock &curveRaw);
float referencesRScale(const MeasurementRecord *references, const CurveBlock *refCurveRaw);
float referencesRScale(const RecordSlots &references, const CurveSlots &refCurveRaw);
float measurementThetaScale(const MeasurementRecord &measurement, const CurveBlock &curveRaw);
float referencesThetaScale(const MeasurementRecord *references, const CurveBlock *refCurveRaw);
float referencesThetaScale(const RecordSlots &references, const CurveSlots &refCurveRaw);

// Frequency axis from the scale's band, rMin 0, symmetric phase axis.
void scaleForMeasurement(GraphScale &scale, const MeasurementRecord &measurement,
                         const CurveBlock &curveRaw);
void scaleForReferences(GraphScale &scale, const MeasurementRecord *references,
                        const CurveBlock *refCurveRaw);
void scaleForReferences(GraphScale &scale, const RecordSlots &references,
                        const CurveSlots &refCurveRaw);
void scaleForBoth(GraphScale &scale, const MeasurementRecord &measurement,
                  const CurveBlock &curveRaw, const MeasurementRecord *references,
                  const CurveBlock *refCurveRaw);
void scaleForBoth(GraphScale &scale, const MeasurementRecord &measurement,
                  const CurveBlock &curveRaw, const RecordSlots &references,
                  const CurveSlots &refCurveRaw);

// Points the scale's shown-curve pointers at the averaged or the raw blocks.
void selectShownCurves(GraphScale &scale, bool averaging, const CurveBlock &curveRaw,
                       const CurveBlock &curveAvg, const CurveBlock *refCurveRaw,
                       const CurveBlock *refCurveAvg);
void selectShownCurves(GraphScale &scale, bool averaging, const CurveBlock &curveRaw,
                       const CurveBlock &curveAvg, const CurveSlots &refCurveRaw,
                       const CurveSlots &refCurveAvg);
