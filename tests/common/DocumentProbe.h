#pragma once

#include "core/document/MeasurementDocument.h"

// Writes a document's state directly, for tests that need a state the program reaches only
// with a unit attached or a first-model file at hand (a finished run, a saved measurement).
struct DocumentProbe {
    static MeasurementRecord &measurement(MeasurementDocument &d) { return d.m_measurement; }
    static CurveBlock &curveRaw(MeasurementDocument &d) { return d.m_curveRaw; }
    static CurveBlock &curveAvg(MeasurementDocument &d) { return d.m_curveAvg; }
    static MeasurementRecord &reference(MeasurementDocument &d, int slot)
    {
        return d.m_references[size_t(slot)];
    }
    static CurveBlock &refCurveRaw(MeasurementDocument &d, int slot)
    {
        return d.m_refCurveRaw[size_t(slot)];
    }
    static CurveBlock &refCurveAvg(MeasurementDocument &d, int slot)
    {
        return d.m_refCurveAvg[size_t(slot)];
    }
    static QByteArray &unitSerial(MeasurementDocument &d) { return d.m_unitSerial; }
    static quint8 &saved(MeasurementDocument &d) { return d.m_saved; }
    static quint8 &oldFormatLoaded(MeasurementDocument &d) { return d.m_oldFormatLoaded; }
    static QString &dataFileName(MeasurementDocument &d) { return d.m_dataFileName; }
};
