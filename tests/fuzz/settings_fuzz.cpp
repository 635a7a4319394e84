// libFuzzer target for the settings file's text: the integer grammar and the
// portable INI reader and writer, and the file's conversion to UTF-16LE.
// Besides crashes and undefined behaviour it checks what must hold for any
// text: a written value reads back, and no other value of the file changes.
#include "settings/ini_file.h"
#include "settings/ini_text.h"
#include "settings/value_rules.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace staywick;

void Require(bool condition) {
    if (!condition)
        std::abort();
}

void CheckInteger(std::string_view bytes) {
    std::wstring text;
    for (char c : bytes)
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    const auto parsed = ParseInteger(text);
    if (parsed) {
        // Whatever parses is written as plain decimal that parses to the same value.
        Require(ParseInteger(IntegerText(*parsed)) == parsed);
        Require(ReadInteger(text, 12345) == *parsed);
    } else {
        Require(ReadInteger(text, 12345) == 12345);
    }
}

std::wstring Upper(std::wstring_view name) {
    std::wstring upper(name);
    for (wchar_t& c : upper) {
        if (c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - L'a' + L'A');
    }
    return upper;
}

constexpr const wchar_t* kSections[] = {L"General", L"GENERAL", L"Other", L"x"};
constexpr const wchar_t* kKeys[] = {L"Active", L"active", L"DontLetSleepMoreThen", L"InputKey",
                                    L"Tail"};

void CheckIni(std::string_view text, unsigned choice) {
    const std::wstring section = kSections[choice % 4];
    const std::wstring key = kKeys[(choice / 4) % 5];
    const std::wstring value = std::to_wstring(choice);

    const auto written = SetIniValue(text, section, key, value);
    Require(written.has_value());
    Require(FindIniValue(*written, section, key) == value);

    // Every other line is kept byte for byte: past the common start and end
    // of the two texts, at most the key's own line went, and at most a line
    // end, a section line and the key's line came in.
    const std::size_t shorter = std::min(text.size(), written->size());
    std::size_t head = 0;
    while (head < shorter && text[head] == (*written)[head])
        ++head;
    std::size_t tail = 0;
    while (tail < shorter - head &&
           text[text.size() - 1 - tail] == (*written)[written->size() - 1 - tail]) {
        ++tail;
    }
    const std::string_view removed = text.substr(head, text.size() - head - tail);
    const std::string_view added =
        std::string_view(*written).substr(head, written->size() - head - tail);
    Require(std::count(removed.begin(), removed.end(), '\n') <= 1);
    Require(std::count(added.begin(), added.end(), '\n') <= 3);

    // Another key reads as before.
    const wchar_t* other = Upper(key) == L"TAIL" ? L"Active" : L"Tail";
    Require(FindIniValue(text, L"Other", other) == FindIniValue(*written, L"Other", other));
    // A second write replaces the first in place: the text grows no further.
    const auto again = SetIniValue(*written, section, key, L"0");
    Require(again.has_value() && FindIniValue(*again, section, key) == std::wstring(L"0"));
    Require(again->size() + value.size() == written->size() + 1);

    // A value beyond ASCII converts the file to UTF-16LE: it reads back, and
    // so does every other value as it read before.
    const std::wstring greek = L"\u03A9" + value;
    const auto converted = SetIniFileValues(text, section, {{key, greek}});
    Require(converted.has_value() && converted->starts_with("\xFF\xFE"));
    Require(ReadIniFileValue(*converted, section, key) == greek);
    Require(ReadIniFileValue(*converted, L"Other", other) ==
            ReadIniFileValue(text, L"Other", other));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckInteger(bytes);
    if (size > 0)
        CheckIni(bytes.substr(1), static_cast<unsigned char>(bytes[0]));
    return 0;
}
