#include "win/common/policy_helpers.h"

#include "win/common/process_helpers.h"

namespace staywick::test {

std::optional<DWORD> Reg(const std::wstring& args) {
    const Process reg = Process::Start(L"C:\\windows\\system32\\reg.exe", args);
    return reg.WaitExit(15000);
}

bool SetPolicy(const wchar_t* key, const wchar_t* name, DWORD value) {
    return Reg(L"add " + std::wstring(key) + L" /v " + name + L" /t REG_DWORD /d " +
               std::to_wstring(value) + L" /f") == 0u;
}

void RemovePolicies() {
    Reg(L"delete " + std::wstring(kMachinePolicyKey) + L" /f");
    Reg(L"delete " + std::wstring(kUserPolicyKey) + L" /f");
}

} // namespace staywick::test
