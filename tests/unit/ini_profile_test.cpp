// The portable profile on real files, as a build without the profile API uses it.
#include "platform/std_file_store.h"
#include "settings/ini_profile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace staywick {
namespace {

namespace fs = std::filesystem;

class StdFileProfile : public ::testing::Test {
protected:
    StdFileProfile() {
        dir = fs::temp_directory_path() /
              ("staywick-settings-" +
               std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    ~StdFileProfile() override { fs::remove_all(dir); }

    std::wstring Path(const char* name) const { return (dir / name).wstring(); }
    static std::string Bytes(const std::wstring& path) {
        std::ifstream in(fs::path(path), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path dir;
    StdFileStore store;
    IniProfile profile{store};
};

TEST_F(StdFileProfile, WritesCreateTheFileAndReadsFindTheValues) {
    const std::wstring path = Path("Staywick.Settings");
    EXPECT_EQ(profile.ReadString(L"General", L"Active", path), L"");
    ASSERT_TRUE(profile.WriteStrings(L"General", {{L"Active", L"1"}, {L"InputKey", L"2"}}, path));
    ASSERT_TRUE(profile.WriteStrings(L"general", {{L"ACTIVE", L"0"}}, path));
    profile.Flush(path);
    EXPECT_EQ(Bytes(path), "[General]\r\nActive=0\r\nInputKey=2\r\n");
    EXPECT_EQ(profile.ReadString(L"GENERAL", L"inputkey", path), L"2");
}

TEST_F(StdFileProfile, RefusesAMissingFolderAndAFolderInPlaceOfTheFile) {
    EXPECT_FALSE(
        profile.WriteStrings(L"General", {{L"Active", L"1"}}, Path("none/Staywick.Settings")));
    fs::create_directory(dir / "Staywick.Settings");
    EXPECT_FALSE(profile.WriteStrings(L"General", {{L"Active", L"1"}}, Path("Staywick.Settings")));
    EXPECT_EQ(profile.ReadString(L"General", L"Active", Path("Staywick.Settings")), L"");
}

} // namespace
} // namespace staywick
