#pragma once
// The user's running programs that show a window, as "While a program
// runs..." offers them. Win32: platform/win32/program_windows_win32.h.
#include <cstdint>
#include <string>
#include <vector>

namespace staywick {

struct ProgramWindow {
    std::wstring title;
    std::wstring fileName; // "notepad.exe", without folder
    std::uint32_t processId = 0;

    friend bool operator==(const ProgramWindow&, const ProgramWindow&) = default;
};

class ProgramWindows {
public:
    virtual ~ProgramWindows() = default;
    // The visible, unowned, titled top-level windows of other processes, top
    // of the z-order first; empty when there are none or the system refuses.
    virtual std::vector<ProgramWindow> List() = 0;
};

// One entry of the list: "Untitled - Notepad — notepad.exe".
std::wstring ProgramWindowEntry(const ProgramWindow& window);

// The file name at the end of a path ("C:\Windows\notepad.exe" gives
// "notepad.exe").
std::wstring FileNameOfPath(const std::wstring& path);

} // namespace staywick
