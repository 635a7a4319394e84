#include "settings/lid_originals_file.h"

#include "settings/settings_file.h"
#include "settings/settings_keys.h"
#include "settings/value_rules.h"

namespace staywick {

namespace {

constexpr wchar_t kLidOriginalScheme[] = L"LidOriginalScheme";
constexpr wchar_t kLidOriginalAC[] = L"LidOriginalAC";
constexpr wchar_t kLidOriginalDC[] = L"LidOriginalDC";

std::optional<std::uint32_t> ReadAction(const std::wstring& text) {
    constexpr std::int32_t kNone = -1;
    const std::int32_t value = ReadInRange(text, static_cast<std::int32_t>(kLidDoNothing),
                                           static_cast<std::int32_t>(kLidLastAction), kNone);
    if (value == kNone)
        return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

std::wstring ActionText(const std::optional<std::uint32_t>& value) {
    return value ? IntegerText(static_cast<std::int32_t>(*value)) : std::wstring{};
}

} // namespace

std::optional<LidOriginals> LidOriginalsFile::Load() {
    const SettingsKeys keys(profile_, iniFile_);
    LidOriginals originals{.scheme = keys.Read(kLidOriginalScheme),
                           .ac = ReadAction(keys.Read(kLidOriginalAC)),
                           .dc = ReadAction(keys.Read(kLidOriginalDC))};
    if (originals.scheme.empty() || (!originals.ac && !originals.dc))
        return std::nullopt;
    return originals;
}

void LidOriginalsFile::Save(const LidOriginals& originals) {
    WriteSettings(profile_, iniFile_,
                  {{kLidOriginalScheme, originals.scheme},
                   {kLidOriginalAC, ActionText(originals.ac)},
                   {kLidOriginalDC, ActionText(originals.dc)}});
}

void LidOriginalsFile::Clear() {
    Save({});
}

} // namespace staywick
