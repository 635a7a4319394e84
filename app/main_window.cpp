#include "app/main_window.h"

#include "app/error_report.h"
#include "common/app_names.h"

namespace staywick {

TFrmStaywickMain::TFrmStaywickMain(Application& app) : app_(app) {
    RegisterWindowClass(kMainWindowClass, 0, nullptr, ::GetSysColorBrush(COLOR_BTNFACE));
    // Owned by the application window, so it has no taskbar button of its own.
    Create(WS_EX_DLGMODALFRAME, kMainWindowClass, L"Main",
           WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
           400, 300, app_.Handle());
    RunGuarded([this] { FormCreate(); });
}

TFrmStaywickMain::~TFrmStaywickMain() { Destroy(); }

void TFrmStaywickMain::FormCreate() {
    ::PostMessageW(Handle(), kWmAppLoaded, 0, 0);
}

void TFrmStaywickMain::AppLoaded() {}

void TFrmStaywickMain::PrevInstance() {}

void TFrmStaywickMain::FormDestroy() {
    if (CreatedMutex) {
        ::CloseHandle(CreatedMutex);
        CreatedMutex = nullptr;
    }
}

LRESULT TFrmStaywickMain::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case kWmAppLoaded:
        AppLoaded();
        return 0;
    case kWmPrevInstance:
        PrevInstance();
        return 0;
    case WM_DESTROY:
        // Closing the main window always ends the application.
        RunGuarded([this] { FormDestroy(); });
        app_.Terminate();
        return 0;
    default:
        return DefaultHandling(msg, wParam, lParam);
    }
}

} // namespace staywick
