// What the dialog's controls show, whole: what an undo step brings back.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "ControlAccess.h"

namespace params {

struct ControlValue {
    std::string text;    // a box's text as typed; a drop-down's text
    int selection = -1;  // a drop-down's item
    bool checked = false;
    Color color = 0;
    bool operator==(const ControlValue&) const = default;
};

struct DialogState {
    std::vector<ControlValue> values;  // by catalogue index; the table's is empty
    SharedRows rows;
    // Where the user was in the table: brought back with the rows, but
    // moving it alone changes nothing a save writes, so it is no step.
    std::vector<int> selectedRows;
    int focusRow = -1;

    // The same values and rows, wherever the table's selection is.
    bool SameValues(const DialogState& other) const;
};

DialogState CaptureState(const IControlAccess& controls);
// Puts every value back, then the rows with their selection.
void RestoreState(const DialogState& state, IControlAccess& controls);

// The control ID of the one text that differs between the two, when nothing
// else does; 0 otherwise.
int SoleTextChange(const DialogState& before, const DialogState& after);

// The memory the state holds, its rows apart (RowsBytes): the rows are
// mostly shared between states.
std::size_t ValuesBytes(const DialogState& state);
std::size_t RowsBytes(const std::vector<RowTexts>& rows);

}  // namespace params
