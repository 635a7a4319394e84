#pragma once
// A power request with a reason: the system and the display are required,
// and the system's list of power requests names the program and the reason.
// It sits beside the execution-state call of the awake request, which stays
// as it is. Win32: platform/win32/power_request_win32.h.
#include <string>

namespace staywick {

class PowerRequest {
public:
    virtual ~PowerRequest() = default;

    // Holds the request with `reason`; holding it again with another reason
    // replaces it without a gap, with the same reason does nothing. False
    // when the platform has no such request or refuses it: then nothing is
    // held, and the execution-state call alone keeps the computer awake.
    virtual bool Hold(const std::wstring& reason) = 0;
    // The same for the system alone: the display may turn off.
    virtual bool HoldSystem(const std::wstring& reason) = 0;
    // Releases what is held; harmless when nothing is.
    virtual void Release() = 0;
};

} // namespace staywick
