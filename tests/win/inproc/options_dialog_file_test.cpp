// The Options dialog between the settings file and the settings file, as the
// tray menu's "&Options..." handler runs it: the dialog shows what the file
// holds (an out-of-range time as the nearer bound, an unknown key as no
// selection), OK stores the bounded values, and Cancel, Esc and the close box
// leave the file and the record alone, so that the next dialog shows them as
// they were.
#include "settings/win32/profile_win32.h"
#include "resources/resource.h"
#include "settings/settings_file.h"
#include "settings/win32/options_dialog.h"
#include "win/inproc/windows_test_support.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <ostream>
#include <string>

namespace staywick::test {
namespace {

std::string SettingsText(int inputKey, const char* sleepMax) {
    return "[General]\r\nActive=0\r\nDontLetSleepMoreThen=" + std::string(sleepMax) +
           "\r\nActivateFor=0\r\nAutoStopped=0\r\nInputKey=" + std::to_string(inputKey) +
           "\r\nNotifySystem=1\r\n";
}

enum class Close { Ok, CancelButton, EscKey, CloseBox };

// What the dialog's controls show.
struct Shown {
    LRESULT key = CB_ERR; // the key list's selection
    std::wstring keyText;
    std::wstring minutes;
    bool notify = false;
};

struct FileRow {
    const char* name;
    std::string file;    // the settings file before the dialog
    bool change = false; // the user picks "Num Lock", 7 minutes and clears "Notify..."
    Close close = Close::Ok;
    Shown shown;                     // what the dialog shows first
    const char* savedLine = nullptr; // a line the file holds after OK; else the file stays
};

void PrintTo(const FileRow& row, std::ostream* os) {
    *os << row.name;
}

Shown Read(HWND dlg) {
    return {.key = ::SendDlgItemMessageW(dlg, IDC_OPT_COMBOKEY, CB_GETCURSEL, 0, 0),
            .keyText = TextOf(::GetDlgItem(dlg, IDC_OPT_COMBOKEY)),
            .minutes = TextOf(::GetDlgItem(dlg, IDC_OPT_SPINEDIT)),
            .notify = ::IsDlgButtonChecked(dlg, IDC_OPT_CHECKNOTIFY) == BST_CHECKED};
}

void ExpectShown(const Shown& seen, const Shown& expected) {
    EXPECT_EQ(seen.key, expected.key);
    EXPECT_EQ(seen.keyText, expected.keyText);
    EXPECT_EQ(seen.minutes, expected.minutes);
    EXPECT_EQ(seen.notify, expected.notify);
}

void ChangeControls(HWND dlg) {
    ::SendDlgItemMessageW(dlg, IDC_OPT_COMBOKEY, CB_SETCURSEL, 1, 0);
    ::SetDlgItemTextW(dlg, IDC_OPT_SPINEDIT, L"7");
    ::CheckDlgButton(dlg, IDC_OPT_CHECKNOTIFY, BST_UNCHECKED);
}

void CloseDialog(HWND dlg, Close close) {
    switch (close) {
    case Close::Ok:
        ::PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dlg, IDOK)));
        break;
    case Close::CancelButton:
        ::PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dlg, IDCANCEL)));
        break;
    case Close::EscKey: // through the application's loop, from the focused control
        ::PostMessageW(::GetDlgItem(dlg, IDC_OPT_COMBOKEY), WM_KEYDOWN, VK_ESCAPE, 0);
        break;
    case Close::CloseBox:
        ::PostMessageW(dlg, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    }
}

class OptionsDialogFile : public ::testing::TestWithParam<FileRow> {
protected:
    void SetUp() override { UseStaywickResources(); }

    // Opens the dialog through the menu's handler, reads it, lets `act` close it.
    Shown RunDialog(const OptionsDialogHost& host, std::function<void(HWND)> act) {
        Shown seen;
        RunSoon([&, act] {
            HWND dlg = FrmOptions->Handle();
            seen = Read(dlg);
            act(dlg);
        });
        SetMaximumsystemidletime1Click(host);
        return seen;
    }

    Application app_{L"Staywick"};
    TempDir dir_;
    const std::wstring ini_ = dir_.File(L"Staywick.Settings");
    win32::Win32Profile profile_;
};

TEST_P(OptionsDialogFile, ShowsTheFileAndOnlyOkStores) {
    const FileRow& row = GetParam();
    WriteFileBytes(ini_, row.file);
    TStaywickOptions options = LoadOptions(profile_, ini_);
    const TStaywickOptions loaded = options;
    int saves = 0;
    const OptionsDialogHost host{.app = app_,
                                 .options = options,
                                 .owner = nullptr,
                                 // What the controller does after OK, as far as the file goes.
                                 .confirmed = [&](bool) {
                                     ++saves;
                                     SaveOptions(profile_, ini_, options);
                                 }};

    const Shown first = RunDialog(host, [&](HWND dlg) {
        if (row.change)
            ChangeControls(dlg);
        CloseDialog(dlg, row.close);
    });
    ExpectShown(first, row.shown);
    EXPECT_EQ(FrmOptions, nullptr);

    const std::string after = ReadFileBytes(ini_);
    if (row.savedLine) {
        EXPECT_EQ(saves, 1);
        EXPECT_NE(after.find(row.savedLine + std::string("\r\n")), std::string::npos) << after;
        return;
    }
    EXPECT_EQ(saves, 0);
    EXPECT_EQ(after, row.file);
    EXPECT_EQ(options, loaded);
    // A fresh dialog shows the settings as they were.
    const Shown next = RunDialog(host, [](HWND dlg) { CloseDialog(dlg, Close::CancelButton); });
    ExpectShown(next, row.shown);
}

const Shown kF15ThreeMinutes{.key = 0, .keyText = L"F15", .minutes = L"3", .notify = true};

INSTANTIATE_TEST_SUITE_P(
    Rows, OptionsDialogFile,
    ::testing::Values(
        FileRow{.name = "CancelButton",
                .file = SettingsText(0, "3"),
                .change = true,
                .close = Close::CancelButton,
                .shown = kF15ThreeMinutes},
        FileRow{.name = "EscKey",
                .file = SettingsText(0, "3"),
                .change = true,
                .close = Close::EscKey,
                .shown = kF15ThreeMinutes},
        FileRow{.name = "CloseBox",
                .file = SettingsText(0, "3"),
                .change = true,
                .close = Close::CloseBox,
                .shown = kF15ThreeMinutes},
        FileRow{.name = "ZeroMinutesShowAndStoreOne",
                .file = SettingsText(0, "0"),
                .shown = {.key = 0, .keyText = L"F15", .minutes = L"1", .notify = true},
                .savedLine = "DontLetSleepMoreThen=1"},
        FileRow{.name = "TooManyMinutesShowAndStoreTheMaximum",
                .file = SettingsText(0, "20000"),
                .shown = {.key = 0, .keyText = L"F15", .minutes = L"9999", .notify = true},
                .savedLine = "DontLetSleepMoreThen=9999"},
        FileRow{.name = "AnUnknownKeyShowsNoSelectionAndStoresMinusOne",
                .file = SettingsText(5, "3"),
                .shown = {.key = CB_ERR, .keyText = L"", .minutes = L"3", .notify = true},
                .savedLine = "InputKey=-1"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace staywick::test
