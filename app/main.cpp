// Process entry: a command for the running instance, or the single-instance
// rule, then the hidden main window and the message loop.
#include "app/command_client.h"
#include "app/console_line.h"
#include "app/main_window.h"
#include "app/mutex_utils.h"
#include "common/app_names.h"
#include "diag/command_line.h"
#include "engine/remote_command.h"
#include "ui/application.h"
#include "ui/visual_style.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using namespace staywick;
    const std::wstring commandLine = ::GetCommandLineW();
    std::vector<std::wstring> args;
    for (int i = 1;; ++i) {
        std::wstring arg = CommandLineArgument(commandLine, i);
        if (arg.empty())
            break;
        args.push_back(std::move(arg));
    }
    const CommandLineParse parse = ParseCommandLineArguments(args);
    if (parse.kind == CommandLineKind::Invalid) {
        WriteConsoleLine(parse.problem.empty() ? std::wstring(kCommandUsage) : parse.problem);
        return kExitUsage;
    }
    if (parse.kind == CommandLineKind::Command)
        return RunCommand(parse.command);

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
        auto mainWindow = std::make_unique<TFrmStaywickMain>(app, commandLine);
        mainWindow->CreatedMutex = std::move(mutex);
        return mainWindow;
    });
}
