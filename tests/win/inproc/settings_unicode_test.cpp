// The settings file with names outside the ANSI code page and with a long
// program list, through the real profile API: the file becomes UTF-16LE and
// the API reads the names back as they were, the rest of an ANSI file is
// carried over as the API read it, and a list past the API's first buffer
// is read whole.
#include "settings/automatic_settings.h"
#include "settings/settings_file.h"
#include "settings/win32/profile_win32.h"
#include "win/common/process_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace staywick {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

const std::vector<std::wstring> kPolishAndGreek = {L"Ksi\u0119gowo\u015B\u0107.exe",
                                                   L"\u03A9mega.exe"};

class SettingsUnicode : public ::testing::Test {
protected:
    std::wstring ApiRead(const wchar_t* section, const wchar_t* key) {
        wchar_t buffer[256] = {};
        const DWORD n = ::GetPrivateProfileStringW(section, key, L"", buffer, 256, ini.c_str());
        return std::wstring(buffer, n);
    }

    TempDir dir;
    const std::wstring ini = dir.File(L"Staywick.Settings");
    win32::Win32Profile profile;
};

TEST_F(SettingsUnicode, PolishAndGreekNamesComeBackFromTheProfileApi) {
    SaveOptions(profile, ini, TStaywickOptions{});
    AutomaticOptions saved;
    saved.WhilePrograms = kPolishAndGreek;
    SaveAutomaticOptions(profile, ini, saved);

    const std::string bytes = ReadFileBytes(ini);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE") << "UTF-16LE with its mark";
    EXPECT_EQ(ApiRead(L"General", L"WhilePrograms"),
              L"Ksi\u0119gowo\u015B\u0107.exe;\u03A9mega.exe");
    EXPECT_EQ(LoadAutomaticOptions(profile, ini), saved);
    EXPECT_EQ(LoadOptions(profile, ini), TStaywickOptions{});

    // Written again, the file keeps its encoding and its bytes.
    SaveOptions(profile, ini, TStaywickOptions{});
    SaveAutomaticOptions(profile, ini, saved);
    EXPECT_EQ(ReadFileBytes(ini), bytes);
}

// Bytes above 127 elsewhere in an ANSI file (typed by hand in the system's
// code page) read the same through the API before and after the file
// became UTF-16LE.
TEST_F(SettingsUnicode, TheConversionKeepsWhatTheApiReadFromTheAnsiFile) {
    WriteFileBytes(ini, "; \xE9t\xE9\r\n[Other]\r\nNote=caf\xE9 \x80 \xA3\r\n\r\n"
                        "[General]\r\nActive=0\r\n");
    const std::wstring note = ApiRead(L"Other", L"Note");
    ASSERT_EQ(note.size(), 8u) << "one character for each byte";
    AutomaticOptions saved;
    saved.WhilePrograms = kPolishAndGreek;
    SaveAutomaticOptions(profile, ini, saved);
    EXPECT_EQ(ReadFileBytes(ini).substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(ApiRead(L"Other", L"Note"), note);
    EXPECT_EQ(ApiRead(L"General", L"Active"), L"0");
}

// 181 names, 2,171 characters: the API's first buffer of 2,048 is not enough.
TEST_F(SettingsUnicode, ALongListIsReadWholeAndSavedWhole) {
    std::vector<std::wstring> names;
    std::string line = "WhilePrograms=";
    for (int i = 0; i < 181; ++i) {
        names.push_back(L"p" + std::to_wstring(100000 + i) + L".exe");
        line += (i ? ";p" : "p") + std::to_string(100000 + i) + ".exe";
    }
    ASSERT_EQ(line.size(), 14u + 2171u);
    WriteFileBytes(ini, "[General]\r\n" + line + "\r\nScheduleDays=3\r\n");
    const AutomaticOptions loaded = LoadAutomaticOptions(profile, ini);
    EXPECT_EQ(loaded.WhilePrograms, names);
    SaveAutomaticOptions(profile, ini, loaded);
    EXPECT_NE(ReadFileBytes(ini).find(line + "\r\n"), std::string::npos) << "saved whole";
}

} // namespace
} // namespace staywick
