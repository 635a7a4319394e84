#include "common/win32/system_message.h"
#include "common/win32/temp_file.h"

#include "common/app_error.h"
#include "common/path_functions.h"
#include "common/temp_name.h"
#include "common/version_text.h"

#include <algorithm>
#include <vector>

namespace staywick {

namespace {

// Collisions are rare (names change every 0.864 ms); this many in a row
// means the folder is full of such names or something is wrong with it.
constexpr int kMaxNameAttempts = 200;

std::wstring FullPath(const std::wstring& path) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()),
                                           buffer.data(), nullptr);
        if (n == 0)
            return path;
        if (n < buffer.size())
            return std::wstring(buffer.data(), n);
        buffer.resize(n);
    }
}

[[noreturn]] void ThrowFileError(const wchar_t* what, const std::wstring& path, DWORD code) {
    throw AppError(std::wstring(what) + L" \"" + path + L"\". " + SystemErrorMessage(code));
}

bool NameTaken(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The next candidate; waits a moment when the clock has not moved on yet.
std::wstring NextName(const std::wstring& folder, const std::wstring& extension,
                      const TimeOfDaySource& clock, const std::wstring& previous) {
    const std::wstring separator = UserDecimalSeparator();
    std::wstring path = folder + TempFileNameFor(clock(), separator, extension);
    if (path == previous) {
        ::Sleep(1);
        path = folder + TempFileNameFor(clock(), separator, extension);
    }
    return path;
}

} // namespace

std::wstring GetTempDirectory(TempPathQuery query) {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = query(static_cast<DWORD>(buffer.size()), buffer.data());
        if (n == 0)
            return WithTrailingBackslash(FullPath(L"."));
        if (n >= buffer.size()) {
            buffer.resize(n + 1); // the returned length may or may not count the terminator
            continue;
        }
        return WithTrailingBackslash(FullPath(std::wstring(buffer.data(), n)));
    }
}

std::uint32_t LocalMsOfDay() {
    SYSTEMTIME t{};
    ::GetLocalTime(&t);
    return ((t.wHour * 60u + t.wMinute) * 60u + t.wSecond) * 1000u + t.wMilliseconds;
}

std::wstring UserDecimalSeparator() {
    wchar_t buffer[8] = {};
    const int n = ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, buffer, 8);
    return n > 1 ? std::wstring(buffer, n - 1) : std::wstring(L".");
}

std::wstring MakeTempFileName(const std::wstring& folder, const std::wstring& extension,
                              const TimeOfDaySource& clock) {
    const std::wstring dir = WithTrailingBackslash(folder);
    std::wstring path;
    do {
        path = NextName(dir, extension, clock, path);
    } while (NameTaken(path));
    return path;
}

TempFile TempFile::Create(const std::wstring& folder, const std::wstring& extension,
                          const TimeOfDaySource& clock) {
    const std::wstring dir = WithTrailingBackslash(folder);
    std::wstring path;
    for (int attempt = 0; attempt < kMaxNameAttempts; ++attempt) {
        path = NextName(dir, extension, clock, path);
        // CREATE_NEW fails on any existing name, a link included, so nothing
        // planted there is ever opened.
        win32::FileHandle file(::CreateFileW(
            path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
            FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        if (file)
            return TempFile(path, std::move(file));
        const DWORD code = ::GetLastError();
        const bool collision = code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS ||
                               (code == ERROR_ACCESS_DENIED && NameTaken(path));
        if (!collision)
            ThrowFileError(L"Cannot create file", path, code);
    }
    ThrowFileError(L"Cannot create file", path, ERROR_FILE_EXISTS);
}

void TempFile::Write(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        DWORD written = 0;
        if (!::WriteFile(file_.Get(), bytes.data() + done, chunk, &written, nullptr) ||
            written == 0) {
            ThrowFileError(L"Cannot write file", path_, ::GetLastError());
        }
        done += written;
    }
}

void TempFile::Rewind() {
    ::SetFilePointer(file_.Get(), 0, nullptr, FILE_BEGIN);
}

} // namespace staywick
