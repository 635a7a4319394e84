#include "engine/lid_override.h"

#include "common/app_error.h"

#include <initializer_list>

namespace staywick {

LidOverrideTarget LidOverrideFor(std::int32_t lidClosedAwake, bool keepAwakeOn,
                                 bool onBattery) noexcept {
    if (!keepAwakeOn)
        return {};
    if (lidClosedAwake == kLidAwakeAlways)
        return {.ac = true, .dc = true};
    if (lidClosedAwake == kLidAwakeOnMains && !onBattery)
        return {.ac = true};
    return {};
}

bool LidPauseOverruled(std::int32_t lidClosedAwake) noexcept {
    return lidClosedAwake == kLidAwakeAlways;
}

LidOverrideTarget LidOverride::Held() const noexcept {
    if (!held_)
        return {};
    return {.ac = held_->ac.has_value(), .dc = held_->dc.has_value()};
}

void LidOverride::RestoreSaved() {
    const std::optional<LidOriginals> saved = store_.Load();
    if (saved)
        ForgetWhenBack(*saved);
}

void LidOverride::Apply(LidOverrideTarget target) {
    if (target == Held())
        return;
    if (held_) {
        // The file keeps the values until they are really back.
        ForgetWhenBack(*held_);
        held_.reset();
    }
    if (target.Any() && !refused_)
        Hold(target);
}

void LidOverride::ChoiceChanged() noexcept {
    refused_ = false;
    said_[0] = said_[1] = false;
}

bool LidOverride::PutBack(const LidOriginals& originals) {
    bool back = true;
    if (originals.ac)
        back = action_.Write(originals.scheme, PowerLine::Ac, *originals.ac) && back;
    if (originals.dc)
        back = action_.Write(originals.scheme, PowerLine::Dc, *originals.dc) && back;
    // Written into a scheme the user has left meanwhile, the values wait
    // there; only the active scheme is applied again.
    if (action_.ActiveScheme() == originals.scheme)
        action_.Activate(originals.scheme);
    return back;
}

void LidOverride::ForgetWhenBack(const LidOriginals& originals) {
    if (PutBack(originals))
        ClearStore();
    else
        savedLeft_ = true;
}

void LidOverride::Hold(LidOverrideTarget target) {
    if (savedLeft_)
        return Refuse(LidProblem::PowerSettingsRefused);
    const std::optional<std::wstring> scheme = action_.ActiveScheme();
    if (!scheme)
        return Refuse(LidProblem::PowerSettingsRefused);
    LidOriginals found{.scheme = *scheme};
    if (target.ac && !(found.ac = action_.Read(*scheme, PowerLine::Ac)))
        return Refuse(LidProblem::PowerSettingsRefused);
    if (target.dc && !(found.dc = action_.Read(*scheme, PowerLine::Dc)))
        return Refuse(LidProblem::PowerSettingsRefused);
    // Kept before anything changes: a crash from here on loses nothing.
    try {
        store_.Save(found);
    } catch (const AppError&) {
        return Refuse(LidProblem::SettingsFileRefused);
    }
    LidOriginals written{.scheme = *scheme};
    bool refused = false;
    for (const PowerLine line : {PowerLine::Ac, PowerLine::Dc}) {
        const std::optional<std::uint32_t>& value = line == PowerLine::Ac ? found.ac : found.dc;
        if (!value || refused)
            continue;
        if (action_.Write(*scheme, line, kLidDoNothing))
            (line == PowerLine::Ac ? written.ac : written.dc) = value;
        else
            refused = true;
    }
    if (refused) {
        // Half a change is no change: what was written goes back.
        ForgetWhenBack(written);
        return Refuse(LidProblem::PowerSettingsRefused);
    }
    action_.Activate(*scheme);
    held_ = found;
}

void LidOverride::Refuse(LidProblem problem) {
    refused_ = true;
    bool& said = said_[static_cast<int>(problem)];
    if (said)
        return;
    said = true;
    if (OnProblem)
        OnProblem(problem);
}

// The values are back; a file that refuses to forget them only makes the
// next start write the same values once more.
void LidOverride::ClearStore() noexcept {
    try {
        store_.Clear();
    } catch (const AppError&) {
    }
}

} // namespace staywick
