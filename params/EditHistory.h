// Undo and redo over the dialog's controls. A step is a state of the
// controls as the user left it: the history is told whenever anything may
// have changed (Record), and keeps a state that differs from the last one.
// Typing in one box makes one step until the focus leaves it (EndTyping) or
// the user pauses. The oldest steps go first once the history holds more
// than kMaxSteps steps or kMaxBytes of memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "DialogState.h"

namespace params {

class EditHistory {
public:
    static constexpr std::size_t kMaxSteps = 1000;
    static constexpr std::size_t kMaxBytes = 16u << 20;
    // A longer pause between two changes of one box's text starts a new step.
    static constexpr std::uint64_t kTypingPauseMs = 1000;

    // The controls as they are now are where history starts; no step before.
    void Reset(const IControlAccess& controls);

    // After anything may have changed. typingBox: the control ID of the box
    // that has the keyboard focus (0 for none); nowMs: a clock in
    // milliseconds. True when the controls hold a change, now a step.
    bool Record(const IControlAccess& controls, int typingBox, std::uint64_t nowMs);
    // The box typed in has lost the focus: its next change is a step of its own.
    void EndTyping() { m_typing = 0; }

    // Back to the step before, or on to the step undone last: the controls
    // show it again. False when there is none.
    bool Undo(IControlAccess& controls);
    bool Redo(IControlAccess& controls);
    bool CanUndo() const { return m_current > 0; }
    bool CanRedo() const { return m_current + 1 < m_steps.size(); }

    std::size_t Steps() const { return m_steps.size(); }
    std::size_t Bytes() const { return m_bytes; }

private:
    struct Step {
        DialogState state;
        std::size_t bytes = 0;  // its values, and its rows unless the step before holds the same
    };
    void Push(DialogState state);
    void Replace(DialogState state);
    void DropRedo();
    void DropOldest();
    void GoTo(std::size_t step, IControlAccess& controls);
    std::size_t CostOf(std::size_t step) const;

    std::vector<Step> m_steps;
    std::size_t m_current = 0;
    std::size_t m_bytes = 0;
    int m_typing = 0;  // the box whose typing the current step holds, 0 for none
    std::uint64_t m_lastChangeMs = 0;
};

}  // namespace params
