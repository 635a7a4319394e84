#pragma once
// The power request on Windows: PowerCreateRequest with a simple reason
// string, then PowerSetRequest for the system and the display. The three
// functions are looked up at run time, so the program's imports stay as they
// are, and a system (or Wine) without them, or refusing them, leaves the
// execution-state call to carry on alone.
#include "common/win32/handles.h"
#include "platform/power_request.h"

#include <windows.h>

#include <string>

namespace staywick {

struct PowerRequestFunctions {
    using Create = HANDLE(WINAPI*)(PREASON_CONTEXT context);
    using Change = BOOL(WINAPI*)(HANDLE request, POWER_REQUEST_TYPE type);
    Create create = nullptr;
    Change set = nullptr;
    Change clear = nullptr;
};

// The functions from kernel32, or empty ones where the system lacks any of them.
PowerRequestFunctions LoadPowerRequestFunctions();

class PowerRequestWin32 final : public PowerRequest {
public:
    // Tests pass their own functions to see the calls.
    explicit PowerRequestWin32(PowerRequestFunctions functions = LoadPowerRequestFunctions());
    ~PowerRequestWin32() override;
    PowerRequestWin32(const PowerRequestWin32&) = delete;
    PowerRequestWin32& operator=(const PowerRequestWin32&) = delete;

    bool Hold(const std::wstring& reason) override;
    bool HoldSystem(const std::wstring& reason) override;
    void Release() override;

private:
    bool HoldWith(const std::wstring& reason, bool display);
    // A new request with the system type, and the display type when asked;
    // empty when refused.
    win32::KernelHandle Make(const std::wstring& reason, bool display) const;
    void Clear(HANDLE request) const;

    PowerRequestFunctions functions_;
    win32::KernelHandle request_;
    std::wstring reason_;
    bool display_ = false;
};

} // namespace staywick
