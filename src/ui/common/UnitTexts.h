#pragma once

#include "core/measure/MeasurementRun.h"

#include <QString>

// How the windows word what the unit did: one entry per outcome, used by the main window's
// status line and boxes, the worksheet and the QC station alike. velo2-cli words them itself.
namespace UnitTexts {

// The box the main window shows for an outcome, besides or instead of the status text.
enum class Box { None, ComOpenFailed, UnitNotFound, BandUnsupported, VersionMismatch };

struct OutcomeText {
    QString text;        // the outcome's one wording (empty: nothing is said)
    int panel = -1;      // the main window's status panel for it; -1: the box says it
    Box box = Box::None; // the box the main window shows as well
};

OutcomeText outcomeText(UnitOutcome outcome, const QString &unitName);
// The wording of a run that ended early.
QString failureText(MeasurementRun::Failure failure);

// A record that arrived whole but does not convert.
QString calcErrorText();

// The refusal while another window holds the unit.
QString heldBy(const QString &holder);
// The windows that measure, as holders of the unit.
QString mainWindowHolder();
QString worksheetHolder();
QString qcStationHolder();

} // namespace UnitTexts
