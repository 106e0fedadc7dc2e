// The editor dialog without windows: every control's state in memory,
// behaving as the real controls do where the walks rely on it.
#pragma once

#include <array>
#include <string>
#include <unordered_map>
#include <vector>

#include "ControlAccess.h"

namespace params {

class MemoryDialog final : public IControlAccess {
public:
    struct Row {
        std::array<std::string, kTableColumnCount> cells;
        bool selected = false;
    };
    struct Control {
        std::string text;
        int limit = 0;
        std::vector<std::string> items;
        int selection = -1;
        bool checked = false;
        Color color = Rgb(255, 0, 0);  // what a new swatch holds
        std::vector<Row> rows;
    };

    std::string GetText(int id) const override;
    void SetText(int id, std::string_view text) override;
    void SetTextLimit(int id, int limit) override;
    void AddChoiceItem(int id, std::string_view text) override;
    void SelectChoiceItem(int id, int index) override;
    int GetChoiceSelection(int id) const override;
    int FindChoiceItem(int id, std::string_view prefix) const override;
    bool IsChecked(int id) const override;
    void SetChecked(int id, bool checked) override { controls_[id].checked = checked; }
    Color GetColor(int id) const override;
    void SetColor(int id, Color color) override;
    int GetRowCount(int id) const override;
    std::string GetCellText(int id, int row, int column) const override;
    void DeleteAllRows(int id) override;
    void DeleteRow(int id, int row) override;
    void InsertRow(int id, int row, std::string_view column0) override;
    void SetCellText(int id, int row, int column, std::string_view text) override;
    int GetFirstSelectedRow(int id) const override;
    std::vector<int> GetSelectedRows(int id) const override;
    void SelectRows(int id, const std::vector<int>& rows) override;
    void ShowMessage(std::string_view text) override;

    void SelectRow(int id, int row, bool selected) { controls_[id].rows.at(static_cast<std::size_t>(row)).selected = selected; }
    const Control& At(int id) const;

    std::vector<std::string> messages;  // every message shown, oldest first

private:
    std::unordered_map<int, Control> controls_;  // looked up once for every cell a walk touches
};

}  // namespace params
