// Text limits that count code-page-936 bytes, on a real edit control.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "ByteLimitedEdit.h"
#include "TextCodec.h"

using namespace framework;

namespace {

TEST(Utf8Boundary, RoundTripsChineseText) {
    const std::string utf8 = "\xe9\xad\x94\xe6\xb3\x95";  // 魔法
    EXPECT_EQ(Widen(utf8), L"魔法");
    EXPECT_EQ(Narrow(L"魔法"), utf8);
    EXPECT_EQ(Narrow(Widen("4*2*4")), "4*2*4");
}

class ByteLimitedEdit : public ::testing::Test {
protected:
    void SetUp() override {
        edit_ = CreateWindowExW(0, L"EDIT", L"", WS_POPUP | ES_AUTOHSCROLL, 0, 0, 100, 20, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(edit_, nullptr);
        limited_.SubclassWindow(edit_);
        SendMessageW(edit_, EM_LIMITTEXT, 4, 0);
    }
    void TearDown() override { DestroyWindow(edit_); }

    void Type(std::wstring_view text) {
        for (wchar_t c : text) SendMessageW(edit_, WM_CHAR, c, 1);
    }
    std::wstring Text() const {
        wchar_t buffer[64] = {};
        GetWindowTextW(edit_, buffer, 64);
        return buffer;
    }
    void Paste(const std::wstring& text) {
        ASSERT_TRUE(OpenClipboard(edit_));
        EmptyClipboard();
        const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
        HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, bytes);
        memcpy(GlobalLock(data), text.c_str(), bytes);
        GlobalUnlock(data);
        SetClipboardData(CF_UNICODETEXT, data);
        CloseClipboard();
        SendMessageW(edit_, WM_PASTE, 0, 0);
    }

    HWND edit_ = nullptr;
    CByteLimitedEdit limited_;
};

TEST_F(ByteLimitedEdit, TypingStopsAtTheLimitInBytes) {
    Type(L"武器铠");
    EXPECT_EQ(Text(), L"武器");
    SendMessageW(edit_, WM_CHAR, VK_BACK, 1);  // control keys are never blocked
    EXPECT_EQ(Text(), L"武");
    Type(L"ab");
    EXPECT_EQ(Text(), L"武ab");
    Type(L"c");
    EXPECT_EQ(Text(), L"武ab");
}

TEST_F(ByteLimitedEdit, TypingOverASelectionCountsWhatIsReplaced) {
    SetWindowTextW(edit_, L"武器");
    SendMessageW(edit_, EM_SETSEL, 1, 2);
    Type(L"甲");
    EXPECT_EQ(Text(), L"武甲");
}

TEST_F(ByteLimitedEdit, PasteIsCutToTheRoomLeft) {
    SetWindowTextW(edit_, L"a");
    SendMessageW(edit_, EM_SETSEL, 1, 1);
    Paste(L"武器铠甲");
    EXPECT_EQ(Text(), L"a武");

    SetWindowTextW(edit_, L"");
    Paste(L"ab\r\ncd");
    EXPECT_EQ(Text(), L"ab");
}

TEST_F(ByteLimitedEdit, TextSetByTheProgramIsShownInFull) {
    SetWindowTextW(edit_, L"武器铠甲手部");
    EXPECT_EQ(Text(), L"武器铠甲手部");
}

TEST_F(ByteLimitedEdit, ANewLimitReplacesTheOldOne) {
    SendMessageW(edit_, EM_LIMITTEXT, 2, 0);
    Type(L"武器");
    EXPECT_EQ(Text(), L"武");
}

}  // namespace
