#pragma once
// Policy values held in memory, per scope, as an administrator would set them.
#include "engine/policy.h"
#include "platform/policy_store.h"

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>

namespace staywick::fakes {

class FakePolicyStore : public PolicyStore {
public:
    RawPolicyValue Read(PolicyScope scope, const wchar_t* name) override {
        ++reads;
        const auto found = values.find({scope, name});
        return found == values.end() ? RawPolicyValue{} : found->second;
    }
    void SetDword(PolicyScope scope, const std::wstring& name, std::uint32_t value) {
        values[{scope, name}] = RawPolicyValue{.kind = RawPolicyValue::Kind::Dword, .dword = value};
    }
    void SetString(PolicyScope scope, const std::wstring& name) {
        values[{scope, name}] = RawPolicyValue{.kind = RawPolicyValue::Kind::OtherType};
    }

    std::map<std::pair<PolicyScope, std::wstring>, RawPolicyValue> values;
    int reads = 0;
};

// The policy in force when the machine sets these DWORDs (each in range).
inline StaywickPolicy
MachinePolicy(std::initializer_list<std::pair<PolicyId, std::uint32_t>> values) {
    PolicyReading machine{}, user{};
    for (const auto& [id, v] : values)
        machine[static_cast<std::size_t>(id)] = {.kind = RawPolicyValue::Kind::Dword, .dword = v};
    return StaywickPolicy::Merge(machine, user);
}

} // namespace staywick::fakes
