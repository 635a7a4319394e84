#include "platform/win32/policy_store_win32.h"

#include <windows.h>

namespace staywick {

// RegGetValueW (Windows Vista and later) opens the key, reads and closes it
// in one call. A value of any type is asked for, so that a string or a QWORD
// is told apart from a missing value (ERROR_MORE_DATA when it is longer than
// the DWORD buffer). A key that cannot be read counts as absent.
RawPolicyValue PolicyStoreWin32::Read(PolicyScope scope, const wchar_t* name) {
    HKEY root = scope == PolicyScope::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    DWORD type = REG_NONE;
    DWORD data = 0;
    DWORD size = sizeof(data);
    const LSTATUS status =
        ::RegGetValueW(root, kPolicyKeyPath, name, RRF_RT_ANY | RRF_NOEXPAND, &type, &data, &size);
    if (status == ERROR_SUCCESS && type == REG_DWORD && size == sizeof(data))
        return RawPolicyValue{.kind = RawPolicyValue::Kind::Dword, .dword = data};
    if (status == ERROR_SUCCESS || status == ERROR_MORE_DATA)
        return RawPolicyValue{.kind = RawPolicyValue::Kind::OtherType};
    return RawPolicyValue{};
}

} // namespace staywick
