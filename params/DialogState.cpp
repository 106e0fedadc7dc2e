#include "DialogState.h"

namespace params {
namespace {

// A string's own memory beyond the object: none while it fits inside it.
std::size_t HeapBytes(const std::string& text) {
    return text.capacity() > std::string().capacity() ? text.capacity() + 1 : 0;
}

}  // namespace

bool DialogState::SameValues(const DialogState& other) const {
    return values == other.values && (rows == other.rows || (rows && other.rows && *rows == *other.rows));
}

DialogState CaptureState(const IControlAccess& controls) {
    DialogState state;
    state.values = std::vector<ControlValue>(kParamCount);
    auto value = state.values.begin();
    for (const ParamDesc& p : Catalogue()) {
        ControlValue& v = *value++;
        switch (p.kind) {
        case Kind::Number:
        case Kind::Name: v.text = controls.GetText(p.id); break;
        case Kind::ModeChoice:
        case Kind::YesNoChoice:
            v.text = controls.GetText(p.id);
            v.selection = controls.GetChoiceSelection(p.id);
            break;
        case Kind::Switch: v.checked = controls.IsChecked(p.id); break;
        case Kind::Colour: v.color = controls.GetColor(p.id); break;
        case Kind::Table:
            state.rows = controls.GetSharedRows(p.id);
            state.selectedRows = controls.GetSelectedRows(p.id);
            state.focusRow = controls.GetFocusRow(p.id);
            break;
        }
    }
    return state;
}

void RestoreState(const DialogState& state, IControlAccess& controls) {
    auto value = state.values.begin();
    for (const ParamDesc& p : Catalogue()) {
        const ControlValue& v = *value++;
        switch (p.kind) {
        case Kind::Number:
        case Kind::Name: controls.SetText(p.id, v.text); break;
        case Kind::ModeChoice:
        case Kind::YesNoChoice:
            // The item first, then the text as typed, which may be no item's.
            controls.SelectChoiceItem(p.id, v.selection);
            controls.SetText(p.id, v.text);
            break;
        case Kind::Switch: controls.SetChecked(p.id, v.checked); break;
        case Kind::Colour: controls.SetColor(p.id, v.color); break;
        case Kind::Table:
            if (controls.GetSharedRows(p.id) != state.rows) controls.SetSharedRows(p.id, state.rows);
            controls.SelectRows(p.id, state.selectedRows);
            if (state.focusRow >= 0) controls.SetFocusRow(p.id, state.focusRow);
            break;
        }
    }
}

int SoleTextChange(const DialogState& before, const DialogState& after) {
    if (before.rows != after.rows && !(before.rows && after.rows && *before.rows == *after.rows)) return 0;
    int changed = 0;
    for (std::size_t i = 0; i < before.values.size() && i < after.values.size(); ++i) {
        const ControlValue& a = before.values[i];
        const ControlValue& b = after.values[i];
        if (a == b) continue;
        if (changed || a.checked != b.checked || a.color != b.color) return 0;
        changed = Catalogue()[i].id;
    }
    return changed;
}

std::size_t ValuesBytes(const DialogState& state) {
    std::size_t bytes = sizeof state + state.values.capacity() * sizeof(ControlValue) +
                        state.selectedRows.capacity() * sizeof(int);
    for (const ControlValue& v : state.values) bytes += HeapBytes(v.text);
    return bytes;
}

std::size_t RowsBytes(const std::vector<RowTexts>& rows) {
    std::size_t bytes = sizeof rows + rows.capacity() * sizeof(RowTexts);
    for (const RowTexts& row : rows)
        for (const std::string& cell : row) bytes += HeapBytes(cell);
    return bytes;
}

}  // namespace params
