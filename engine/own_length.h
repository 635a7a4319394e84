#pragma once
// A countdown of the user's own length ("For...", "/for 45"): one that no
// "Activate for" item has. The designed key "ActivateFor" keeps its rule (a
// value no item has becomes 0 at the next start), so such a length is kept
// under a key of its own, which an older version leaves alone, and comes
// back at the next start as that same length instead of "indefinitely".
#include "engine/staywick_options.h"

#include <cstdint>
#include <optional>

namespace staywick {

inline constexpr std::int32_t kOwnLengthMax = 24 * 60;

// 1..1440 minutes and no item's.
bool IsOwnLength(std::int64_t minutes) noexcept;

// What the file's "ActivateFor" holds for the record: an own length is
// written as 0 there (indefinitely for an older version, which would reset
// any value no item has to 0 all the same).
std::int32_t StoredActivateFor(const TStaywickOptions& options) noexcept;

// The own length read from its key: only a valid own length counts.
std::optional<std::int32_t> OwnLengthFromFile(std::optional<std::int32_t> value) noexcept;

// After loading: an own length takes the place of "ActivateFor" 0. When the
// designed key holds anything else (an older version chose an item since),
// the designed key wins and the own length is dropped.
void RestoreOwnLength(TStaywickOptions& options) noexcept;

// The record for a countdown of `minutes` chosen now: ActivateFor, and the
// own length when no item has it.
void SetCountDownLength(TStaywickOptions& options, std::int32_t minutes) noexcept;

} // namespace staywick
