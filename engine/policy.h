#pragma once
// The policies in force: every value of kPolicyValues read from the machine
// and from the user, merged. A machine value wins over a user value; an
// absent value, a value out of its range and a value that is no DWORD are
// not configured (the last two are noted, so the diagnostics can say so).
#include "engine/policy_values.h"
#include "platform/policy_store.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace staywick {

// One scope's values in the order of kPolicyValues.
using PolicyReading = std::array<RawPolicyValue, kPolicyCount>;

PolicyReading ReadPolicyScope(PolicyStore& store, PolicyScope scope);

// A value worth a line in the diagnostics: one in force, or one ignored
// because it is out of range or no DWORD.
struct PolicyNote {
    PolicyId id;
    PolicyScope scope;
    RawPolicyValue raw;
    bool inForce;

    friend bool operator==(const PolicyNote&, const PolicyNote&) = default;
};

class StaywickPolicy {
public:
    // No policy set: every value not configured.
    StaywickPolicy() = default;
    static StaywickPolicy Merge(const PolicyReading& machine, const PolicyReading& user);
    static StaywickPolicy Read(PolicyStore& store);

    // The value in force, or nothing when not configured.
    std::optional<std::uint32_t> Value(PolicyId id) const {
        return values_[static_cast<std::size_t>(id)];
    }
    bool Sets(PolicyId id) const { return Value(id).has_value(); }

    bool Disabled() const { return Value(PolicyId::Disabled) == 1u; }
    bool AllowSimulatedInput() const { return Value(PolicyId::AllowSimulatedInput) != 0u; }
    std::optional<std::int32_t> MaxMinutes() const;
    bool HideDonate() const { return Value(PolicyId::HideDonate) == 1u; }
    bool AllowAutomatic() const { return Value(PolicyId::AllowAutomatic) != 0u; }
    // 0: the display may always sleep and the screen lock.
    bool AllowKeepDisplayOn() const { return Value(PolicyId::AllowKeepDisplayOn) != 0u; }
    // 0: the lid-close action is never changed (LidClosedAwake counts as 0).
    bool AllowLidOverride() const { return Value(PolicyId::AllowLidOverride) != 0u; }
    // 0: no action at a session's end, no choice of one, "/then" refused.
    bool AllowEndAction() const { return Value(PolicyId::AllowEndAction) != 0u; }

    // Values in force and ignored values, in the order of kPolicyValues,
    // machine before user; a user value that the machine's overrides is left out.
    const std::vector<PolicyNote>& Notes() const { return notes_; }

    friend bool operator==(const StaywickPolicy&, const StaywickPolicy&) = default;

private:
    std::array<std::optional<std::uint32_t>, kPolicyCount> values_{};
    std::vector<PolicyNote> notes_;
};

// The lines of the debug window's start and of the log's header: one per
// note, for example "Policy MaxMinutes = 60 (machine)" or
// "Policy SleepMax = 0 (user) is out of range 1..9999: not configured".
// None when no policy is set.
std::vector<std::wstring> PolicyLines(const StaywickPolicy& policy);

// Said before the program ends because of the Disabled policy.
std::wstring PolicyDisabledLine();

// A tick at the idle limit while the policy forbids simulated input.
std::wstring PolicyNoPressLine();

// A tick at the idle limit while the display may sleep.
std::wstring DisplayMaySleepNoPressLine();

} // namespace staywick
