#pragma once
// The policy seam on the registry: kPolicyKeyPath below HKEY_LOCAL_MACHINE
// and HKEY_CURRENT_USER, 64-bit view (the program is 64-bit, so the key is
// not redirected).
#include "platform/policy_store.h"

namespace staywick {

class PolicyStoreWin32 : public PolicyStore {
public:
    RawPolicyValue Read(PolicyScope scope, const wchar_t* name) override;
};

} // namespace staywick
