#include "MemoryDialog.h"

#include <algorithm>

namespace params {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Case-insensitive for ASCII letters, code point order otherwise.
int CompareNoCase(std::string_view a, std::string_view b) {
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        const auto x = static_cast<unsigned char>(Lower(a[i])), y = static_cast<unsigned char>(Lower(b[i]));
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && CompareNoCase(text.substr(0, prefix.size()), prefix) == 0;
}

const MemoryDialog::Control kAbsent{};

}  // namespace

const MemoryDialog::Control& MemoryDialog::At(int id) const {
    const auto it = controls_.find(id);
    return it == controls_.end() ? kAbsent : it->second;
}

std::string MemoryDialog::GetText(int id) const { return At(id).text; }
void MemoryDialog::SetText(int id, std::string_view text) { controls_[id].text = text; }
void MemoryDialog::SetTextLimit(int id, int limit) { controls_[id].limit = limit; }

void MemoryDialog::AddChoiceItem(int id, std::string_view text) {
    auto& items = controls_[id].items;
    const auto pos = std::upper_bound(items.begin(), items.end(), text, [](std::string_view t, const std::string& item) {
        return CompareNoCase(t, item) < 0;
    });
    items.insert(pos, std::string(text));
}

void MemoryDialog::SelectChoiceItem(int id, int index) {
    Control& c = controls_[id];
    const bool inside = index >= 0 && index < static_cast<int>(c.items.size());
    c.selection = inside ? index : -1;
    c.text = inside ? c.items[static_cast<std::size_t>(index)] : std::string();
}

int MemoryDialog::GetChoiceSelection(int id) const { return At(id).selection; }

int MemoryDialog::FindChoiceItem(int id, std::string_view prefix) const {
    const auto& items = At(id).items;
    const int n = static_cast<int>(items.size());
    for (int k = 1; k <= n; ++k) {
        const int i = k % n;  // from the second item to the end, then the first
        if (StartsWithNoCase(items[static_cast<std::size_t>(i)], prefix)) return i;
    }
    return -1;
}

bool MemoryDialog::IsChecked(int id) const { return At(id).checked; }
Color MemoryDialog::GetColor(int id) const { return At(id).color; }
void MemoryDialog::SetColor(int id, Color color) { controls_[id].color = color; }
int MemoryDialog::GetRowCount(int id) const { return static_cast<int>(At(id).rows.size()); }

std::string MemoryDialog::GetCellText(int id, int row, int column) const {
    const auto& rows = At(id).rows;
    if (row < 0 || row >= static_cast<int>(rows.size()) || column < 0 || column >= kTableColumnCount) return {};
    return rows[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(column)];
}

void MemoryDialog::DeleteAllRows(int id) { controls_[id].rows.clear(); }

void MemoryDialog::DeleteRow(int id, int row) {
    auto& rows = controls_[id].rows;
    if (row >= 0 && row < static_cast<int>(rows.size())) rows.erase(rows.begin() + row);
}

void MemoryDialog::InsertRow(int id, int row, std::string_view column0) {
    auto& rows = controls_[id].rows;
    const auto at = static_cast<std::size_t>(std::clamp(row, 0, static_cast<int>(rows.size())));
    Row r;
    r.cells[0] = column0;
    rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(at), std::move(r));
}

void MemoryDialog::SetCellText(int id, int row, int column, std::string_view text) {
    auto& rows = controls_[id].rows;
    if (row < 0 || row >= static_cast<int>(rows.size()) || column < 0 || column >= kTableColumnCount) return;
    rows[static_cast<std::size_t>(row)].cells[static_cast<std::size_t>(column)] = text;
}

int MemoryDialog::GetFirstSelectedRow(int id) const {
    const auto& rows = At(id).rows;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].selected) return static_cast<int>(i);
    return -1;
}

std::vector<int> MemoryDialog::GetSelectedRows(int id) const {
    std::vector<int> selected;
    const auto& rows = At(id).rows;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].selected) selected.push_back(static_cast<int>(i));
    return selected;
}

void MemoryDialog::SelectRows(int id, const std::vector<int>& selected) {
    auto& rows = controls_[id].rows;
    for (Row& r : rows) r.selected = false;
    for (int i : selected)
        if (i >= 0 && i < static_cast<int>(rows.size())) rows[static_cast<std::size_t>(i)].selected = true;
}

void MemoryDialog::ShowMessage(std::string_view text) { messages.emplace_back(text); }

}  // namespace params
