#pragma once
// Whole small files, as the settings file is kept: read at once and replaced
// at once. Win32: platform/win32/file_store_win32.h; the C++ library:
// platform/std_file_store.h.
#include <string>

namespace staywick {

// What a load found at a path.
struct StoredFile {
    bool exists = false;   // something is at the path
    bool readable = false; // and its bytes could be read
    std::string bytes;
};

class FileStore {
public:
    virtual ~FileStore() = default;
    virtual StoredFile Load(const std::wstring& path) = 0;
    // Gives the file these bytes in one step, creating it: a reader finds the
    // old bytes or the new ones, never a mix, even after a crash or a power
    // cut. False when refused; the file is then as it was.
    virtual bool Replace(const std::wstring& path, const std::string& bytes) = 0;
};

} // namespace staywick
