// The temporary folder and the exclusively created temporary file.
#include "common/app_error.h"
#include "common/temp_name.h"
#include "common/win32/temp_file.h"
#include "win/inproc/windows_test_support.h"

#include <gtest/gtest.h>

namespace staywick::test {
namespace {

constexpr std::uint32_t kT0 = 26653456; // 07:24:13.456 -> TMP48907
constexpr std::uint32_t kT1 = 26653457; // a millisecond on -> TMP48909

TEST(TempFile, NeverOverwritesAnExistingFileOfTheChosenName) {
    TempDir dir;
    const std::wstring taken = dir.File(L"TMP48907.rtf");
    WriteFileBytes(taken, "keep me");
    int calls = 0;
    TempFile file = TempFile::Create(dir.Path(), L"rtf", [&] { return calls++ == 0 ? kT0 : kT1; });
    EXPECT_EQ(calls, 2) << "a second name was formed";
    EXPECT_EQ(file.Path(), dir.File(L"TMP48909.rtf"));
    EXPECT_NE(file.Path(), taken);
    file.Write("{\\rtf1 new}");
    EXPECT_EQ(ReadFileBytes(taken), "keep me");
    EXPECT_TRUE(FileExists(file.Path()));
    file.Close();
    EXPECT_FALSE(FileExists(file.Path())) << "closing deletes the temporary file";
    EXPECT_EQ(ReadFileBytes(taken), "keep me");
}

TEST(TempFile, NeverFollowsAPlantedLink) {
    TempDir dir;
    const std::wstring target = dir.File(L"victim.txt");
    WriteFileBytes(target, "precious");
    const std::wstring link = dir.File(L"TMP48907.rtf");
    ::CreateSymbolicLinkW(link.c_str(), target.c_str(), 0);
    if (!FileExists(link))
        ::CreateHardLinkW(link.c_str(), target.c_str(), nullptr);
    if (!FileExists(link))
        GTEST_SKIP() << "no links can be made here";
    ASSERT_EQ(ReadFileBytes(link), "precious");
    int calls = 0;
    TempFile file = TempFile::Create(dir.Path(), L".rtf", [&] { return calls++ == 0 ? kT0 : kT1; });
    file.Write("overwritten?");
    file.Close();
    EXPECT_NE(file.Path(), link);
    EXPECT_EQ(ReadFileBytes(target), "precious");
}

TEST(TempFile, GivesUpWhenEveryNameIsTakenAndReportsAnUnwritableFolder) {
    TempDir dir;
    WriteFileBytes(dir.File(L"TMP48907.rtf"), "x");
    EXPECT_THROW(TempFile::Create(dir.Path(), L"rtf", [] { return kT0; }), AppError);
    EXPECT_EQ(ReadFileBytes(dir.File(L"TMP48907.rtf")), "x");
    EXPECT_THROW(TempFile::Create(dir.File(L"no\\such\\folder"), L"rtf"), AppError);
}

TEST(TempFile, MakeTempFileNameSkipsTakenNames) {
    TempDir dir;
    WriteFileBytes(dir.File(L"TMP48907.rtf"), "x");
    int calls = 0;
    const std::wstring name =
        MakeTempFileName(dir.Path(), L" rtf ", [&] { return calls++ == 0 ? kT0 : kT1; });
    EXPECT_EQ(name, dir.File(L"TMP48909.rtf"));
    EXPECT_FALSE(FileExists(name)) << "only a name, nothing created";
    // A folder that already ends in "\" gets no second one.
    EXPECT_EQ(MakeTempFileName(dir.Path() + L"\\", L"rtf", [] { return kT1; }), name);
}

std::wstring g_fakeTemp;
int g_fakeCalls = 0;

// Behaves as GetTempPathW does: the needed length (with the terminator) when
// the buffer is too small, else the length copied.
DWORD WINAPI FakeTempPath(DWORD size, LPWSTR buffer) {
    ++g_fakeCalls;
    if (g_fakeTemp.empty())
        return 0;
    if (size <= g_fakeTemp.size())
        return static_cast<DWORD>(g_fakeTemp.size() + 1);
    std::copy(g_fakeTemp.c_str(), g_fakeTemp.c_str() + g_fakeTemp.size() + 1, buffer);
    return static_cast<DWORD>(g_fakeTemp.size());
}

TEST(TempDirectory, EndsInABackslashKeepsLongPathsAndFallsBackToTheCurrentFolder) {
    const std::wstring normal = GetTempDirectory();
    ASSERT_FALSE(normal.empty());
    EXPECT_EQ(normal.back(), L'\\');

    TempDir dir;
    TempFolderOverride redirect(dir.Path()); // no trailing backslash given
    EXPECT_EQ(GetTempDirectory(), dir.Path() + L"\\");

    // Longer than the first 260-character buffer: asked again with a larger one.
    g_fakeTemp = L"C:\\";
    while (g_fakeTemp.size() < 400)
        g_fakeTemp += L"abcdefghijklmnopqrstuvwxyz\\";
    g_fakeCalls = 0;
    EXPECT_EQ(GetTempDirectory(&FakeTempPath), g_fakeTemp);
    EXPECT_EQ(g_fakeCalls, 2);

    // No temporary folder at all: the current one.
    g_fakeTemp.clear();
    wchar_t current[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, current);
    std::wstring expected = current;
    if (expected.back() != L'\\')
        expected += L'\\';
    EXPECT_EQ(GetTempDirectory(&FakeTempPath), expected);
}

} // namespace
} // namespace staywick::test
