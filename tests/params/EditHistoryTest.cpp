// Undo and redo over the in-memory dialog, with the Document measuring the mark.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "ControlIds.h"
#include "Document.h"
#include "EditHistory.h"
#include "MemoryDialog.h"
#include "SpriteTable.h"
#include "Walks.h"

using namespace params;

namespace {

class History : public ::testing::Test {
protected:
    void SetUp() override {
        ApplyDefaults(dlg_);
        dlg_.SetChecked(IDC_ADVANCED_ENABLED, true);
        history_.Reset(dlg_);
    }
    // A change as the user makes it, then the look the dialog takes after every message.
    bool Step(const std::function<void()>& change, int typingBox = 0, std::uint64_t after = 10) {
        change();
        return history_.Record(dlg_, typingBox, clock_ += after);
    }
    void Type(int box, const char* text, std::uint64_t after = 10) {
        Step([&] { dlg_.SetText(box, text); }, box, after);
    }

    MemoryDialog dlg_;
    EditHistory history_;
    std::uint64_t clock_ = 0;
};

TEST_F(History, EveryKindOfChangeIsAStepUndoneAndRedoneInOrder) {
    std::vector<DialogState> seen{CaptureState(dlg_)};
    const auto note = [&] { seen.push_back(CaptureState(dlg_)); };
    Type(IDC_LEVELUP_HP0, "300");  // as typed, though a save stores 44
    note();
    Type(IDC_USE_PORTRAIT, "maybe");  // a drop-down's text that is no item
    note();
    for (const std::function<void()>& change : std::vector<std::function<void()>>{
             [&] { dlg_.SelectChoiceItem(IDC_HERO_ANIMATION_MODE, 1); },
             [&] { dlg_.SetChecked(IDC_ADVANCED_ENABLED, false); },
             [&] { dlg_.SetColor(IDC_ADVANCED_COLOR0, Rgb(1, 2, 3)); },
             [&] { AddTableRow(dlg_); },
             [&] { PasteTableRows(dlg_, "7\t道具\t1\t2\n1,魔法,3,4\n"); },
             [&] { SortTableRows(dlg_); }}) {
        EXPECT_TRUE(Step(change));
        note();
    }
    EXPECT_FALSE(Step([&] { dlg_.SelectRows(IDC_SPRITE_TABLE, {1}); }));  // a selection alone is no step
    EXPECT_TRUE(Step([&] { DeleteSelectedTableRow(dlg_); }));
    note();
    ASSERT_EQ(history_.Steps(), seen.size());

    for (std::size_t i = seen.size() - 1; i-- > 0;) {
        ASSERT_TRUE(history_.Undo(dlg_));
        EXPECT_TRUE(CaptureState(dlg_).SameValues(seen[i])) << "undo to " << i;
    }
    EXPECT_FALSE(history_.Undo(dlg_));
    EXPECT_EQ(dlg_.GetSelectedRows(IDC_SPRITE_TABLE), std::vector<int>{});
    for (std::size_t i = 1; i < seen.size(); ++i) {
        ASSERT_TRUE(history_.Redo(dlg_));
        EXPECT_TRUE(CaptureState(dlg_).SameValues(seen[i])) << "redo to " << i;
    }
    EXPECT_FALSE(history_.Redo(dlg_));
    EXPECT_EQ(dlg_.GetText(IDC_LEVELUP_HP0), "300");
}

TEST_F(History, TypingIsOneStepUntilTheFocusLeavesOrAPauseAndANewChangeDropsTheRedo) {
    const std::string mp = dlg_.GetText(IDC_LEVELUP_MP0);
    Type(IDC_LEVELUP_HP0, "1");
    Type(IDC_LEVELUP_HP0, "12");
    Type(IDC_LEVELUP_HP0, "123", EditHistory::kTypingPauseMs + 1);  // after a pause
    history_.EndTyping();                                           // the focus left and came back
    Type(IDC_LEVELUP_HP0, "1234");
    Type(IDC_LEVELUP_MP0, "5");                                     // another box
    Step([&] { dlg_.SetText(IDC_LEVELUP_MP0, "56"); });             // not typed: the focus is elsewhere
    for (const auto& [hp, mp0] : std::vector<std::pair<std::string, std::string>>{
             {"1234", "5"}, {"1234", mp}, {"123", mp}, {"12", mp}}) {
        ASSERT_TRUE(history_.Undo(dlg_));
        EXPECT_EQ(dlg_.GetText(IDC_LEVELUP_HP0) + "/" + dlg_.GetText(IDC_LEVELUP_MP0), hp + "/" + mp0);
    }
    Type(IDC_LEVELUP_HP0, "9");
    EXPECT_FALSE(history_.CanRedo());
    ASSERT_TRUE(history_.Undo(dlg_));
    EXPECT_EQ(dlg_.GetText(IDC_LEVELUP_HP0), "12");
}

TEST_F(History, TheMarkFollowsUndoAndALoadIsUndoneWhole) {
    const auto path = (std::filesystem::temp_directory_path() /
                       ("quillet-history-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed())))
                          .string();
    Document document;
    Type(IDC_LEVELUP_HP0, "7");
    ASSERT_TRUE(document.Save(path, dlg_));
    EXPECT_FALSE(Step([] {}));  // a save is no step
    history_.EndTyping();       // the button took the focus
    Type(IDC_LEVELUP_HP0, "8");
    EXPECT_TRUE(document.IsModified(dlg_));
    history_.Undo(dlg_);
    EXPECT_FALSE(document.IsModified(dlg_));  // back to what was saved
    history_.Undo(dlg_);
    EXPECT_TRUE(document.IsModified(dlg_));  // before the save: the save itself stays
    history_.Redo(dlg_);
    EXPECT_FALSE(document.IsModified(dlg_));

    Step([&] { AddTableRow(dlg_); dlg_.SetText(IDC_ATTRIBUTE_NAME0, "typed"); });
    ASSERT_TRUE(Step([&] { (void)document.Load(path, dlg_); }));
    EXPECT_EQ(dlg_.GetRowCount(IDC_SPRITE_TABLE), 0);
    history_.Undo(dlg_);
    EXPECT_EQ(dlg_.GetText(IDC_ATTRIBUTE_NAME0), "typed");
    EXPECT_EQ(dlg_.GetRowCount(IDC_SPRITE_TABLE), 1);
    EXPECT_TRUE(document.IsModified(dlg_));  // against the file just loaded
    std::filesystem::remove(path);
}

TEST_F(History, TenThousandStepsOverAFullTableStayWithinTheBound) {
    for (int i = 0; i < kMaxTableRows; ++i) AddTableRow(dlg_);
    history_.Reset(dlg_);
    std::vector<RowTexts> rows = dlg_.GetRows(IDC_SPRITE_TABLE);
    for (int i = 0; i < 10000; ++i) {
        rows[static_cast<std::size_t>(i % kMaxTableRows)][2] = std::to_string(i);
        // A cell edit and a typed box in turn: steps with and without a table of their own.
        if (i % 2) Step([&] { dlg_.SetRows(IDC_SPRITE_TABLE, rows); });
        else Type(IDC_LEVELUP_HP0, std::to_string(i).c_str(), EditHistory::kTypingPauseMs + 1);
    }
    EXPECT_LE(history_.Steps(), EditHistory::kMaxSteps);
    EXPECT_LE(history_.Bytes(), EditHistory::kMaxBytes);
    EXPECT_GT(history_.Bytes(), EditHistory::kMaxBytes - (1u << 20));  // the budget, not the step count, bounds it
    std::size_t undone = 0;
    while (history_.Undo(dlg_)) ++undone;
    EXPECT_EQ(undone, history_.Steps() - 1);
    while (history_.Redo(dlg_)) {}
    EXPECT_EQ(dlg_.GetRows(IDC_SPRITE_TABLE), rows);
}

}  // namespace
