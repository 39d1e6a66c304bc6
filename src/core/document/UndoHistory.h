#pragma once

#include "core/document/WorkspaceState.h"

#include <deque>
#include <optional>

// The undo history of the main window: whole states, one per step, sharing the parts that
// did not change, so a step costs only what it changed.
//
// The measurement is the one thing never undone away. Only a step that replaced it from a
// file (open, import, a workspace) brings back the one before; a measurement that came
// otherwise (a run, a close, a save) is kept in every state of the history, so no undo or
// redo takes it away.
class UndoHistory
{
public:
    enum class Step {
        Other,      // references, colours, view options, worksheet inputs
        Measurement // the measurement was replaced from a file
    };

    explicit UndoHistory(int depth = 100);

    // Starts again from now, with nothing to undo or redo.
    void reset(const WorkspaceState &now);
    // The state an action left. An unchanged state adds no step; a new step drops the redo
    // steps. A changed measurement outside a Measurement step is pinned as described.
    // Returns true when a step was added.
    bool record(const WorkspaceState &now, Step step = Step::Other);

    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }
    int undoSteps() const { return int(m_undo.size()); }
    int depth() const { return m_depth; }

    // The state to show, given the state shown now (whatever changed since the last record is
    // recorded first); nothing when there is nothing to undo or redo.
    std::optional<WorkspaceState> undo(const WorkspaceState &now);
    std::optional<WorkspaceState> redo(const WorkspaceState &now);

    // The state shown after undo or redo returned one: what the window could not take of
    // it (an input it no longer has) is not a step of its own.
    void settle(const WorkspaceState &shown);

    // The state the history last recorded or returned.
    const WorkspaceState &current() const { return m_current; }

private:
    // Shares the parts of state that equal the current state's.
    void share(WorkspaceState &state) const;
    void pinMeasurement(const std::shared_ptr<const MeasurementPart> &measurement);

    int m_depth;
    WorkspaceState m_current;
    std::deque<WorkspaceState> m_undo; // oldest first
    std::deque<WorkspaceState> m_redo; // next redo last
};
