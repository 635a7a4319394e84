#pragma once
// The lid-close action through powrprof (Windows Vista and later):
// PowerGetActiveScheme, PowerReadACValueIndex/PowerReadDCValueIndex and
// PowerWriteACValueIndex/PowerWriteDCValueIndex on GUID_SYSTEM_BUTTON_SUBGROUP
// and GUID_LIDCLOSE_ACTION, then PowerSetActiveScheme. powrprof is loaded at
// the first call, so a program that never stays awake with the lid closed
// (and has nothing to put back) never loads it.
//
// Under Wine these are stubs: PowerGetActiveScheme fails
// (ERROR_CALL_NOT_IMPLEMENTED), PowerWriteACValueIndex and
// PowerSetActiveScheme answer success and change nothing, and the two read
// functions and PowerWriteDCValueIndex are missing. Tests check the calls
// through the seam (platform/lid_close_action.h) instead.
#include "platform/lid_close_action.h"

namespace staywick {

class LidCloseActionWin32 final : public LidCloseAction {
public:
    std::optional<std::wstring> ActiveScheme() override;
    std::optional<std::uint32_t> Read(const std::wstring& scheme, PowerLine line) override;
    bool Write(const std::wstring& scheme, PowerLine line, std::uint32_t value) override;
    bool Activate(const std::wstring& scheme) override;
};

} // namespace staywick
