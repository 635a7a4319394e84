#pragma once
// The policy values the program reads, with their ranges. This table is the
// one list of registry value names under kPolicyKeyPath: the templates test
// (tests/policy) compares it with Staywick.admx, so keep one entry per line.
#include <array>
#include <cstddef>
#include <cstdint>

namespace staywick {

enum class PolicyId : std::size_t {
    Disabled,
    AllowSimulatedInput,
    MaxMinutes,
    SleepMax,
    InputKey,
    NotifySystem,
    HideDonate,
    AllowAutomatic,
    AllowKeepDisplayOn,
    AllowLidOverride,
    AllowEndAction,
};

struct PolicyValueInfo {
    PolicyId id;
    const wchar_t* name;
    std::uint32_t min, max; // a DWORD outside counts as not configured
};

inline constexpr std::array<PolicyValueInfo, 11> kPolicyValues{{
    {PolicyId::Disabled, L"Disabled", 0, 1},
    {PolicyId::AllowSimulatedInput, L"AllowSimulatedInput", 0, 1},
    {PolicyId::MaxMinutes, L"MaxMinutes", 1, 1440},
    {PolicyId::SleepMax, L"SleepMax", 1, 9999},
    {PolicyId::InputKey, L"InputKey", 0, 2},
    {PolicyId::NotifySystem, L"NotifySystem", 0, 1},
    {PolicyId::HideDonate, L"HideDonate", 0, 1},
    {PolicyId::AllowAutomatic, L"AllowAutomatic", 0, 1},
    {PolicyId::AllowKeepDisplayOn, L"AllowKeepDisplayOn", 0, 1},
    {PolicyId::AllowLidOverride, L"AllowLidOverride", 0, 1},
    {PolicyId::AllowEndAction, L"AllowEndAction", 0, 1},
}};

inline constexpr std::size_t kPolicyCount = kPolicyValues.size();

constexpr const PolicyValueInfo& PolicyValueOf(PolicyId id) {
    return kPolicyValues[static_cast<std::size_t>(id)];
}

} // namespace staywick
