// Opens a file as Explorer does (ShellExecuteW, verb "open") and waits for
// the program the association names to show a window with the file's name
// in its caption; then closes that window.
//   shell_open.exe FILE   exit 0: the window came; 1: it did not
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

struct Search {
    std::wstring name;
    HWND found = nullptr;
};

BOOL CALLBACK FindCaption(HWND wnd, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    wchar_t text[512];
    if (GetWindowTextW(wnd, text, 512) > 0 && std::wstring(text).find(search->name) != std::wstring::npos) {
        search->found = wnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputs("usage: shell_open FILE\n", stderr);
        return 2;
    }
    const std::wstring path = argv[1];
    Search search{path.substr(path.find_last_of(L"\\/") + 1)};
    const auto started = reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (started <= 32) {
        std::fprintf(stderr, "ShellExecuteW failed: %d\n", static_cast<int>(started));
        return 1;
    }
    for (int tries = 0; tries < 300 && !search.found; ++tries) {
        Sleep(100);
        EnumWindows(FindCaption, reinterpret_cast<LPARAM>(&search));
    }
    if (!search.found) {
        std::fputs("no window named the file within 30 s\n", stderr);
        return 1;
    }
    PostMessageW(search.found, WM_CLOSE, 0, 0);
    return 0;
}
