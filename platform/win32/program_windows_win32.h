#pragma once
// The program windows on Windows: EnumWindows, and each window's process
// file name through QueryFullProcessImageNameW (Windows Vista and later).
#include "platform/program_windows.h"

namespace staywick {

class ProgramWindowsWin32 final : public ProgramWindows {
public:
    std::vector<ProgramWindow> List() override;
};

} // namespace staywick
