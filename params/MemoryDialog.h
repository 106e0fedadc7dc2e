// The editor dialog without windows: every control's state in memory,
// behaving as the real controls do where the walks rely on it.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "ControlAccess.h"

namespace params {

class MemoryDialog final : public IControlAccess {
public:
    struct Control {
        std::string text;
        int limit = 0;
        std::vector<std::string> items;
        int selection = -1;
        bool checked = false;
        Color color = Rgb(255, 0, 0);  // what a new swatch holds
    };

    std::string GetText(int id) const override;
    void SetText(int id, std::string_view text) override;
    void SetTextLimit(int id, int limit) override;
    void AddChoiceItem(int id, std::string_view text) override;
    void SelectChoiceItem(int id, int index) override;
    int GetChoiceSelection(int id) const override;
    int FindChoiceItem(int id, std::string_view prefix) const override;
    bool IsChecked(int id) const override;
    void SetChecked(int id, bool checked) override { Slot(id).checked = checked; }
    Color GetColor(int id) const override;
    void SetColor(int id, Color color) override;
    int GetRowCount(int id) const override;
    std::vector<RowTexts> GetRows(int id) const override;
    void SetRows(int id, std::vector<RowTexts> rows) override;
    SharedRows GetSharedRows(int id) const override;
    void SetSharedRows(int id, const SharedRows& rows) override;
    void InsertRow(int id, int row, const RowTexts& cells) override;
    void DeleteRow(int id, int row) override;
    std::vector<int> GetSelectedRows(int id) const override;
    void SelectRows(int id, const std::vector<int>& rows) override;
    void ShowMessage(std::string_view text) override;

    const Control& At(int id) const;

    std::vector<std::string> messages;  // every message shown, oldest first

private:
    // Rows of texts, as the real dialog holds them.
    struct Table {
        TableModel rows;
        std::vector<bool> selected;
    };
    const Table& TableAt(int id) const;

    // The control of a catalogue ID. No other ID has one: what is put there is lost.
    Control& Slot(int id);

    std::vector<Control> controls_ = std::vector<Control>(kParamCount);  // by catalogue index
    Control nowhere_;
    std::unordered_map<int, Table> tables_;
};

}  // namespace params
