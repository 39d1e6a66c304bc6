#include "core/document/DocumentState.h"

#include <cstring>

namespace {

template <typename T> bool samePart(const std::shared_ptr<T> &a, const std::shared_ptr<T> &b)
{
    if (a == b)
        return true;
    return a && b && *a == *b;
}

} // namespace

bool sameRecord(const MeasurementRecord &a, const MeasurementRecord &b)
{
    return a.valid == b.valid && a.band == b.band && a.dateTime == b.dateTime &&
           std::memcmp(a.points, b.points, sizeof a.points) == 0;
}

bool sameCurve(const CurveBlock &a, const CurveBlock &b)
{
    // Bit for bit: a missing point's NaN or -1 must compare like any other value.
    return a.valid == b.valid && std::memcmp(a.r, b.r, sizeof a.r) == 0 &&
           std::memcmp(a.theta, b.theta, sizeof a.theta) == 0 &&
           std::memcmp(a.freq, b.freq, sizeof a.freq) == 0;
}

std::shared_ptr<const CurvePart> emptyReferencePart()
{
    auto part = std::make_shared<CurvePart>();
    part->record.band = 1;
    clearPoints(part->record);
    return part;
}

bool operator==(const CurvePart &a, const CurvePart &b)
{
    return a.fileName == b.fileName && a.hasPhase == b.hasPhase && sameRecord(a.record, b.record) &&
           sameCurve(a.raw, b.raw) && sameCurve(a.avg, b.avg);
}

bool operator==(const MeasurementPart &a, const MeasurementPart &b)
{
    // A set of sweeps is only ever replaced whole, so the same set is the same object.
    return a.curve == b.curve && a.unitSerial == b.unitSerial && a.comPort == b.comPort &&
           a.saved == b.saved && a.oldFormatLoaded == b.oldFormatLoaded &&
           a.imported == b.imported && a.repeats == b.repeats &&
           a.repeatRead.status == b.repeatRead.status && a.repeatRead.line == b.repeatRead.line;
}

bool operator==(const DocumentState &a, const DocumentState &b)
{
    if (a.refCount != b.refCount || !samePart(a.measurement, b.measurement))
        return false;
    for (int s = 0; s < kReferenceSlots; ++s)
        if (!samePart(a.references[size_t(s)], b.references[size_t(s)]))
            return false;
    return true;
}
