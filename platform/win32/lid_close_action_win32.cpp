#include "platform/win32/lid_close_action_win32.h"

#include "platform/win32/on_demand.h"

#include <windows.h>

#include <cwchar>

namespace staywick {

namespace {

// Defined here, so that no GUID library is needed.
// GUID_SYSTEM_BUTTON_SUBGROUP: 4F971E89-EEBD-4455-A8DE-9E59040E7347.
constexpr GUID kSystemButtonSubgroup = {
    0x4F971E89, 0xEEBD, 0x4455, {0xA8, 0xDE, 0x9E, 0x59, 0x04, 0x0E, 0x73, 0x47}};
// GUID_LIDCLOSE_ACTION: 5CA83367-6E45-459F-A27B-476B1D01C936.
constexpr GUID kLidCloseAction = {
    0x5CA83367, 0x6E45, 0x459F, {0xA2, 0x7B, 0x47, 0x6B, 0x1D, 0x01, 0xC9, 0x36}};

using GetActiveFn = DWORD(WINAPI*)(HKEY, GUID**);
using SetActiveFn = DWORD(WINAPI*)(HKEY, const GUID*);
using ReadIndexFn = DWORD(WINAPI*)(HKEY, const GUID*, const GUID*, const GUID*, LPDWORD);
using WriteIndexFn = DWORD(WINAPI*)(HKEY, const GUID*, const GUID*, const GUID*, DWORD);

template <typename Fn> Fn Powrprof(const char* name) {
    return win32::OnDemandFunction<Fn>(L"powrprof.dll", name);
}

// "{4F971E89-EEBD-4455-A8DE-9E59040E7347}", as StringFromGUID2 writes it
// (ole32 stays out of start-up).
std::wstring GuidText(const GUID& guid) {
    wchar_t text[40] = {};
    std::swprintf(text, 40, L"{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0],
                  guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
                  guid.Data4[6], guid.Data4[7]);
    return text;
}

// The hex digits text[at..at+count) as a number; false when one is no digit.
bool HexAt(const std::wstring& text, std::size_t at, std::size_t count, unsigned long& value) {
    value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        const wchar_t c = text[i];
        const int digit = c >= L'0' && c <= L'9'   ? c - L'0'
                          : c >= L'A' && c <= L'F' ? c - L'A' + 10
                          : c >= L'a' && c <= L'f' ? c - L'a' + 10
                                                   : -1;
        if (digit < 0)
            return false;
        value = value * 16 + static_cast<unsigned long>(digit);
    }
    return true;
}

// GuidText's form back into a GUID; false for any other text.
bool ParseGuid(const std::wstring& text, GUID& guid) {
    if (text.size() != 38 || text[0] != L'{' || text[37] != L'}' || text[9] != L'-' ||
        text[14] != L'-' || text[19] != L'-' || text[24] != L'-')
        return false;
    unsigned long v = 0;
    if (!HexAt(text, 1, 8, v))
        return false;
    guid.Data1 = v;
    if (!HexAt(text, 10, 4, v))
        return false;
    guid.Data2 = static_cast<unsigned short>(v);
    if (!HexAt(text, 15, 4, v))
        return false;
    guid.Data3 = static_cast<unsigned short>(v);
    const std::size_t bytes[8] = {20, 22, 25, 27, 29, 31, 33, 35};
    for (std::size_t i = 0; i < 8; ++i) {
        if (!HexAt(text, bytes[i], 2, v))
            return false;
        guid.Data4[i] = static_cast<unsigned char>(v);
    }
    return true;
}

} // namespace

std::optional<std::wstring> LidCloseActionWin32::ActiveScheme() {
    static const GetActiveFn getActive = Powrprof<GetActiveFn>("PowerGetActiveScheme");
    GUID* active = nullptr;
    if (!getActive || getActive(nullptr, &active) != ERROR_SUCCESS || !active)
        return std::nullopt;
    const std::wstring text = GuidText(*active);
    ::LocalFree(active);
    return text;
}

std::optional<std::uint32_t> LidCloseActionWin32::Read(const std::wstring& scheme, PowerLine line) {
    static const ReadIndexFn readAc = Powrprof<ReadIndexFn>("PowerReadACValueIndex");
    static const ReadIndexFn readDc = Powrprof<ReadIndexFn>("PowerReadDCValueIndex");
    const ReadIndexFn read = line == PowerLine::Ac ? readAc : readDc;
    GUID guid{};
    DWORD value = 0;
    if (!read || !ParseGuid(scheme, guid) ||
        read(nullptr, &guid, &kSystemButtonSubgroup, &kLidCloseAction, &value) != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

// A managed scheme answers ERROR_ACCESS_DENIED; every failure counts alike.
bool LidCloseActionWin32::Write(const std::wstring& scheme, PowerLine line, std::uint32_t value) {
    static const WriteIndexFn writeAc = Powrprof<WriteIndexFn>("PowerWriteACValueIndex");
    static const WriteIndexFn writeDc = Powrprof<WriteIndexFn>("PowerWriteDCValueIndex");
    const WriteIndexFn write = line == PowerLine::Ac ? writeAc : writeDc;
    GUID guid{};
    return write && ParseGuid(scheme, guid) &&
           write(nullptr, &guid, &kSystemButtonSubgroup, &kLidCloseAction, value) == ERROR_SUCCESS;
}

bool LidCloseActionWin32::Activate(const std::wstring& scheme) {
    static const SetActiveFn setActive = Powrprof<SetActiveFn>("PowerSetActiveScheme");
    GUID guid{};
    return setActive && ParseGuid(scheme, guid) && setActive(nullptr, &guid) == ERROR_SUCCESS;
}

} // namespace staywick
