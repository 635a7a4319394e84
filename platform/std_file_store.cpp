#include "platform/std_file_store.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace staywick {

StoredFile StdFileStore::Load(const std::wstring& path) {
    StoredFile file;
    std::error_code ec;
    const auto status = std::filesystem::status(std::filesystem::path(path), ec);
    // A status that cannot be taken counts as something there, so it is not overwritten.
    file.exists = status.type() != std::filesystem::file_type::not_found;
    if (!file.exists || status.type() == std::filesystem::file_type::directory)
        return file;
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    if (!in)
        return file;
    file.bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    file.readable = !in.bad();
    return file;
}

// A rename within one folder is atomic. The standard library cannot force
// the bytes to the disk before it; the Win32 store does.
bool StdFileStore::Replace(const std::wstring& path, const std::string& bytes) {
    const std::filesystem::path target(path);
    std::filesystem::path temp = target;
    temp += L".tmp";
    std::error_code ec;
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (out.fail()) {
            std::filesystem::remove(temp, ec);
            return false;
        }
    }
    std::filesystem::rename(temp, target, ec);
    if (ec) {
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}

} // namespace staywick
