#pragma once
// Policies set as an administrator sets them: the system's reg.exe (as
// `wine reg add` and Group Policy write them), in the 64-bit view the
// program reads.
#include <windows.h>

#include <optional>
#include <string>

namespace staywick::test {

inline constexpr wchar_t kMachinePolicyKey[] = L"HKLM\\Software\\Policies\\Tessaro\\Staywick";
inline constexpr wchar_t kUserPolicyKey[] = L"HKCU\\Software\\Policies\\Tessaro\\Staywick";

// Runs reg.exe and returns its exit code (nothing on a timeout).
std::optional<DWORD> Reg(const std::wstring& args);
bool SetPolicy(const wchar_t* key, const wchar_t* name, DWORD value);
// Both keys with every value in them.
void RemovePolicies();

// No policy while the object lives: both keys are removed when it is made
// and again when it goes, on every path out of a test.
class NoPoliciesAfterward {
public:
    NoPoliciesAfterward() { RemovePolicies(); }
    ~NoPoliciesAfterward() { RemovePolicies(); }
    NoPoliciesAfterward(const NoPoliciesAfterward&) = delete;
    NoPoliciesAfterward& operator=(const NoPoliciesAfterward&) = delete;
};

} // namespace staywick::test
