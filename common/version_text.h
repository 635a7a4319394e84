#pragma once
// The version line of the About window: the executable's four-part file
// version turned into its display form, and the failure text used when the
// version resource cannot be read.
#include <cstdint>
#include <string>

namespace staywick {

// "1.1.0.0" -> "1.1 (64-bit)", "1.1.2.3" -> "1.12 SR3 (64-bit)". Anything that
// is not four dot-separated whole numbers gives an empty text.
std::wstring FormatVersionText(const std::wstring& version);

// "%d.%d.%d.%d" of the fixed file version's two double words.
std::wstring FileVersionNumbers(std::uint32_t versionMs, std::uint32_t versionLs);

// A system message without its trailing control characters, blanks and full stops.
std::wstring TrimMessageTail(const std::wstring& message);

// "GetFileVersionInfo failed: (%d) %s" with the trimmed system message.
std::wstring VersionFailureText(std::int32_t errorCode, const std::wstring& systemMessage);

} // namespace staywick
