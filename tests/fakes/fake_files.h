#pragma once
// An in-memory file system with Windows-style paths for the settings tests:
// folders, files with their bytes, drives that answer or not, and a record
// of what the program asked for.
#include "platform/files.h"
#include "platform/file_store.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace staywick::test {

class FakeFiles : public FilesPort, public FileStore {
public:
    std::wstring exeFolder = L"C:\\Program Files\\Staywick\\";
    std::optional<std::wstring> appData = L"C:\\Users\\me\\AppData\\Roaming";
    std::optional<std::wstring> commonAppData = L"C:\\ProgramData";
    std::set<wchar_t> drives = {L'C'};

    std::set<std::wstring> dirs;               // without a trailing "\"
    std::map<std::wstring, std::string> files; // path -> bytes
    std::set<std::wstring> unreadable;         // there, but reading fails
    std::set<std::wstring> readOnly;           // there, but writing fails
    std::vector<std::wstring> replaced;        // every path whose bytes were replaced
    // A replace whose new bytes hold this text is refused: the disk failing
    // partway through a save that would write key after key.
    std::string refuseBytesHolding;

    std::vector<std::wstring> created; // successful folder creations, in order
    std::vector<std::wstring> loaded;  // every path whose bytes were asked for
    std::vector<wchar_t> driveQueries;

    FakeFiles() {
        AddDir(exeFolder);
        AddDir(*appData);
        AddDir(*commonAppData);
    }

    // Adds a folder with all its parents.
    void AddDir(const std::wstring& path) {
        std::wstring p = Norm(path);
        for (std::size_t cut = p.find(L'\\'); cut != std::wstring::npos;
             cut = p.find(L'\\', cut + 1)) {
            dirs.insert(p.substr(0, cut));
        }
        dirs.insert(p);
    }

    bool HasDir(const std::wstring& path) const { return dirs.count(Norm(path)) > 0; }

    std::wstring ExecutableFolder() override { return exeFolder; }

    bool DirectoryExists(const std::wstring& path) override {
        return DriveUp(path) && HasDir(path);
    }

    bool FileExists(const std::wstring& path) override {
        return DriveUp(path) && files.count(path) > 0;
    }

    bool CreateDirectoryLevel(const std::wstring& path) override {
        const std::wstring p = Norm(path);
        const std::size_t cut = p.find_last_of(L'\\');
        if (!DriveUp(p) || cut == std::wstring::npos || !HasDir(p.substr(0, cut)) || HasDir(p) ||
            files.count(p)) {
            return false;
        }
        dirs.insert(p);
        created.push_back(p);
        return true;
    }

    bool DriveAvailable(wchar_t letter) override {
        driveQueries.push_back(letter);
        return drives.count(letter) > 0;
    }

    std::optional<std::wstring> AppDataFolder(bool common) override {
        return common ? commonAppData : appData;
    }

    StoredFile Load(const std::wstring& path) override {
        loaded.push_back(path);
        StoredFile file;
        if (!DriveUp(path))
            return file;
        if (HasDir(path)) {
            file.exists = true;
            return file;
        }
        const auto it = files.find(path);
        if (it == files.end())
            return file;
        file.exists = true;
        file.readable = unreadable.count(path) == 0;
        if (file.readable)
            file.bytes = it->second;
        return file;
    }

    bool Replace(const std::wstring& path, const std::string& bytes) override {
        const std::size_t cut = path.find_last_of(L'\\');
        if (!DriveUp(path) || cut == std::wstring::npos || !HasDir(path.substr(0, cut)) ||
            HasDir(path) || readOnly.count(path) ||
            (!refuseBytesHolding.empty() && bytes.find(refuseBytesHolding) != std::string::npos)) {
            return false;
        }
        files[path] = bytes;
        replaced.push_back(path);
        return true;
    }

private:
    static std::wstring Norm(std::wstring path) {
        while (!path.empty() && path.back() == L'\\')
            path.pop_back();
        return path;
    }
    bool DriveUp(const std::wstring& path) const {
        return !path.empty() && drives.count(path.front()) > 0;
    }
};

} // namespace staywick::test
