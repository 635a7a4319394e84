#include "engine/own_length.h"

#include "engine/activate_for_items.h"

#include <algorithm>

namespace staywick {

bool IsOwnLength(std::int64_t minutes) noexcept {
    return minutes >= 1 && minutes <= kOwnLengthMax &&
           std::find(kActivateForTags.begin(), kActivateForTags.end(), minutes) ==
               kActivateForTags.end();
}

std::int32_t StoredActivateFor(const TStaywickOptions& options) noexcept {
    return options.ActivateForMinutes ? 0 : options.ActivateFor;
}

std::optional<std::int32_t> OwnLengthFromFile(std::optional<std::int32_t> value) noexcept {
    return value && IsOwnLength(*value) ? value : std::nullopt;
}

void RestoreOwnLength(TStaywickOptions& options) noexcept {
    if (options.ActivateForMinutes && options.ActivateFor == 0)
        options.ActivateFor = *options.ActivateForMinutes;
    else
        options.ActivateForMinutes.reset();
}

void SetCountDownLength(TStaywickOptions& options, std::int32_t minutes) noexcept {
    options.ActivateFor = minutes;
    options.ActivateForMinutes =
        IsOwnLength(minutes) ? std::optional<std::int32_t>(minutes) : std::nullopt;
}

} // namespace staywick
