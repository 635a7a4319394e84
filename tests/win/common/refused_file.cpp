#include "win/common/refused_file.h"

#include "win/common/process_helpers.h"

namespace staywick::test {

RefusedFile::RefusedFile(const std::wstring& path) : path_(path), host_(HostPath(path)) {
    if (!host_.empty() && RunHostCommand("chattr +i '" + host_ + "'") == 0 && Refuses()) {
        immutable_ = true;
        how_ = "immutable (chattr +i)";
        return;
    }
    held_ = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                          nullptr);
    how_ = "held open without write sharing (chattr +i not possible here)";
}

RefusedFile::~RefusedFile() {
    if (immutable_)
        RunHostCommand("chattr -i '" + host_ + "'");
    if (held_ != INVALID_HANDLE_VALUE)
        ::CloseHandle(held_);
}

bool RefusedFile::Refuses() const {
    HANDLE h = ::CreateFileW(path_.c_str(), GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return true;
    ::CloseHandle(h);
    return false;
}

} // namespace staywick::test
