#include "EditorTestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdio>

namespace fs = std::filesystem;

CTempFolder::CTempFolder() : m_old(fs::current_path()) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    m_path = fs::temp_directory_path() / (std::string("quillet-editor-") + info->test_suite_name() + "-" + info->name());
    fs::remove_all(m_path);
    fs::create_directories(m_path);
    fs::current_path(m_path);
}

CTempFolder::~CTempFolder() {
    fs::current_path(m_old);
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

std::vector<unsigned char> ReadBytes(const fs::path& path) {
    std::vector<unsigned char> bytes;
    if (std::FILE* f = _wfopen(path.c_str(), L"rb")) {
        for (int c; (c = std::fgetc(f)) != EOF;) bytes.push_back(static_cast<unsigned char>(c));
        std::fclose(f);
    }
    return bytes;
}

std::wstring TextOf(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring CellText(HWND list, int row, int column) {
    wchar_t buffer[256] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = 256;
    SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return buffer;
}

std::wstring ComboItem(HWND combo, int index) {
    wchar_t buffer[32] = {};
    SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

HWND RangeTipOf(HWND dialog) {
    HWND found = nullptr;
    for (HWND h = nullptr; (h = FindWindowExW(nullptr, h, TOOLTIPS_CLASSW, nullptr));)
        if (GetWindow(h, GW_OWNER) == dialog) found = h;
    return found;
}
