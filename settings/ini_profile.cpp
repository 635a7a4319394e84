#include "settings/ini_profile.h"

#include "settings/ini_text.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace staywick {

StoredFile StdFileStorage::Load(const std::wstring& path) {
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

bool StdFileStorage::Store(const std::wstring& path, const std::string& bytes) {
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

std::wstring IniProfile::ReadString(const std::wstring& section, const std::wstring& key,
                                    const std::wstring& path) {
    const StoredFile file = storage_.Load(path);
    if (!file.readable)
        return {};
    std::wstring value = FindIniValue(file.bytes, section, key).value_or(std::wstring());
    if (value.size() >= kReadBufferChars)
        value.resize(kReadBufferChars - 1);
    return value;
}

bool IniProfile::WriteString(const std::wstring& section, const std::wstring& key,
                             const std::wstring& value, const std::wstring& path) {
    // A file that is there but cannot be read is not overwritten: its content would be lost.
    const StoredFile file = storage_.Load(path);
    if (file.exists && !file.readable)
        return false;
    const auto updated = SetIniValue(file.bytes, section, key, value);
    return updated && storage_.Store(path, *updated);
}

} // namespace staywick
