// The policies: reading both scopes, the merge (machine over user; absent,
// out of range and wrong type count as not configured), the lines that list
// them, and what they make of the settings and of a session's length.
#include "engine/activate_for_items.h"
#include "engine/policy.h"
#include "engine/policy_rules.h"
#include "fakes/fake_policy_store.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace staywick {
namespace {

using fakes::FakePolicyStore;
constexpr auto kMachine = PolicyScope::Machine;
constexpr auto kUser = PolicyScope::User;
constexpr RawPolicyValue kAbsent{};
constexpr RawPolicyValue kString{.kind = RawPolicyValue::Kind::OtherType};
constexpr RawPolicyValue Dword(std::uint32_t v) {
    return RawPolicyValue{.kind = RawPolicyValue::Kind::Dword, .dword = v};
}

TEST(Policy, NothingSetMeansEveryValueNotConfiguredAndNoLines) {
    FakePolicyStore store;
    const StaywickPolicy policy = StaywickPolicy::Read(store);
    EXPECT_EQ(store.reads, 22); // eleven names, both scopes
    for (const PolicyValueInfo& info : kPolicyValues)
        EXPECT_FALSE(policy.Sets(info.id));
    EXPECT_FALSE(policy.Disabled());
    EXPECT_TRUE(policy.AllowSimulatedInput());
    EXPECT_TRUE(policy.AllowAutomatic());
    EXPECT_FALSE(policy.HideDonate());
    EXPECT_EQ(policy.MaxMinutes(), std::nullopt);
    EXPECT_TRUE(PolicyLines(policy).empty());
    EXPECT_EQ(policy, StaywickPolicy{});
}

struct MergeCase {
    const char* name;
    PolicyId id;
    RawPolicyValue machine, user;
    std::optional<std::uint32_t> inForce;
    std::vector<std::wstring> lines;
};

class Merge : public testing::TestWithParam<MergeCase> {};

TEST_P(Merge, MachineWinsAndOnlyValidDwordsCount) {
    const MergeCase& c = GetParam();
    PolicyReading machine{}, user{};
    machine[static_cast<std::size_t>(c.id)] = c.machine;
    user[static_cast<std::size_t>(c.id)] = c.user;
    const StaywickPolicy policy = StaywickPolicy::Merge(machine, user);
    EXPECT_EQ(policy.Value(c.id), c.inForce);
    EXPECT_EQ(PolicyLines(policy), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Policy, Merge,
    testing::Values(
        MergeCase{"MachineOnly",
                  PolicyId::MaxMinutes,
                  Dword(60),
                  kAbsent,
                  60u,
                  {L"Policy MaxMinutes = 60 (machine)"}},
        MergeCase{"UserOnly",
                  PolicyId::MaxMinutes,
                  kAbsent,
                  Dword(30),
                  30u,
                  {L"Policy MaxMinutes = 30 (user)"}},
        MergeCase{"MachineOverUser",
                  PolicyId::SleepMax,
                  Dword(5),
                  Dword(9),
                  5u,
                  {L"Policy SleepMax = 5 (machine)"}},
        MergeCase{"MachineOutOfRangeLeavesTheUsers",
                  PolicyId::SleepMax,
                  Dword(0),
                  Dword(9),
                  9u,
                  {L"Policy SleepMax = 0 (machine) is out of range 1..9999: not configured",
                   L"Policy SleepMax = 9 (user)"}},
        // The machine's value in force: the user's bad value is still noted.
        MergeCase{"MachineInForceUserOutOfRange",
                  PolicyId::SleepMax,
                  Dword(5),
                  Dword(0),
                  5u,
                  {L"Policy SleepMax = 5 (machine)",
                   L"Policy SleepMax = 0 (user) is out of range 1..9999: not configured"}},
        MergeCase{"MachineInForceUserNotADword",
                  PolicyId::MaxMinutes,
                  Dword(60),
                  kString,
                  60u,
                  {L"Policy MaxMinutes = 60 (machine)",
                   L"Policy MaxMinutes (user) is not a DWORD: not configured"}},
        MergeCase{"BothOutOfRange",
                  PolicyId::MaxMinutes,
                  Dword(1441),
                  Dword(0),
                  std::nullopt,
                  {L"Policy MaxMinutes = 1441 (machine) is out of range 1..1440: not configured",
                   L"Policy MaxMinutes = 0 (user) is out of range 1..1440: not configured"}},
        MergeCase{"MaxMinutesLowBound",
                  PolicyId::MaxMinutes,
                  Dword(1),
                  kAbsent,
                  1u,
                  {L"Policy MaxMinutes = 1 (machine)"}},
        MergeCase{"MaxMinutesHighBound",
                  PolicyId::MaxMinutes,
                  Dword(1440),
                  kAbsent,
                  1440u,
                  {L"Policy MaxMinutes = 1440 (machine)"}},
        MergeCase{"SleepMaxHighBound",
                  PolicyId::SleepMax,
                  kAbsent,
                  Dword(9999),
                  9999u,
                  {L"Policy SleepMax = 9999 (user)"}},
        MergeCase{"SleepMaxAboveRange",
                  PolicyId::SleepMax,
                  kAbsent,
                  Dword(10000),
                  std::nullopt,
                  {L"Policy SleepMax = 10000 (user) is out of range 1..9999: not configured"}},
        MergeCase{"InputKeyShift",
                  PolicyId::InputKey,
                  Dword(2),
                  kAbsent,
                  2u,
                  {L"Policy InputKey = 2 (machine)"}},
        MergeCase{"InputKeyThree",
                  PolicyId::InputKey,
                  Dword(3),
                  kAbsent,
                  std::nullopt,
                  {L"Policy InputKey = 3 (machine) is out of range 0..2: not configured"}},
        MergeCase{"DisabledTwo",
                  PolicyId::Disabled,
                  Dword(2),
                  kAbsent,
                  std::nullopt,
                  {L"Policy Disabled = 2 (machine) is out of range 0..1: not configured"}},
        MergeCase{"DisabledZeroIsInForce",
                  PolicyId::Disabled,
                  kAbsent,
                  Dword(0),
                  0u,
                  {L"Policy Disabled = 0 (user)"}},
        MergeCase{"NegativeAsDword",
                  PolicyId::NotifySystem,
                  Dword(0xFFFFFFFFu),
                  kAbsent,
                  std::nullopt,
                  {L"Policy NotifySystem = 4294967295 (machine) is out of range 0..1: not "
                   L"configured"}},
        MergeCase{"StringIsNotConfigured",
                  PolicyId::HideDonate,
                  kString,
                  Dword(1),
                  1u,
                  {L"Policy HideDonate (machine) is not a DWORD: not configured",
                   L"Policy HideDonate = 1 (user)"}},
        MergeCase{"AllowAutomaticOff",
                  PolicyId::AllowAutomatic,
                  Dword(0),
                  Dword(1),
                  0u,
                  {L"Policy AllowAutomatic = 0 (machine)"}},
        MergeCase{"AllowSimulatedInputOff",
                  PolicyId::AllowSimulatedInput,
                  kAbsent,
                  Dword(0),
                  0u,
                  {L"Policy AllowSimulatedInput = 0 (user)"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Policy, ReadsBothScopesUnderTheirNamesAndListsInTableOrder) {
    FakePolicyStore store;
    store.SetDword(kUser, L"HideDonate", 1);
    store.SetDword(kMachine, L"Disabled", 1);
    store.SetDword(kUser, L"MaxMinutes", 90);
    store.SetString(kMachine, L"InputKey");
    const StaywickPolicy policy = StaywickPolicy::Read(store);
    EXPECT_TRUE(policy.Disabled());
    EXPECT_TRUE(policy.HideDonate());
    EXPECT_EQ(policy.MaxMinutes(), 90);
    EXPECT_FALSE(policy.Sets(PolicyId::InputKey));
    EXPECT_EQ(PolicyLines(policy),
              (std::vector<std::wstring>{
                  L"Policy Disabled = 1 (machine)", L"Policy MaxMinutes = 90 (user)",
                  L"Policy InputKey (machine) is not a DWORD: not configured",
                  L"Policy HideDonate = 1 (user)"}));
}

TEST(Policy, ValueNamesAreUniqueAndInIdOrder) {
    for (std::size_t i = 0; i < kPolicyCount; ++i) {
        EXPECT_EQ(static_cast<std::size_t>(kPolicyValues[i].id), i);
        for (std::size_t j = i + 1; j < kPolicyCount; ++j)
            EXPECT_NE(std::wstring(kPolicyValues[i].name), kPolicyValues[j].name);
    }
}

TEST(PolicyRules, EffectiveOptionsOverrideOnlyWhatIsSet) {
    TStaywickOptions user;
    user.SleepMax = 7;
    user.InputKey = 1;
    user.NotifySystem = false;
    struct Row {
        const char* name;
        StaywickPolicy policy;
        std::int32_t sleepMax, inputKey;
        bool notify;
    };
    const Row rows[] = {
        {"none", {}, 7, 1, false},
        {"sleepMax", fakes::MachinePolicy({{PolicyId::SleepMax, 20}}), 20, 1, false},
        {"inputKey", fakes::MachinePolicy({{PolicyId::InputKey, 0}}), 7, 0, false},
        {"notifyOn", fakes::MachinePolicy({{PolicyId::NotifySystem, 1}}), 7, 1, true},
        {"noSimulatedInputForcesNotify", fakes::MachinePolicy({{PolicyId::AllowSimulatedInput, 0}}),
         7, 1, true},
        {"noSimulatedInputWinsOverNotifyOff",
         fakes::MachinePolicy({{PolicyId::AllowSimulatedInput, 0}, {PolicyId::NotifySystem, 0}}), 7,
         1, true},
        {"simulatedInputAllowedKeepsNotifyOff",
         fakes::MachinePolicy({{PolicyId::AllowSimulatedInput, 1}, {PolicyId::NotifySystem, 0}}), 7,
         1, false},
    };
    for (const Row& row : rows) {
        const TStaywickOptions e = EffectiveOptions(user, row.policy);
        EXPECT_EQ(e.SleepMax, row.sleepMax) << row.name;
        EXPECT_EQ(e.InputKey, row.inputKey) << row.name;
        EXPECT_EQ(e.NotifySystem, row.notify) << row.name;
        EXPECT_EQ(e.Active, user.Active) << row.name;
        EXPECT_EQ(e.ActivateFor, user.ActivateFor) << row.name;
    }
}

TEST(PolicyRules, EverySessionEndsAfterAtMostTheCap) {
    struct Row {
        std::int32_t session;
        std::optional<std::int32_t> cap;
        std::int32_t countDown;
    };
    for (const Row row :
         {Row{0, std::nullopt, 0}, Row{30, std::nullopt, 30}, Row{-5, std::nullopt, -5},
          Row{0, 60, 60}, Row{-5, 60, 60}, Row{30, 60, 30}, Row{60, 60, 60}, Row{120, 60, 60},
          Row{720, 1, 1}, Row{5, 1440, 5}}) {
        EXPECT_EQ(CappedSessionMinutes(row.session, row.cap), row.countDown)
            << row.session << " capped " << row.cap.value_or(-1);
    }
}

TEST(PolicyRules, ActivateForItemsLongerThanTheCapAreNotAllowed) {
    EXPECT_TRUE(ActivateForAllowed(720, std::nullopt));
    EXPECT_TRUE(ActivateForAllowed(0, 1)); // "&Indefinitely" stays: it is capped
    EXPECT_TRUE(ActivateForAllowed(60, 60));
    EXPECT_FALSE(ActivateForAllowed(120, 60));
    EXPECT_FALSE(ActivateForAllowed(5, 1));
}

} // namespace
} // namespace staywick
