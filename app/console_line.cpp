#include "app/console_line.h"

#include <windows.h>

namespace staywick {

void WriteConsoleLine(const std::wstring& line) {
    // ERROR_ACCESS_DENIED: the process already has a console (under Wine a
    // program started by cmd.exe shares it from the start).
    if (!::AttachConsole(ATTACH_PARENT_PROCESS) && ::GetLastError() != ERROR_ACCESS_DENIED)
        return;
    const std::wstring text = line + L"\r\n";
    HANDLE out = ::GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    DWORD written = 0;
    if (out && out != INVALID_HANDLE_VALUE && ::GetConsoleMode(out, &mode)) {
        ::WriteConsoleW(out, text.c_str(), static_cast<DWORD>(text.size()), &written, nullptr);
        return;
    }
    if (out && out != INVALID_HANDLE_VALUE && ::GetFileType(out) != FILE_TYPE_UNKNOWN) {
        // Redirected to a file or a pipe: UTF-8.
        const int bytes = ::WideCharToMultiByte(
            CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
        std::string utf8(static_cast<std::size_t>(bytes), '\0');
        ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), utf8.data(),
                              bytes, nullptr, nullptr);
        ::WriteFile(out, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
        return;
    }
    // Attached, but the standard handle was never set: the console itself.
    HANDLE console = ::CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, 0, nullptr);
    if (console == INVALID_HANDLE_VALUE)
        return;
    ::WriteConsoleW(console, text.c_str(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(console);
}

} // namespace staywick
