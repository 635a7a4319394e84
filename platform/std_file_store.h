#pragma once
// Whole files through the C++ standard library, for builds without Win32.
#include "platform/file_store.h"

namespace staywick {

class StdFileStore : public FileStore {
public:
    StoredFile Load(const std::wstring& path) override;
    // The bytes go to "<path>.tmp", which is then renamed over the file.
    bool Replace(const std::wstring& path, const std::string& bytes) override;
};

} // namespace staywick
