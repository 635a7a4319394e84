#include "settings/ini_file.h"

#include "platform/text_rules.h"
#include "settings/ini_text.h"

#include <algorithm>

namespace staywick {

namespace {

constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool IsUtf16Le(std::string_view file) {
    return file.starts_with(kUtf16LeMark);
}

// UTF-16LE bytes after the mark as text; a last odd byte is no character.
// Where wchar_t holds 32 bits, a surrogate pair becomes one character.
std::wstring FromUtf16Le(std::string_view bytes) {
    const auto unitAt = [&](std::size_t i) {
        return static_cast<char32_t>(static_cast<unsigned char>(bytes[i]) |
                                     static_cast<unsigned char>(bytes[i + 1]) << 8);
    };
    std::wstring text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const char32_t unit = unitAt(i);
        if constexpr (sizeof(wchar_t) == 4) {
            if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < bytes.size()) {
                const char32_t low = unitAt(i + 2);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    text.push_back(
                        static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00)));
                    i += 2;
                    continue;
                }
            }
        }
        text.push_back(static_cast<wchar_t>(unit));
    }
    return text;
}

void AppendUnit(std::string& bytes, char32_t unit) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>((unit >> 8) & 0xFF));
}

std::string ToUtf16Le(std::wstring_view text) {
    std::string bytes(kUtf16LeMark);
    bytes.reserve(2 + text.size() * 2);
    for (wchar_t c : text) {
        const auto code = static_cast<char32_t>(c);
        if (code > 0xFFFF) {
            AppendUnit(bytes, 0xD800 + ((code - 0x10000) >> 10));
            AppendUnit(bytes, 0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            AppendUnit(bytes, code);
        }
    }
    return bytes;
}

// A byte file as the profile API reads it: in the ANSI code page, past a
// UTF-8 mark that Staywick never writes.
std::wstring FromBytes(std::string_view file) {
    if (file.starts_with(kUtf8Mark))
        file.remove_prefix(kUtf8Mark.size());
    return AnsiCodePageText(file);
}

template <class Text>
std::optional<Text> SetAll(Text text, std::wstring_view section,
                           const std::vector<ProfileEntry>& entries) {
    for (const ProfileEntry& entry : entries) {
        auto next = SetIniValue(text, section, entry.key, entry.value);
        if (!next)
            return std::nullopt;
        text = std::move(*next);
    }
    return text;
}

} // namespace

std::optional<std::wstring> ReadIniFileValue(std::string_view file, std::wstring_view section,
                                             std::wstring_view key) {
    if (IsUtf16Le(file))
        return FindIniValue(std::wstring_view(FromUtf16Le(file.substr(2))), section, key);
    return FindIniValue(file, section, key);
}

std::optional<std::string> SetIniFileValues(std::string_view file, std::wstring_view section,
                                            const std::vector<ProfileEntry>& entries) {
    const bool ascii = std::all_of(entries.begin(), entries.end(),
                                   [](const ProfileEntry& e) { return IsPrintableAscii(e.value); });
    if (!IsUtf16Le(file) && ascii)
        return SetAll(std::string(file), section, entries);
    const std::wstring text = IsUtf16Le(file) ? FromUtf16Le(file.substr(2)) : FromBytes(file);
    const auto changed = SetAll(text, section, entries);
    if (!changed)
        return std::nullopt;
    return ToUtf16Le(*changed);
}

} // namespace staywick
