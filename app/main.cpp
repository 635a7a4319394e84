// Process entry: the single-instance rule, then the hidden main window and
// the message loop.
#include "app/main_window.h"
#include "app/mutex_utils.h"
#include "common/app_names.h"
#include "ui/application.h"
#include "ui/visual_style.h"

#include <windows.h>

#include <memory>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using namespace staywick;
    win32::KernelHandle mutex = CreateSingleInstanceMutex(kMutexName);
    if (!mutex) {
        // Another instance runs: let it show its balloon, touch nothing else.
        HWND running = ::FindWindowW(kMainWindowClass, nullptr);
        ::PostMessageW(running, kWmPrevInstance, 0, 0);
        return 0;
    }
    // The dark style first, so the main window is created under it; the
    // colour mode decides the final style once the loop runs.
    VisualStyle::Select(StyleKind::Dark);
    Application app(kAppTitle);
    // A main window that cannot be created, or an error while its members are
    // constructed, is reported and ends the program with a non-zero code.
    return app.RunMainWindow([&]() -> std::unique_ptr<Window> {
        auto mainWindow = std::make_unique<TFrmStaywickMain>(app, ::GetCommandLineW());
        mainWindow->CreatedMutex = std::move(mutex);
        return mainWindow;
    });
}
