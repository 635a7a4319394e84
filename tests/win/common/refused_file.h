#pragma once
// A file that refuses every write while the object lives. As root, Wine
// writes through a read-only bit, so the file is made immutable on the host
// (chattr +i); where that is not possible (no root, a file system without the
// flag) it is held open without write sharing instead. Either way the refusal
// is checked before a test relies on it, and taken back on every path out of
// the test.
#include <windows.h>

#include <string>

namespace staywick::test {

class RefusedFile {
public:
    explicit RefusedFile(const std::wstring& path);
    ~RefusedFile();
    RefusedFile(const RefusedFile&) = delete;
    RefusedFile& operator=(const RefusedFile&) = delete;

    // True while a writer cannot open the file.
    bool Refuses() const;
    const std::string& How() const { return how_; }

private:
    std::wstring path_;
    std::string host_;
    bool immutable_ = false;
    HANDLE held_ = INVALID_HANDLE_VALUE;
    std::string how_;
};

} // namespace staywick::test
