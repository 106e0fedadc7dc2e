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
    const auto i = CatalogueIndex(id);
    return i ? controls_[*i] : kAbsent;
}

MemoryDialog::Control& MemoryDialog::Slot(int id) {
    const auto i = CatalogueIndex(id);
    if (!i) return nowhere_ = Control{};
    return controls_[*i];
}

std::string MemoryDialog::GetText(int id) const { return At(id).text; }
void MemoryDialog::SetText(int id, std::string_view text) { Slot(id).text = text; }
void MemoryDialog::SetTextLimit(int id, int limit) { Slot(id).limit = limit; }

void MemoryDialog::AddChoiceItem(int id, std::string_view text) {
    auto& items = Slot(id).items;
    const auto pos = std::upper_bound(items.begin(), items.end(), text, [](std::string_view t, const std::string& item) {
        return CompareNoCase(t, item) < 0;
    });
    items.insert(pos, std::string(text));
}

void MemoryDialog::SelectChoiceItem(int id, int index) {
    Control& c = Slot(id);
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
void MemoryDialog::SetColor(int id, Color color) { Slot(id).color = color; }
const MemoryDialog::Table& MemoryDialog::TableAt(int id) const {
    static const Table kNone;
    const auto it = tables_.find(id);
    return it == tables_.end() ? kNone : it->second;
}

int MemoryDialog::GetRowCount(int id) const { return TableAt(id).rows.Count(); }

std::vector<RowTexts> MemoryDialog::GetRows(int id) const { return TableAt(id).rows.Rows(); }

SharedRows MemoryDialog::GetSharedRows(int id) const { return TableAt(id).rows.Shared(); }

void MemoryDialog::SetRows(int id, std::vector<RowTexts> rows) {
    Table& t = tables_[id];
    t.selected.assign(rows.size(), false);
    t.rows.Assign(std::move(rows));
}

void MemoryDialog::SetSharedRows(int id, const SharedRows& rows) {
    Table& t = tables_[id];
    t.selected.assign(rows->size(), false);
    t.rows.Assign(rows);
}

void MemoryDialog::InsertRow(int id, int row, const RowTexts& cells) {
    Table& t = tables_[id];
    const auto at = static_cast<std::ptrdiff_t>(std::clamp(row, 0, t.rows.Count()));
    t.rows.Insert(row, cells);
    t.selected.insert(t.selected.begin() + at, false);
}

void MemoryDialog::DeleteRow(int id, int row) {
    Table& t = tables_[id];
    if (row < 0 || row >= t.rows.Count()) return;
    t.rows.Erase(row);
    t.selected.erase(t.selected.begin() + row);
}

std::vector<int> MemoryDialog::GetSelectedRows(int id) const {
    const Table& t = TableAt(id);
    std::vector<int> rows;
    for (std::size_t i = 0; i < t.selected.size(); ++i)
        if (t.selected[i]) rows.push_back(static_cast<int>(i));
    return rows;
}

void MemoryDialog::SelectRows(int id, const std::vector<int>& rows) {
    Table& t = tables_[id];
    t.selected.assign(static_cast<std::size_t>(t.rows.Count()), false);
    for (int i : rows)
        if (i >= 0 && i < static_cast<int>(t.selected.size())) t.selected[static_cast<std::size_t>(i)] = true;
}

void MemoryDialog::ShowMessage(std::string_view text) { messages.emplace_back(text); }

}  // namespace params
