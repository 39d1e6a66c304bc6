#include "core/document/UndoHistory.h"

namespace {

template <typename T>
void shareOne(std::shared_ptr<const T> &part, const std::shared_ptr<const T> &known)
{
    if (part != known && part && known && *part == *known)
        part = known;
}

} // namespace

UndoHistory::UndoHistory(int depth) : m_depth(qMax(1, depth)) {}

void UndoHistory::reset(const WorkspaceState &now)
{
    m_current = now;
    m_undo.clear();
    m_redo.clear();
}

void UndoHistory::share(WorkspaceState &state) const
{
    shareOne(state.document.measurement, m_current.document.measurement);
    for (int s = 0; s < kReferenceSlots; ++s)
        shareOne(state.document.references[size_t(s)], m_current.document.references[size_t(s)]);
}

void UndoHistory::pinMeasurement(const std::shared_ptr<const MeasurementPart> &measurement)
{
    m_current.document.measurement = measurement;
    for (WorkspaceState &s : m_undo)
        s.document.measurement = measurement;
    for (WorkspaceState &s : m_redo)
        s.document.measurement = measurement;
}

bool UndoHistory::record(const WorkspaceState &now, Step step)
{
    WorkspaceState state = now;
    share(state);
    if (step == Step::Other && state.document.measurement != m_current.document.measurement)
        pinMeasurement(state.document.measurement);
    if (state == m_current)
        return false;
    m_undo.push_back(std::move(m_current));
    while (int(m_undo.size()) > m_depth)
        m_undo.pop_front();
    m_redo.clear();
    m_current = std::move(state);
    return true;
}

std::optional<WorkspaceState> UndoHistory::undo(const WorkspaceState &now)
{
    record(now);
    if (m_undo.empty())
        return std::nullopt;
    m_redo.push_back(std::move(m_current));
    m_current = std::move(m_undo.back());
    m_undo.pop_back();
    return m_current;
}

std::optional<WorkspaceState> UndoHistory::redo(const WorkspaceState &now)
{
    record(now);
    if (m_redo.empty())
        return std::nullopt;
    m_undo.push_back(std::move(m_current));
    m_current = std::move(m_redo.back());
    m_redo.pop_back();
    return m_current;
}

void UndoHistory::settle(const WorkspaceState &shown)
{
    WorkspaceState state = shown;
    share(state);
    m_current = std::move(state);
}
