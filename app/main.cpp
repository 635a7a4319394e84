// Process entry: the single-instance rule, then the hidden main window and
// the message loop.
#include "app/application.h"
#include "app/main_window.h"
#include "app/mutex_utils.h"
#include "common/app_names.h"
#include "tray/win32/visual_style.h"

#include <windows.h>
#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using namespace staywick;
    HANDLE mutex = CreateSingleInstanceMutex(kMutexName);
    if (!mutex) {
        // Another instance runs: let it show its balloon, touch nothing else.
        HWND running = ::FindWindowW(kMainWindowClass, nullptr);
        ::PostMessageW(running, kWmPrevInstance, 0, 0);
        return 0;
    }
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_LINK_CLASS | ICC_UPDOWN_CLASS};
    ::InitCommonControlsEx(&icc);

    // The dark style first, so the main window is created under it; the
    // colour mode decides the final style once the loop runs.
    VisualStyle::Select(StyleKind::Dark);
    Application app(kAppTitle);
    TFrmStaywickMain mainWindow(app, ::GetCommandLineW());
    mainWindow.CreatedMutex = mutex;
    app.Run();
    return 0;
}
