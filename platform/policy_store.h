#pragma once
// The policy seam: DWORD values that administrators set under the Policies
// key of the machine and of the user (Group Policy, Intune or by hand). Only
// read, never written. Win32: platform/win32/policy_store_win32.h.
#include <cstdint>

namespace staywick {

// Below HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER. The policy templates
// (packaging/policy) name the same key.
inline constexpr wchar_t kPolicyKeyPath[] = L"Software\\Policies\\Tessaro\\Staywick";

enum class PolicyScope { Machine, User };

// One value as the store holds it.
struct RawPolicyValue {
    enum class Kind { Absent, Dword, OtherType };
    Kind kind = Kind::Absent;
    std::uint32_t dword = 0; // with Kind::Dword

    friend bool operator==(const RawPolicyValue&, const RawPolicyValue&) = default;
};

class PolicyStore {
public:
    virtual ~PolicyStore() = default;
    // A missing key or value reads as absent.
    virtual RawPolicyValue Read(PolicyScope scope, const wchar_t* name) = 0;
};

} // namespace staywick
