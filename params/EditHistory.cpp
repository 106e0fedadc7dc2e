#include "EditHistory.h"

#include <utility>

namespace params {

std::size_t EditHistory::CostOf(std::size_t step) const {
    const DialogState& state = m_steps[step].state;
    const bool shared = step > 0 && m_steps[step - 1].state.rows == state.rows;
    return ValuesBytes(state) + (shared || !state.rows ? 0 : RowsBytes(*state.rows));
}

void EditHistory::Reset(const IControlAccess& controls) {
    m_steps.clear();
    m_bytes = 0;
    m_current = 0;
    m_typing = 0;
    m_steps.push_back({CaptureState(controls)});
    m_bytes = m_steps[0].bytes = CostOf(0);
}

bool EditHistory::Record(const IControlAccess& controls, int typingBox, std::uint64_t nowMs) {
    if (m_steps.empty()) Reset(controls);
    DialogState now = CaptureState(controls);
    Step& current = m_steps[m_current];
    if (now.SameValues(current.state)) {
        // Only the table's selection may have moved: the step keeps it.
        current.state.selectedRows = std::move(now.selectedRows);
        current.state.focusRow = now.focusRow;
        return false;
    }
    const int changed = SoleTextChange(current.state, now);
    const bool goesOn = m_typing != 0 && changed == m_typing && typingBox == m_typing && !CanRedo() &&
                        nowMs - m_lastChangeMs <= kTypingPauseMs;
    DropRedo();
    if (goesOn) {
        Replace(std::move(now));
    } else {
        Push(std::move(now));
        m_typing = changed != 0 && changed == typingBox ? changed : 0;
    }
    m_lastChangeMs = nowMs;
    while (m_steps.size() > kMaxSteps || (m_bytes > kMaxBytes && m_current > 0)) DropOldest();
    return true;
}

void EditHistory::Push(DialogState state) {
    m_steps.push_back({std::move(state)});
    m_current = m_steps.size() - 1;
    m_bytes += m_steps[m_current].bytes = CostOf(m_current);
}

void EditHistory::Replace(DialogState state) {
    Step& step = m_steps[m_current];
    m_bytes -= step.bytes;
    step.state = std::move(state);
    m_bytes += step.bytes = CostOf(m_current);
}

void EditHistory::DropRedo() {
    while (CanRedo()) {
        m_bytes -= m_steps.back().bytes;
        m_steps.pop_back();
    }
}

void EditHistory::DropOldest() {
    m_bytes -= m_steps.front().bytes;
    m_steps.erase(m_steps.begin());
    --m_current;
    // The rows it shared with the step after are now that step's to count.
    m_bytes -= m_steps.front().bytes;
    m_bytes += m_steps.front().bytes = CostOf(0);
}

bool EditHistory::Undo(IControlAccess& controls) {
    if (!CanUndo()) return false;
    GoTo(m_current - 1, controls);
    return true;
}

bool EditHistory::Redo(IControlAccess& controls) {
    if (!CanRedo()) return false;
    GoTo(m_current + 1, controls);
    return true;
}

void EditHistory::GoTo(std::size_t step, IControlAccess& controls) {
    m_current = step;
    m_typing = 0;
    controls.BeginUpdate();
    RestoreState(m_steps[step].state, controls);
    controls.EndUpdate();
    // The controls may show a value a little otherwise than it was kept (a
    // drop-down follows its text): the step is what they show, so the next
    // look finds no change and the steps to redo stay.
    DialogState shown = CaptureState(controls);
    if (shown.SameValues(m_steps[step].state)) return;
    Replace(std::move(shown));
}

}  // namespace params
