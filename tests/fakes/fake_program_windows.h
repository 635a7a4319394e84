#pragma once
// Program windows the test lists by hand.
#include "platform/program_windows.h"

namespace staywick::fakes {

class FakeProgramWindows : public ProgramWindows {
public:
    std::vector<ProgramWindow> List() override {
        ++lists;
        return windows;
    }

    std::vector<ProgramWindow> windows;
    int lists = 0;
};

} // namespace staywick::fakes
