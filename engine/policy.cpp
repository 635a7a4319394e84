#include "engine/policy.h"

#include "common/decimal_text.h"

namespace staywick {

namespace {

bool InRange(const RawPolicyValue& raw, const PolicyValueInfo& info) {
    return raw.kind == RawPolicyValue::Kind::Dword && raw.dword >= info.min &&
           raw.dword <= info.max;
}

const wchar_t* ScopeName(PolicyScope scope) {
    return scope == PolicyScope::Machine ? L"machine" : L"user";
}

} // namespace

PolicyReading ReadPolicyScope(PolicyStore& store, PolicyScope scope) {
    PolicyReading reading;
    for (std::size_t i = 0; i < kPolicyCount; ++i)
        reading[i] = store.Read(scope, kPolicyValues[i].name);
    return reading;
}

StaywickPolicy StaywickPolicy::Merge(const PolicyReading& machine, const PolicyReading& user) {
    StaywickPolicy policy;
    for (std::size_t i = 0; i < kPolicyCount; ++i) {
        const PolicyValueInfo& info = kPolicyValues[i];
        for (const auto& [scope, raw] :
             {std::pair{PolicyScope::Machine, machine[i]}, std::pair{PolicyScope::User, user[i]}}) {
            if (raw.kind == RawPolicyValue::Kind::Absent)
                continue;
            const bool valid = InRange(raw, info);
            if (valid && policy.values_[i])
                continue; // the machine's value is already in force
            if (valid)
                policy.values_[i] = raw.dword;
            policy.notes_.push_back(
                PolicyNote{.id = info.id, .scope = scope, .raw = raw, .inForce = valid});
        }
    }
    return policy;
}

StaywickPolicy StaywickPolicy::Read(PolicyStore& store) {
    return Merge(ReadPolicyScope(store, PolicyScope::Machine),
                 ReadPolicyScope(store, PolicyScope::User));
}

std::optional<std::int32_t> StaywickPolicy::MaxMinutes() const {
    if (const auto minutes = Value(PolicyId::MaxMinutes))
        return static_cast<std::int32_t>(*minutes); // at most 1440
    return std::nullopt;
}

std::vector<std::wstring> PolicyLines(const StaywickPolicy& policy) {
    std::vector<std::wstring> lines;
    for (const PolicyNote& note : policy.Notes()) {
        const PolicyValueInfo& info = PolicyValueOf(note.id);
        std::wstring line = L"Policy " + std::wstring(info.name);
        const std::wstring scope = L" (" + std::wstring(ScopeName(note.scope)) + L")";
        if (note.raw.kind != RawPolicyValue::Kind::Dword) {
            line += scope + L" is not a DWORD: not configured";
        } else {
            line += L" = " + DecimalText(note.raw.dword) + scope;
            if (!note.inForce) {
                line += L" is out of range " + DecimalText(info.min) + L".." +
                        DecimalText(info.max) + L": not configured";
            }
        }
        lines.push_back(line);
    }
    return lines;
}

std::wstring PolicyDisabledLine() {
    return L"Staywick is turned off by policy (Disabled = 1) and ends now";
}

std::wstring PolicyNoPressLine() {
    return L"No key pressed: simulated input is not allowed by policy";
}

std::wstring DisplayMaySleepNoPressLine() {
    return L"No key pressed: the display may sleep";
}

} // namespace staywick
