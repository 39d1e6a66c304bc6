#include "core/document/MeasurementDocument.h"

// The document as values and back, for workspaces and the undo history.

DocumentState MeasurementDocument::state() const
{
    DocumentState state;
    auto m = std::make_shared<MeasurementPart>();
    m->curve.record = m_measurement;
    m->curve.raw = m_curveRaw;
    m->curve.avg = m_curveAvg;
    m->curve.fileName = m_dataFileName;
    m->curve.hasPhase = m_hasPhase;
    m->unitSerial = m_unitSerial;
    m->comPort = m_comPort;
    m->saved = m_saved;
    m->oldFormatLoaded = m_oldFormatLoaded;
    m->imported = m_imported;
    m->repeats = m_repeats;
    m->repeatRead = m_repeatRead;
    state.measurement = std::move(m);
    for (int s = 0; s < kReferenceSlots; ++s) {
        auto ref = std::make_shared<CurvePart>();
        ref->record = m_references[size_t(s)];
        ref->raw = m_refCurveRaw[size_t(s)];
        ref->avg = m_refCurveAvg[size_t(s)];
        ref->fileName = m_refFileNames[size_t(s)];
        ref->hasPhase = m_refHasPhase[size_t(s)];
        state.references[size_t(s)] = std::move(ref);
    }
    state.refCount = m_refCount;
    return state;
}

void MeasurementDocument::restore(const DocumentState &state)
{
    if (const MeasurementPart *m = state.measurement.get()) {
        m_measurement = m->curve.record;
        m_curveRaw = m->curve.raw;
        m_curveAvg = m->curve.avg;
        m_dataFileName = m->curve.fileName;
        m_hasPhase = m->curve.hasPhase;
        m_unitSerial = m->unitSerial;
        m_comPort = m->comPort;
        m_saved = m->saved;
        m_oldFormatLoaded = m->oldFormatLoaded;
        m_imported = m->imported;
        m_repeats = m->repeats;
        m_repeatRead = m->repeatRead;
    }
    for (int s = 0; s < kReferenceSlots; ++s) {
        const CurvePart *ref = state.references[size_t(s)].get();
        if (!ref) {
            clearReferenceSlot(m_references[size_t(s)], m_refCurveRaw[size_t(s)],
                               m_refCurveAvg[size_t(s)]);
            // As a new document's slot.
            m_references[size_t(s)].band = 1;
            m_refFileNames[size_t(s)].clear();
            m_refHasPhase[size_t(s)] = true;
            continue;
        }
        m_references[size_t(s)] = ref->record;
        m_refCurveRaw[size_t(s)] = ref->raw;
        m_refCurveAvg[size_t(s)] = ref->avg;
        m_refFileNames[size_t(s)] = ref->fileName;
        m_refHasPhase[size_t(s)] = ref->hasPhase;
    }
    m_refCount = qBound(0, state.refCount, kReferenceSlots);
}
