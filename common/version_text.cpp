#include "common/version_text.h"

#include "common/decimal_text.h"
#include "common/integer_text.h"

#include <array>
#include <optional>

namespace staywick {

namespace {

// Splits at every dot; empty pieces count, so "1..0.0" has four parts.
std::optional<std::array<std::int32_t, 4>> FourNumbers(const std::wstring& text) {
    std::array<std::int32_t, 4> numbers{};
    std::size_t count = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t dot = text.find(L'.', start);
        const std::wstring part = text.substr(start, dot - start);
        if (count == numbers.size())
            return std::nullopt; // a fifth part
        // A part that is no number (an empty one included) leaves no version to show.
        const auto value = ParseInteger(part);
        if (!value)
            return std::nullopt;
        numbers[count++] = *value;
        if (dot == std::wstring::npos)
            break;
        start = dot + 1;
    }
    if (count != numbers.size())
        return std::nullopt;
    return numbers;
}

} // namespace

std::wstring FormatVersionText(const std::wstring& version) {
    if (version.empty())
        return {};
    const auto numbers = FourNumbers(version);
    if (!numbers)
        return {};
    const auto [major, minor, release, build] = *numbers;
    std::wstring releaseText = release > 0 ? DecimalText(release) : std::wstring();
    if (build > 0)
        releaseText += L" SR" + DecimalText(build);
    return DecimalText(major) + L"." + DecimalText(minor) + releaseText + L" (64-bit)";
}

std::wstring FileVersionNumbers(std::uint32_t versionMs, std::uint32_t versionLs) {
    return DecimalText(versionMs >> 16) + L"." + DecimalText(versionMs & 0xFFFF) + L"." +
           DecimalText(versionLs >> 16) + L"." + DecimalText(versionLs & 0xFFFF);
}

std::wstring TrimMessageTail(const std::wstring& message) {
    std::size_t end = message.size();
    while (end > 0) {
        const wchar_t c = message[end - 1];
        if (c > L' ' && c != L'.')
            break;
        --end;
    }
    return message.substr(0, end);
}

std::wstring VersionFailureText(std::int32_t errorCode, const std::wstring& systemMessage) {
    return L"GetFileVersionInfo failed: (" + DecimalText(errorCode) + L") " +
           TrimMessageTail(systemMessage);
}

} // namespace staywick
