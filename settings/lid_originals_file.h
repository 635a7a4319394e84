#pragma once
// The lid-close action's values found before Staywick changed them, kept in
// section "General" of the settings file until they are put back:
// "LidOriginalScheme" (the power scheme's GUID), "LidOriginalAC" and
// "LidOriginalDC" (0 to 3, each only for a line that was changed). All three
// are written in one step (WriteSettings) and emptied once the values are
// back; a file that never held them stays without them.
#include "engine/lid_override.h"
#include "platform/profile.h"

#include <string>

namespace staywick {

class LidOriginalsFile final : public LidOriginalsStore {
public:
    // Both must outlive the object.
    LidOriginalsFile(ProfilePort& profile, const std::wstring& iniFile) noexcept
        : profile_(profile), iniFile_(iniFile) {}

    // Nothing without a scheme, or without a line whose value reads 0 to 3.
    std::optional<LidOriginals> Load() override;
    void Save(const LidOriginals& originals) override;
    void Clear() override;

private:
    ProfilePort& profile_;
    const std::wstring& iniFile_;
};

} // namespace staywick
