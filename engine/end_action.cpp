#include "engine/end_action.h"

#include "common/text_functions.h"

#include <algorithm>
#include <array>
#include <string>

namespace staywick {

namespace {

struct ActionWord {
    EndAction action;
    const wchar_t* word;
};

constexpr std::array<ActionWord, 5> kWords{{
    {EndAction::DisplayOff, L"display"},
    {EndAction::Lock, L"lock"},
    {EndAction::Sleep, L"sleep"},
    {EndAction::Hibernate, L"hibernate"},
    {EndAction::ShutDown, L"shutdown"},
}};

constexpr std::uint64_t kMinuteMs = 60000;

} // namespace

std::optional<EndAction> EndActionFromValue(std::int64_t value) noexcept {
    if (value < 0 || value >= kEndActionCount)
        return std::nullopt;
    return static_cast<EndAction>(value);
}

std::optional<EndAction> EndActionFromWord(std::wstring_view word) {
    const std::wstring lower = LowerAscii(std::wstring(word));
    for (const ActionWord& entry : kWords) {
        if (lower == entry.word)
            return entry.action;
    }
    return std::nullopt;
}

const wchar_t* EndActionWord(EndAction action) noexcept {
    for (const ActionWord& entry : kWords) {
        if (entry.action == action)
            return entry.word;
    }
    return L"";
}

bool EndActionCountsDown(EndAction action) noexcept {
    return action != EndAction::Nothing && action != EndAction::DisplayOff;
}

EndAction ActionAtEnd(const EndActionFacts& facts) noexcept {
    const bool byItself = facts.end == SessionEnd::CountDown || facts.end == SessionEnd::Until ||
                          facts.end == SessionEnd::OneShot;
    if (!byItself || facts.stillKeptAwake || !facts.allowed)
        return EndAction::Nothing;
    const EndAction action = facts.forSession.value_or(facts.chosen);
    if (action == EndAction::Hibernate && !facts.canHibernate)
        return EndAction::Nothing;
    return action;
}

std::int32_t WarnBeforeEndFromValue(std::optional<std::int64_t> value) noexcept {
    if (!value || *value < 0 || *value > kWarnBeforeEndMost)
        return kWarnBeforeEndDefault;
    return static_cast<std::int32_t>(*value);
}

std::optional<std::uint64_t> WarningDelay(std::uint64_t now, std::uint64_t end,
                                          std::int32_t warnMinutes) noexcept {
    if (warnMinutes <= 0 || end <= now)
        return std::nullopt;
    const std::uint64_t lead = static_cast<std::uint64_t>(warnMinutes) * kMinuteMs;
    if (end - now < lead)
        return std::nullopt;
    return end - now - lead;
}

std::uint64_t ExtendedEnd(std::uint64_t end, std::int32_t minutes,
                          std::optional<std::uint64_t> latest) noexcept {
    const std::uint64_t extended =
        end + static_cast<std::uint64_t>(std::max<std::int32_t>(minutes, 0)) * kMinuteMs;
    if (latest && extended > *latest)
        return std::max(end, *latest);
    return extended;
}

} // namespace staywick
