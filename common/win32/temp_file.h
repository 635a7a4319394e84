#pragma once
// The temporary folder and the license viewer's temporary file.
#include "common/win32/handles.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

namespace staywick {

// The folder for temporary files, ending in "\"; the current folder when
// the system has none to offer. The query is GetTempPathW's; tests pass
// their own to provoke long paths and failures.
using TempPathQuery = DWORD(WINAPI*)(DWORD, LPWSTR);
std::wstring GetTempDirectory(TempPathQuery query = &::GetTempPathW);

// Milliseconds since local midnight, and the user's decimal separator: the
// inputs of the "TMP" + five characters name.
std::uint32_t LocalMsOfDay();
std::wstring UserDecimalSeparator();

using TimeOfDaySource = std::function<std::uint32_t()>;

// The full path of a name in folder that is free at the moment of asking.
// Only for display and tests: a name that is merely tested can be taken by
// someone else before it is used, so files are made with TempFile instead.
std::wstring MakeTempFileName(const std::wstring& folder, const std::wstring& extension,
                              const TimeOfDaySource& clock = LocalMsOfDay);

// A temporary file created exclusively: an existing file or link of the
// chosen name is never opened, followed or overwritten; a new name is formed
// instead. The system deletes the file when it is closed, on every path.
class TempFile {
public:
    // Throws AppError when the folder does not take a new file.
    static TempFile Create(const std::wstring& folder, const std::wstring& extension,
                           const TimeOfDaySource& clock = LocalMsOfDay);

    const std::wstring& Path() const noexcept { return path_; }
    HANDLE Handle() const noexcept { return file_.Get(); }

    void Write(const std::string& bytes);
    void Rewind();
    // Closes, and so deletes, the file now.
    void Close() noexcept { file_.Reset(); }

private:
    TempFile(std::wstring path, win32::FileHandle file)
        : path_(std::move(path)), file_(std::move(file)) {}
    std::wstring path_;
    win32::FileHandle file_;
};

} // namespace staywick
