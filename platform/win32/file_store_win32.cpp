#include "platform/win32/file_store_win32.h"

#include "common/win32/handles.h"

#include <windows.h>

#include <algorithm>

namespace staywick::win32 {

namespace {

constexpr int kMoveAttempts = 8;

// 5, 10, 20, ... 160 ms: about half a second in all.
void PauseBeforeRetry(int failedAttempt) {
    ::Sleep(5u << (failedAttempt < 6 ? failedAttempt - 1 : 5));
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

// A file another process holds open, or one it is scanning: worth another try.
bool Busy(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_ACCESS_DENIED;
}

} // namespace

Win32FileStore::Win32FileStore() : wait_(PauseBeforeRetry) {}

StoredFile Win32FileStore::Load(const std::wstring& path) {
    StoredFile file;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        // What cannot be asked about counts as there, so it is not overwritten.
        file.exists = error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
        return file;
    }
    file.exists = true;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return file;
    // Every sharing mode: reading never stands in another program's way.
    FileHandle handle(::CreateFileW(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!handle || !::GetFileSizeEx(handle.Get(), &size) || size.QuadPart > 0x7FFFFFFF)
        return file;
    file.bytes.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < file.bytes.size()) {
        DWORD read = 0;
        if (!::ReadFile(handle.Get(), file.bytes.data() + done,
                        static_cast<DWORD>(file.bytes.size() - done), &read, nullptr))
            return file;
        if (read == 0)
            break; // the file got shorter meanwhile
        done += read;
    }
    file.bytes.resize(done);
    file.readable = true;
    return file;
}

bool Win32FileStore::Replace(const std::wstring& path, const std::string& bytes) {
    // Windows refuses to replace a read-only file, but Wine running as root
    // does not: ask first, so the file keeps its bytes on both.
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return false;

    const std::wstring temp = path + L".tmp";
    {
        FileHandle file(::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return false;
        // On the disk before it takes the file's place: a power cut then
        // leaves the old file or the whole new one.
        if (!WriteAll(file.Get(), bytes) || !::FlushFileBuffers(file.Get())) {
            file.Reset();
            ::DeleteFileW(temp.c_str());
            return false;
        }
    }
    // Windows and Wine refuse the move while another program has the file
    // open without FILE_SHARE_DELETE (the C runtime opens files so). Such a
    // hold is short, so the move is tried again. An immutable
    // file (chattr +i under Wine) is refused as "access denied" too, and so
    // only after the last attempt.
    for (int attempt = 1;; ++attempt) {
        if (::MoveFileExW(temp.c_str(), path.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        if (attempt == kMoveAttempts || !Busy(::GetLastError()))
            break;
        wait_(attempt);
    }
    ::DeleteFileW(temp.c_str());
    return false;
}

} // namespace staywick::win32
