#include "common/win32/append_line.h"

#include "common/app_error.h"
#include "common/text_functions.h"
#include "common/win32/handles.h"
#include "common/win32/system_message.h"

namespace staywick {

void AppendLineToFile(const std::wstring& fileName, const std::wstring& line) {
    const DWORD attrs = ::GetFileAttributesW(fileName.c_str());
    // A folder at the path is no file: it cannot be created, like any other
    // path where no file can be made.
    const bool exists = attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY) == 0;
    // A file that appears between the test and the creation is appended to,
    // never truncated.
    win32::FileHandle file(::CreateFileW(fileName.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                         exists ? OPEN_EXISTING : OPEN_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = ::GetLastError();
        throw AppError((exists ? L"Cannot open file \"" : L"Cannot create file \"") + fileName +
                       L"\". " + SystemErrorMessage(error));
    }
    // Without the move to the end the line would overwrite the log's start.
    LARGE_INTEGER zero{};
    if (!::SetFilePointerEx(file.Get(), zero, nullptr, FILE_END)) {
        const DWORD error = ::GetLastError();
        throw AppError(L"Cannot open file \"" + fileName + L"\". " + SystemErrorMessage(error));
    }
    const std::string bytes = ToUtf8(line) + "\r\n";
    DWORD written = 0;
    if (!::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) ||
        written != bytes.size()) {
        throw AppError(L"Stream write error");
    }
}

} // namespace staywick
