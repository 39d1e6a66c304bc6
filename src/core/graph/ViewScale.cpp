#include "core/graph/ViewScale.h"

#include "core/model/BandTable.h"
#include "core/model/Settings.h"

#include <algorithm>

namespace {

struct PhaseExtent {
    float hi = 0.0f;
    float lo = 0.0f;
};

// Largest R over the band of a record; empty slots (-1) never raise it.
void widenR(float &m, int band, const CurveBlock &curve)
{
    if (!isValidBand(band))
        return;
    for (int i = bandFirstIndex(band); i <= bandLastIndex(band); ++i)
        m = std::max(m, curve.r[i]);
}

// The extent starts at 0 on both sides, so a curve that stays positive gets a symmetric
// scale from its maximum alone.
void widenTheta(PhaseExtent &e, int band, const CurveBlock &curve)
{
    if (!isValidBand(band))
        return;
    for (int i = bandFirstIndex(band); i <= bandLastIndex(band); ++i) {
        e.hi = std::max(e.hi, curve.theta[i]);
        e.lo = std::min(e.lo, curve.theta[i]);
    }
}

float thetaScaleOf(const PhaseExtent &e)
{
    return thetaFullScale(std::max(e.hi, -e.lo));
}

void setAxes(GraphScale &scale, float rMax, float thetaMax)
{
    if (isValidBand(scale.band)) {
        scale.fStartHz = bandStartHz(scale.band);
        scale.fEndHz = bandEndHz(scale.band);
    }
    scale.rMin = 0.0f;
    scale.rMax = rMax;
    scale.thetaMax = thetaMax;
    scale.thetaMin = -thetaMax;
}

} // namespace

RecordSlots slotsOf(const MeasurementRecord *records)
{
    RecordSlots result{};
    for (int k = 0; k < kReferenceSlots; ++k)
        result[k] = &records[k];
    return result;
}

CurveSlots slotsOf(const CurveBlock *blocks)
{
    CurveSlots result{};
    for (int k = 0; k < kReferenceSlots; ++k)
        result[k] = &blocks[k];
    return result;
}

bool aboveWarningResistance(const GraphScale &scale)
{
    return scale.rMax > kWarningResistance;
}

float roundUpRScale(float x)
{
    if (x > 150)
        return 200;
    if (x > 120)
        return 150;
    if (x > 100)
        return 120;
    if (x > 50)
        return 100;
    if (x > 25)
        return 50;
    if (x > 20)
        return 25;
    if (x > 15)
        return 20;
    if (x > 10)
        return 15;
    return 10;
}

float thetaFullScale(float largestMagnitude)
{
    if (largestMagnitude > 60)
        return 180;
    if (largestMagnitude > 30)
        return 90;
    return 45;
}

float measurementRScale(const MeasurementRecord &measurement, const CurveBlock &curveRaw)
{
    float m = 0.0f;
    widenR(m, measurement.band, curveRaw);
    return roundUpRScale(m);
}

float referencesRScale(const MeasurementRecord *references, const CurveBlock *refCurveRaw)
{
    return referencesRScale(slotsOf(references), slotsOf(refCurveRaw));
}

float referencesRScale(const RecordSlots &references, const CurveSlots &refCurveRaw)
{
    float m = 0.0f;
    for (int k = 0; k < kReferenceSlots; ++k)
        if (references[k]->valid == 1)
            widenR(m, references[k]->band, *refCurveRaw[k]);
    return roundUpRScale(m);
}

float measurementThetaScale(const MeasurementRecord &measurement, const CurveBlock &curveRaw)
{
    PhaseExtent e;
    widenTheta(e, measurement.band, curveRaw);
    return thetaScaleOf(e);
}

float referencesThetaScale(const MeasurementRecord *references, const CurveBlock *refCurveRaw)
{
    return referencesThetaScale(slotsOf(references), slotsOf(refCurveRaw));
}

float referencesThetaScale(const RecordSlots &references, const CurveSlots &refCurveRaw)
{
    PhaseExtent e;
    for (int k = 0; k < kReferenceSlots; ++k)
        if (references[k]->valid == 1)
            widenTheta(e, references[k]->band, *refCurveRaw[k]);
    return thetaScaleOf(e);
}

void scaleForMeasurement(GraphScale &scale, const MeasurementRecord &measurement,
                         const CurveBlock &curveRaw)
{
    setAxes(scale, measurementRScale(measurement, curveRaw),
            measurementThetaScale(measurement, curveRaw));
}

void scaleForReferences(GraphScale &scale, const MeasurementRecord *references,
                        const CurveBlock *refCurveRaw)
{
    scaleForReferences(scale, slotsOf(references), slotsOf(refCurveRaw));
}

void scaleForReferences(GraphScale &scale, const RecordSlots &references,
                        const CurveSlots &refCurveRaw)
{
    setAxes(scale, referencesRScale(references, refCurveRaw),
            referencesThetaScale(references, refCurveRaw));
}

void scaleForBoth(GraphScale &scale, const MeasurementRecord &measurement,
                  const CurveBlock &curveRaw, const MeasurementRecord *references,
                  const CurveBlock *refCurveRaw)
{
    scaleForBoth(scale, measurement, curveRaw, slotsOf(references), slotsOf(refCurveRaw));
}

void scaleForBoth(GraphScale &scale, const MeasurementRecord &measurement,
                  const CurveBlock &curveRaw, const RecordSlots &references,
                  const CurveSlots &refCurveRaw)
{
    setAxes(scale,
            std::max(measurementRScale(measurement, curveRaw),
                     referencesRScale(references, refCurveRaw)),
            std::max(measurementThetaScale(measurement, curveRaw),
                     referencesThetaScale(references, refCurveRaw)));
}

void selectShownCurves(GraphScale &scale, bool averaging, const CurveBlock &curveRaw,
                       const CurveBlock &curveAvg, const CurveBlock *refCurveRaw,
                       const CurveBlock *refCurveAvg)
{
    selectShownCurves(scale, averaging, curveRaw, curveAvg, slotsOf(refCurveRaw),
                      slotsOf(refCurveAvg));
}

void selectShownCurves(GraphScale &scale, bool averaging, const CurveBlock &curveRaw,
                       const CurveBlock &curveAvg, const CurveSlots &refCurveRaw,
                       const CurveSlots &refCurveAvg)
{
    scale.curveShown = averaging ? &curveAvg : &curveRaw;
    for (int k = 0; k < kReferenceSlots; ++k)
        scale.refCurveShown[k] = averaging ? refCurveAvg[k] : refCurveRaw[k];
}
