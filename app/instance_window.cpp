#include "app/instance_window.h"

#include "common/app_names.h"
#include "common/win32/file_version.h"
#include "common/win32/process_image.h"
#include "platform/program_windows.h"

#include <string>

namespace staywick {

bool IsInstanceWindow(HWND wnd) {
    DWORD processId = 0;
    if (!wnd || !::GetWindowThreadProcessId(wnd, &processId))
        return false;
    const std::wstring image = ProcessImagePath(processId);
    return !image.empty() && SameFileText(FileNameOfPath(image), FileNameOfPath(ExecutablePath()));
}

HWND FindInstanceWindow() {
    HWND wnd = nullptr;
    while ((wnd = ::FindWindowExW(nullptr, wnd, kMainWindowClass, nullptr)) != nullptr) {
        if (IsInstanceWindow(wnd))
            return wnd;
    }
    return nullptr;
}

} // namespace staywick
