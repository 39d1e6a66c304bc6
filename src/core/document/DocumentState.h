#pragma once

#include "core/files/RepeatFile.h"
#include "core/model/CurveBlock.h"
#include "core/model/MeasurementRecord.h"
#include "core/model/RepeatSet.h"
#include "core/model/Settings.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <memory>

// A document's contents as values, for workspaces and the undo history. The parts are held
// by shared pointers to constant values, so states that differ in one slot share the rest.

// One curve as the document holds it: the point texts, both curve blocks, its file and
// whether it has a phase.
struct CurvePart {
    MeasurementRecord record;
    CurveBlock raw;
    CurveBlock avg;
    QString fileName;
    bool hasPhase = true;
};
bool operator==(const CurvePart &a, const CurvePart &b);
// A reference slot as a new document has it: cleared points on the first band.
std::shared_ptr<const CurvePart> emptyReferencePart();

// The measurement: its curve and what the document keeps beside it.
struct MeasurementPart {
    CurvePart curve;
    QByteArray unitSerial;
    qint32 comPort = 1;
    quint8 saved = 0;
    quint8 oldFormatLoaded = 0;
    bool imported = false;
    std::shared_ptr<const RepeatSet> repeats; // the sweeps of a mean; null otherwise
    RepeatFileRead repeatRead{RepeatFileRead::Missing, 0};
};
bool operator==(const MeasurementPart &a, const MeasurementPart &b);

struct DocumentState {
    std::shared_ptr<const MeasurementPart> measurement;
    // Every slot, held or not: a cleared slot keeps its file's name.
    std::array<std::shared_ptr<const CurvePart>, kReferenceSlots> references;
    int refCount = 0;
};
// By value: two states are the same when every part holds the same contents.
bool operator==(const DocumentState &a, const DocumentState &b);

// The records' and curves' equality the parts use: every byte of both.
bool sameRecord(const MeasurementRecord &a, const MeasurementRecord &b);
bool sameCurve(const CurveBlock &a, const CurveBlock &b);
