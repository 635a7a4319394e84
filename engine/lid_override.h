#pragma once
// Staying awake with the lid closed (settings key "LidClosedAwake"): while
// keep-awake is on and the choice applies, the active power scheme's
// lid-close action is "do nothing", and the values found there are put back
// when keep-awake ends, the power source changes so that the choice no longer
// applies, the program exits or the session ends. The values found are
// written to the settings file before anything is changed, so that a start
// after a crash or a power cut puts them back.
#include "platform/lid_close_action.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace staywick {

// LidClosedAwake's values.
inline constexpr std::int32_t kLidAwakeNever = 0;
inline constexpr std::int32_t kLidAwakeOnMains = 1;
inline constexpr std::int32_t kLidAwakeAlways = 2;

// The power lines whose lid-close action is held at "do nothing".
struct LidOverrideTarget {
    bool ac = false;
    bool dc = false;

    bool Any() const noexcept { return ac || dc; }
    friend bool operator==(const LidOverrideTarget&, const LidOverrideTarget&) = default;
};

// The rule: nothing unless keep-awake is on; "on mains power" holds the AC
// action while the AC line is on; "always" holds both, on either source.
LidOverrideTarget LidOverrideFor(std::int32_t lidClosedAwake, bool keepAwakeOn,
                                 bool onBattery) noexcept;

// "Always" is the user's own wish to stay awake with the lid closed on
// battery too, where "Pause when the lid is closed on battery" (on by
// default) would say the opposite: the explicit choice wins, and the pause
// gives way while it is made.
bool LidPauseOverruled(std::int32_t lidClosedAwake) noexcept;

// The values found before the change: the scheme changed, and the AC and DC
// actions of the lines that were changed.
struct LidOriginals {
    std::wstring scheme;
    std::optional<std::uint32_t> ac{};
    std::optional<std::uint32_t> dc{};

    friend bool operator==(const LidOriginals&, const LidOriginals&) = default;
};

// Where the values found are kept until they are put back: the settings file
// (settings/lid_originals_file.h).
class LidOriginalsStore {
public:
    virtual ~LidOriginalsStore() = default;
    virtual std::optional<LidOriginals> Load() = 0;
    // Both throw AppError when the file refuses the write.
    virtual void Save(const LidOriginals& originals) = 0;
    virtual void Clear() = 0;
};

enum class LidProblem {
    PowerSettingsRefused, // read or write refused: managed power settings, or no such function
    SettingsFileRefused,  // the values found could not be kept, so nothing was changed
};

class LidOverride {
public:
    LidOverride(LidCloseAction& action, LidOriginalsStore& store) noexcept
        : action_(action), store_(store) {}
    LidOverride(const LidOverride&) = delete;
    LidOverride& operator=(const LidOverride&) = delete;

    // At start: values that a run which could not put them back left in the
    // file go back into their scheme, and the file forgets them. When that
    // fails they stay in the file, for the next start, and nothing is held
    // at "do nothing" meanwhile (the scheme's values now are not the user's).
    void RestoreSaved();
    // Holds `target`'s lines at "do nothing", putting back first what is
    // held and no longer wanted. A refusal changes nothing, is said once
    // (OnProblem) and is not tried again until the choice changes.
    void Apply(LidOverrideTarget target);
    // Everything put back: keep-awake ends, the program exits, the session ends.
    void Restore() { Apply({}); }
    // The user chose again: a refusal may be tried, and said, once more.
    void ChoiceChanged() noexcept;

    LidOverrideTarget Held() const noexcept;

    std::function<void(LidProblem)> OnProblem;

private:
    // Writes `originals` back; true when every line took its value.
    bool PutBack(const LidOriginals& originals);
    // PutBack, and the file forgets the values once they are back.
    void ForgetWhenBack(const LidOriginals& originals);
    void Hold(LidOverrideTarget target);
    void Refuse(LidProblem problem);
    void ClearStore() noexcept;

    LidCloseAction& action_;
    LidOriginalsStore& store_;
    std::optional<LidOriginals> held_;
    bool refused_ = false;
    bool said_[2] = {false, false};
    // The file still holds values a start could not put back.
    bool savedLeft_ = false;
};

} // namespace staywick
