// The application: prepares the common controls and runs the editor dialog.
#pragma once

#include "WinApp.h"

class CAttrEditorApp final : public framework::CWinApp {
public:
    BOOL InitInstance() override;
};
