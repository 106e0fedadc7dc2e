// Command tables: which handler a message, notification or command goes to,
// as static data, one table per window class.
#pragma once

#include <windows.h>

#include <span>

namespace framework {

// An entry's control ID that matches every control.
constexpr UINT kAnyControl = ~0u;

template <class T>
struct CommandEntry {
    using Action = void (T::*)();    // the message's result is 0
    using Query = LRESULT (T::*)();  // the handler gives the result
    using Handler = LRESULT (T::*)(WPARAM, LPARAM);  // the same, from the message's parameters
    constexpr CommandEntry(UINT m, UINT c, UINT i, Action a) : message(m), code(c), id(i), action(a) {}
    constexpr CommandEntry(UINT m, UINT c, UINT i, Query q) : message(m), code(c), id(i), query(q) {}
    constexpr CommandEntry(UINT m, UINT c, UINT i, Handler h) : message(m), code(c), id(i), handler(h) {}

    UINT message;
    UINT code;  // notification code; 0 for plain messages
    UINT id;    // control ID, or kAnyControl; 0 for plain messages
    Action action = nullptr;
    Query query = nullptr;
    Handler handler = nullptr;
};

struct MessageKey {
    UINT message;
    UINT code;
    UINT id;
};

// WM_COMMAND: (code, id) from wParam; WM_NOTIFY: from the NMHDR;
// WM_DRAWITEM: the control ID; anything else: (0, 0).
MessageKey DecodeMessage(UINT message, WPARAM wParam, LPARAM lParam);

// Runs the first entry that matches; false when none does.
template <class T>
bool DispatchCommand(std::span<const CommandEntry<T>> table, T& target, UINT message, WPARAM wParam,
                     LPARAM lParam, LRESULT& result) {
    const MessageKey key = DecodeMessage(message, wParam, lParam);
    for (const CommandEntry<T>& e : table) {
        if (e.message != key.message || e.code != key.code || (e.id != key.id && e.id != kAnyControl)) continue;
        if (e.action) {
            (target.*e.action)();
            result = 0;
        } else if (e.query) {
            result = (target.*e.query)();
        } else {
            result = (target.*e.handler)(wParam, lParam);
        }
        return true;
    }
    return false;
}

}  // namespace framework
