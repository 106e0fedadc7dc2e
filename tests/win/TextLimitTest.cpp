// Text limits that count code-page-936 bytes, on a real edit control.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "ByteLimitedEdit.h"
#include "TextCodec.h"

using namespace framework;
using params::Narrow;
using params::Widen;

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
    void SetClipboard(const std::wstring& text) {
        ASSERT_TRUE(OpenClipboard(edit_));
        EmptyClipboard();
        const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
        HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, bytes);
        memcpy(GlobalLock(data), text.c_str(), bytes);
        GlobalUnlock(data);
        SetClipboardData(CF_UNICODETEXT, data);
        CloseClipboard();
    }
    void Paste(const std::wstring& text) {
        SetClipboard(text);
        SendMessageW(edit_, WM_PASTE, 0, 0);
    }
    // A key pressed while modifier is held, as the message loop delivers it:
    // translated into characters, then each dispatched. The key state is
    // this thread's own, so nothing else on the desktop can take the keys.
    void PressKey(BYTE modifier, WORD key) {
        BYTE state[256] = {};
        GetKeyboardState(state);
        state[modifier] = 0x80;
        SetKeyboardState(state);
        MSG msg{};
        msg.hwnd = edit_;
        msg.message = WM_KEYDOWN;
        msg.wParam = key;
        msg.lParam = 1;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        state[modifier] = 0;
        SetKeyboardState(state);
        while (PeekMessageW(&msg, edit_, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    void Empty() {
        SetWindowTextW(edit_, L"");
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

    // An input method's characters, one by one.
    Empty();
    for (wchar_t c : std::wstring(L"武器铠")) SendMessageW(edit_, WM_IME_CHAR, c, 1);
    for (MSG msg; PeekMessageW(&msg, edit_, 0, 0, PM_REMOVE);) DispatchMessageW(&msg);  // they come as WM_CHAR
    EXPECT_EQ(Text(), L"武器");
    Empty();
    for (wchar_t c : std::wstring(L"铠甲a")) SendMessageW(edit_, WM_UNICHAR, c, 1);
    EXPECT_EQ(Text(), L"铠甲");
}

TEST_F(ByteLimitedEdit, ASurrogatePairGoesInWholeOrNotAtAll) {
    Type(L"ab\U0001F600");  // two character messages, the halves of the pair
    EXPECT_EQ(Text(), L"ab");
    Empty();
    Type(L"\U0001F600");
    EXPECT_EQ(Text(), L"\U0001F600");
    Empty();
    Type(L"a");
    SendMessageW(edit_, WM_UNICHAR, 0x1F600, 1);  // one message for the pair
    EXPECT_EQ(Text(), L"a");
    Empty();
    SendMessageW(edit_, WM_UNICHAR, 0x1F600, 1);
    EXPECT_EQ(Text(), L"\U0001F600");

    SendMessageW(edit_, EM_LIMITTEXT, 0, 0);  // without a limit a half still never stays alone
    Empty();
    Type(L"\xD83Dx");  // the first half alone is dropped
    EXPECT_EQ(Text(), L"x");
}

TEST_F(ByteLimitedEdit, TypingOverASelectionCountsWhatIsReplaced) {
    SetWindowTextW(edit_, L"武器");
    SendMessageW(edit_, EM_SETSEL, 1, 2);
    Type(L"甲");
    EXPECT_EQ(Text(), L"武甲");
}

TEST_F(ByteLimitedEdit, PasteIsCutToTheRoomLeftByEveryWayOfPasting) {
    SetWindowTextW(edit_, L"a");
    SendMessageW(edit_, EM_SETSEL, 1, 1);
    Paste(L"武器铠甲");
    EXPECT_EQ(Text(), L"a武");
    SendMessageW(edit_, WM_UNDO, 0, 0);  // undo goes back to before the paste
    EXPECT_EQ(Text(), L"a");

    Empty();
    Paste(L"ab\r\ncd");
    EXPECT_EQ(Text(), L"ab");

    SetClipboard(L"a武b器c");  // mixed ASCII and Chinese
    Empty();
    PressKey(VK_SHIFT, VK_INSERT);
    EXPECT_EQ(Text(), L"a武b");
    Empty();
    PressKey(VK_CONTROL, 'V');
    EXPECT_EQ(Text(), L"a武b");
    Empty();
    // The context menu's paste, chosen by its key.
    PostMessageW(edit_, WM_KEYDOWN, 'P', 1);
    SendMessageW(edit_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit_), MAKELPARAM(5, 5));
    EXPECT_EQ(Text(), L"a武b");

    // Text put in by another program.
    Empty();
    SendMessageW(edit_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"武器铠甲"));
    EXPECT_EQ(Text(), L"武器");
}

TEST_F(ByteLimitedEdit, AnInputMethodsUnfinishedTextIsHeldOnceItIsDecided) {
    // Wine has no input context here (ImmGetContext gives none without a
    // display), so the unfinished text goes in as an input method shows it.
    SendMessageW(edit_, WM_IME_STARTCOMPOSITION, 0, 0);
    SendMessageW(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"武器铠甲"));
    SendMessageW(edit_, WM_TIMER, 0, 0);
    EXPECT_EQ(Text(), L"武器铠甲");  // cutting it now would break the input method's own record of it
    SendMessageW(edit_, WM_IME_ENDCOMPOSITION, 0, 0);
    EXPECT_EQ(Text(), L"武器");
}

DWORD WINAPI SetTextFromAnotherThread(void* edit) {
    SendMessageW(static_cast<HWND>(edit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"a武器铠甲"));
    return 0;
}

TEST_F(ByteLimitedEdit, TextSentByAnotherProgramIsHeldLikeTyping) {
    const HANDLE thread = CreateThread(nullptr, 0, SetTextFromAnotherThread, edit_, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    // Take the sent message while waiting for the thread to end.
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) != WAIT_OBJECT_0) {
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    }
    CloseHandle(thread);
    EXPECT_EQ(Text(), L"a武");
}

TEST_F(ByteLimitedEdit, TextSetByTheProgramIsShownInFullAndOnlyWhatIsAddedIsRefused) {
    SetWindowTextW(edit_, L"武器铠甲手部");
    EXPECT_EQ(Text(), L"武器铠甲手部");
    SendMessageW(edit_, EM_SETSEL, 6, 6);
    Type(L"a");
    EXPECT_EQ(Text(), L"武器铠甲手部");
    SendMessageW(edit_, WM_CHAR, VK_BACK, 1);
    EXPECT_EQ(Text(), L"武器铠甲手");
}

TEST_F(ByteLimitedEdit, ANewLimitReplacesTheOldOne) {
    SendMessageW(edit_, EM_LIMITTEXT, 2, 0);
    Type(L"武器");
    EXPECT_EQ(Text(), L"武");
}

}  // namespace
