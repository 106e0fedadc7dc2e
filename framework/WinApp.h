// The application object: one per program, run by the entry point.
#pragma once

#include <windows.h>

#include <string>

namespace framework {

class CWinApp {
public:
    virtual ~CWinApp() = default;
    // Everything the program does. A program made of one modal dialog has
    // no message loop after it, so the program ends when this returns,
    // whatever it gives.
    virtual BOOL InitInstance() = 0;
    int Run() {
        InitInstance();
        return 0;
    }
};

// The executable's base name, without folder or extension: the caption of
// the program's message boxes.
std::wstring ProgramName();

}  // namespace framework
