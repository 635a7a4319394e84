#pragma once
// Whole files on Win32: read with every sharing allowed, replaced through a
// temporary file beside the file that is flushed to the disk and then moved
// over it (MoveFileExW with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH).
#include "platform/file_store.h"

#include <functional>

namespace staywick::win32 {

class Win32FileStore : public FileStore {
public:
    // Called before each new attempt at the move, with the number of the
    // attempt that failed (1, 2, ...); by default a short pause that grows.
    using RetryWait = std::function<void(int failedAttempt)>;

    Win32FileStore();
    explicit Win32FileStore(RetryWait wait) : wait_(std::move(wait)) {}

    StoredFile Load(const std::wstring& path) override;
    // The bytes go to "<path>.tmp", which then takes the file's place. A file
    // that another program holds open (a reader, a virus scanner, a sync
    // client) is tried again a few times within about half a second. A
    // read-only file is refused at once.
    bool Replace(const std::wstring& path, const std::string& bytes) override;

private:
    RetryWait wait_;
};

} // namespace staywick::win32
