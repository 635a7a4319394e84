// The Options dialog, the About window and the license dialog with the real
// Staywick.exe, driven from its tray menu as a user would: placement next to
// the taskbar, one Options dialog at a time, OK saving to the portable
// settings file, the version line, hiding and closing the About window, and
// the license text on screen and on the clipboard with no temporary file left
// behind; the Automatic dialog opened from Options. What Cancel, Esc and the close box do, and how
// the dialog shows the file's values, is the dialog's own logic: options_dialog_file_test.cpp.
#include "resources/resource.h"
#include "win/common/process_helpers.h"
#include "win/common/settings_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>
#include <optional>
#include <string>

namespace staywick::test {
namespace {

// Presses of Down that reach an item of the tray menu (separators skipped):
// status, "&Activate for", "&Options...", "&Donate", "&About...", "E&xit".
constexpr int kMenuOptions = 3;
constexpr int kMenuAbout = 5;

constexpr int kGap = 20; // from the work area's right and bottom edges

std::string SettingsText(int inputKey, const char* sleepMax, bool notify) {
    return SettingsFileText{.sleepMax = sleepMax,
                            .inputKey = std::to_string(inputKey),
                            .notifySystem = notify ? "1" : "0"}
        .Text();
}

bool Has(const std::string& text, const std::string& line) {
    return text.find(line + "\r\n") != std::string::npos;
}

RECT WorkArea() {
    RECT area{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

RECT Outer(HWND wnd) {
    RECT r{};
    ::GetWindowRect(wnd, &r);
    return r;
}

// True when the window sits 20 px from the work area's right and bottom edges.
::testing::AssertionResult PlacedNearTaskbar(HWND wnd) {
    const RECT area = WorkArea();
    const RECT r = Outer(wnd);
    if (r.right == area.right - kGap && r.bottom == area.bottom - kGap) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "window " << r.left << "," << r.top << "," << r.right
                                         << "," << r.bottom << " in work area " << area.left << ","
                                         << area.top << "," << area.right << "," << area.bottom;
}

void MoveTo(HWND wnd, int x, int y) {
    ::SetWindowPos(wnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    WaitUntil(2000, [&] { return Outer(wnd).left == x && Outer(wnd).top == y; });
}

std::wstring Strip(std::wstring text, wchar_t c) {
    text.erase(std::remove(text.begin(), text.end(), c), text.end());
    return text;
}

class WindowsE2e : public PortableInstallTest {
protected:
    std::string Settings() const { return ReadFileBytes(SettingsPath()); }

    // Starts the portable copy with this settings file; true once its tray
    // icon is up (the start-up step has run).
    bool Start(const std::string& settings) {
        WriteFileBytes(SettingsPath(), settings);
        process_ = Process::Start(exe_);
        main_ = WaitForStartUp(process_.Id());
        return main_ != nullptr;
    }

    HWND ChooseOptions() {
        if (!ChooseTrayMenuItem(process_.Id(), kMenuOptions))
            return nullptr;
        return WaitForProcessWindow(process_.Id(), L"#32770", L"Options", 5000);
    }

    HWND ChooseAbout() {
        if (!ChooseTrayMenuItem(process_.Id(), kMenuAbout))
            return nullptr;
        return WaitForWindowVisible(main_, true, 5000) ? main_ : nullptr;
    }

    bool OptionsClosed() {
        return WaitUntil(
            5000, [&] { return ProcessWindows(process_.Id(), L"#32770", L"Options").empty(); });
    }

    Process process_;
    HWND main_ = nullptr;
};

// The user's changes: "Num Lock", 7 minutes, "Notify the system..." cleared.
void ChangeControls(HWND dlg) {
    ::SendDlgItemMessageW(dlg, IDC_OPT_COMBOKEY, CB_SETCURSEL, 1, 0);
    ::SetDlgItemTextW(dlg, IDC_OPT_SPINEDIT, L"7");
    ::SendDlgItemMessageW(dlg, IDC_OPT_CHECKNOTIFY, BM_SETCHECK, BST_UNCHECKED, 0);
}

void ClickButton(HWND dlg, int id) {
    ::PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dlg, id)));
}

TEST_F(WindowsE2e, OptionsOpensNearTheTaskbarAndASecondChoiceBringsTheSameDialogForward) {
    ASSERT_TRUE(Start(SettingsText(0, "3", true)));
    HWND dlg = ChooseOptions();
    ASSERT_NE(dlg, nullptr) << "no Options dialog";
    EXPECT_TRUE(PlacedNearTaskbar(dlg));
    EXPECT_FALSE(::IsWindowEnabled(main_)) << "the dialog is modal";

    // The menu takes the foreground first; the second choice gives it back.
    ASSERT_TRUE(ChooseTrayMenuItem(process_.Id(), kMenuOptions));
    EXPECT_TRUE(WaitUntil(3000, [&] { return ::GetForegroundWindow() == dlg; }))
        << "foreground " << ::GetForegroundWindow() << ", dialog " << dlg;
    ASSERT_TRUE(SyncWithWindow(main_)) << "the choice's handler has returned";
    const auto dialogs = ProcessWindows(process_.Id(), L"#32770", L"Options");
    ASSERT_EQ(dialogs.size(), 1u) << "a second dialog opened";
    EXPECT_EQ(dialogs.front(), dlg);
    EXPECT_TRUE(::IsWindowVisible(dlg));

    ClickButton(dlg, IDCANCEL);
    EXPECT_TRUE(OptionsClosed());
    EXPECT_TRUE(::IsWindowEnabled(main_));
}

TEST_F(WindowsE2e, TheCommonControlsLoadWithTheFirstDialogNotAtStartUp) {
    ASSERT_TRUE(Start(SettingsText(0, "3", true)));
    ASSERT_TRUE(ProcessHasModule(process_.Id(), L"user32.dll")) << "the modules can be read";
    EXPECT_FALSE(ProcessHasModule(process_.Id(), L"comctl32.dll")) << "loaded at start-up";
    HWND dlg = ChooseOptions();
    ASSERT_NE(dlg, nullptr) << "no Options dialog";
    EXPECT_TRUE(ProcessHasModule(process_.Id(), L"comctl32.dll"));
    EXPECT_NE(::GetDlgItem(dlg, IDC_OPT_SPINUPDOWN), nullptr)
        << "the dialog has its up-down control";
    ClickButton(dlg, IDCANCEL);
    EXPECT_TRUE(OptionsClosed());
}

TEST_F(WindowsE2e, OkSavesTheChangedKeyTimeAndNotification) {
    ASSERT_TRUE(Start(SettingsText(0, "3", true)));
    HWND dlg = ChooseOptions();
    ASSERT_NE(dlg, nullptr);
    ChangeControls(dlg);
    ClickButton(dlg, IDOK);
    ASSERT_TRUE(OptionsClosed());
    // The values come in one step, after the dialog has closed: wait for them.
    ASSERT_TRUE(WaitUntil(5000, [&] { return Has(Settings(), "NotifySystem=0"); })) << Settings();
    const std::string saved = Settings();
    EXPECT_TRUE(Has(saved, "InputKey=1")) << saved;
    EXPECT_TRUE(Has(saved, "DontLetSleepMoreThen=7")) << saved;
    EXPECT_TRUE(process_.Running());
}

// "Automatic..." in Options: the Automatic dialog's choices are kept only
// when Options is confirmed too; then they are saved and count at once (a
// schedule of every day, from 0:00 to 0:00, holds all day: /status says 1).
TEST_F(WindowsE2e, AutomaticChoicesAreSavedAndCountAtOnceOnlyWhenOptionsIsConfirmed) {
    ASSERT_TRUE(Start(SettingsText(0, "3", true)));
    const auto status = [&] { return Process::Start(exe_, L"/status").WaitExit(15000); };
    const auto chooseEveryDayAndVlc = [&](HWND automatic) {
        for (int id = IDC_AUTO_MONDAY; id <= IDC_AUTO_SUNDAY; ++id)
            ::SendDlgItemMessageW(automatic, id, BM_SETCHECK, BST_CHECKED, 0);
        for (int id : {IDC_AUTO_FROMHOUR, IDC_AUTO_FROMMINUTE, IDC_AUTO_TOHOUR, IDC_AUTO_TOMINUTE})
            ::SetDlgItemTextW(automatic, id, L"0");
        ::SetDlgItemTextW(automatic, IDC_AUTO_NAME, L"vlc");
        ClickButton(automatic, IDC_AUTO_ADD);
    };
    const auto openAutomatic = [&](HWND options) {
        ClickButton(options, IDC_OPT_AUTOMATIC);
        return WaitForProcessWindow(process_.Id(), L"#32770", L"Automatic", 5000);
    };
    const auto automaticClosed = [&] {
        return WaitUntil(
            5000, [&] { return ProcessWindows(process_.Id(), L"#32770", L"Automatic").empty(); });
    };

    // Automatic confirmed, Options cancelled: nothing kept.
    HWND dlg = ChooseOptions();
    ASSERT_NE(dlg, nullptr);
    HWND automatic = openAutomatic(dlg);
    ASSERT_NE(automatic, nullptr) << "no Automatic dialog";
    EXPECT_FALSE(::IsWindowEnabled(dlg)) << "Options waits for it";
    chooseEveryDayAndVlc(automatic);
    ClickButton(automatic, IDOK);
    ASSERT_TRUE(automaticClosed());
    ClickButton(dlg, IDCANCEL);
    ASSERT_TRUE(OptionsClosed());
    EXPECT_EQ(Settings().find("ScheduleDays="), std::string::npos) << Settings();
    EXPECT_EQ(status(), 0u);

    // Both confirmed: the next dialog starts from the file's values again.
    dlg = ChooseOptions();
    ASSERT_NE(dlg, nullptr);
    automatic = openAutomatic(dlg);
    ASSERT_NE(automatic, nullptr);
    EXPECT_EQ(::SendDlgItemMessageW(automatic, IDC_AUTO_MONDAY, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(::SendDlgItemMessageW(automatic, IDC_AUTO_PROGRAMLIST, LB_GETCOUNT, 0, 0), 0);
    chooseEveryDayAndVlc(automatic);
    ClickButton(automatic, IDOK);
    ASSERT_TRUE(automaticClosed());
    ClickButton(dlg, IDOK);
    ASSERT_TRUE(OptionsClosed());
    // The values come in one step, after the dialog has closed: wait for them.
    ASSERT_TRUE(WaitUntil(5000, [&] { return Has(Settings(), "DisplayOffWhenLocked=0"); }))
        << Settings();
    const std::string saved = Settings();
    EXPECT_TRUE(Has(saved, "WhilePrograms=vlc.exe")) << saved;
    EXPECT_TRUE(Has(saved, "ScheduleDays=127")) << saved;
    EXPECT_TRUE(Has(saved, "ScheduleFrom=0")) << saved;
    EXPECT_TRUE(Has(saved, "ScheduleTo=0")) << saved;
    EXPECT_TRUE(Has(saved, "Active=0")) << "the user's own state is not touched: " << saved;
    EXPECT_EQ(status(), 1u) << "the schedule counts at once";
}

TEST_F(WindowsE2e, AboutShowsTheVersionIsPlacedWhenShownAndEscHidesIt) {
    ASSERT_TRUE(Start(SettingsText(0, "3", true)));
    ASSERT_FALSE(::IsWindowVisible(main_)) << "hidden at start";
    ASSERT_NE(ChooseAbout(), nullptr);
    EXPECT_EQ(WindowText(::GetDlgItem(main_, IDC_ABOUT_VERSION)), L"Version 1.1 (64-bit)");
    EXPECT_TRUE(PlacedNearTaskbar(main_));

    // Choosing it again while visible does not move it. The menu takes the
    // foreground; the choice's handler gives it back.
    MoveTo(main_, 40, 30);
    ASSERT_TRUE(ChooseTrayMenuItem(process_.Id(), kMenuAbout));
    EXPECT_TRUE(WaitUntil(3000, [&] { return ::GetForegroundWindow() == main_; }));
    ASSERT_TRUE(SyncWithWindow(main_));
    EXPECT_EQ(Outer(main_).left, 40);
    EXPECT_EQ(Outer(main_).top, 30);

    // Esc hides it; the program keeps running in the tray.
    ::PostMessageW(::GetDlgItem(main_, IDC_ABOUT_OK), WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(WaitForWindowVisible(main_, false, 5000));
    ASSERT_TRUE(SyncWithWindow(main_));
    EXPECT_TRUE(process_.Running());
    EXPECT_TRUE(ShellHasTrayIcon(TrayNotifyWindow(process_.Id())));

    // Shown again from hidden: placed again.
    ASSERT_NE(ChooseAbout(), nullptr);
    EXPECT_TRUE(PlacedNearTaskbar(main_));
}

class AboutCloseE2e : public WindowsE2e, public ::testing::WithParamInterface<UINT> {};

TEST_P(AboutCloseE2e, TheCloseBoxEndsTheProgramWithCodeZeroAndRemovesTheTrayIcon) {
    ASSERT_TRUE(Start(SettingsText(0, "3", true)));
    ASSERT_NE(ChooseAbout(), nullptr);
    HWND notify = TrayNotifyWindow(process_.Id());
    ASSERT_TRUE(ShellHasTrayIcon(notify));
    if (GetParam() == WM_SYSCOMMAND) {
        ::PostMessageW(main_, WM_SYSCOMMAND, SC_CLOSE, 0);
    } else {
        ::PostMessageW(main_, WM_CLOSE, 0, 0);
    }
    const auto code = process_.WaitExit(10000);
    ASSERT_TRUE(code.has_value()) << "still running";
    EXPECT_EQ(*code, 0u);
    EXPECT_FALSE(ShellHasTrayIcon(notify));
}

INSTANTIATE_TEST_SUITE_P(Messages, AboutCloseE2e,
                         ::testing::Values(UINT{WM_SYSCOMMAND}, UINT{WM_CLOSE}),
                         [](const auto& info) {
                             return std::string(info.param == WM_CLOSE ? "WmClose" : "ScClose");
                         });

// The screen's pixels inside a window's client area, 0x00RRGGBB, row by row.
struct Capture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t At(int x, int y) const { return pixels[std::size_t(y) * width + x]; }
};

Capture CaptureClient(HWND wnd) {
    RECT rc{};
    ::GetClientRect(wnd, &rc);
    POINT origin{0, 0};
    ::ClientToScreen(wnd, &origin);
    Capture shot;
    shot.width = rc.right;
    shot.height = rc.bottom;
    shot.pixels.resize(std::size_t(shot.width) * shot.height);
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, shot.width, shot.height);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, shot.width, shot.height, screen, origin.x, origin.y, SRCCOPY);
    ::SelectObject(memory, old);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = shot.width;
    info.bmiHeader.biHeight = -shot.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    ::GetDIBits(memory, bitmap, 0, UINT(shot.height), shot.pixels.data(), &info, DIB_RGB_COLORS);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    for (auto& p : shot.pixels)
        p &= 0xFFFFFF;
    return shot;
}

RECT ChildRect(HWND parent, int id) {
    RECT r{};
    HWND child = ::GetDlgItem(parent, id);
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The lightest grey level of the pixels in `r` other than pure white.
int Brightest(const Capture& shot, const RECT& r) {
    int best = 0;
    for (int y = std::max(0L, r.top); y < std::min<long>(shot.height, r.bottom); ++y) {
        for (int x = std::max(0L, r.left); x < std::min<long>(shot.width, r.right); ++x) {
            const std::uint32_t p = shot.At(x, y);
            if (p == 0xFFFFFF)
                continue; // a white fill is no text
            best = std::max(best, int(std::min({p & 0xFF, (p >> 8) & 0xFF, (p >> 16) & 0xFF})));
        }
    }
    return best;
}

// The colour mode for applications (0 dark), restored afterwards.
class AppsColourMode {
public:
    explicit AppsColourMode(DWORD light) {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                          &key_, nullptr);
        DWORD size = sizeof(old_);
        had_ = ::RegQueryValueExW(key_, L"AppsUseLightTheme", nullptr, nullptr,
                                  reinterpret_cast<BYTE*>(&old_), &size) == ERROR_SUCCESS;
        ::RegSetValueExW(key_, L"AppsUseLightTheme", 0, REG_DWORD,
                         reinterpret_cast<const BYTE*>(&light), sizeof(light));
    }
    ~AppsColourMode() {
        if (had_) {
            ::RegSetValueExW(key_, L"AppsUseLightTheme", 0, REG_DWORD,
                             reinterpret_cast<const BYTE*>(&old_), sizeof(old_));
        } else {
            ::RegDeleteValueW(key_, L"AppsUseLightTheme");
        }
        ::RegCloseKey(key_);
    }
    AppsColourMode(const AppsColourMode&) = delete;
    AppsColourMode& operator=(const AppsColourMode&) = delete;

private:
    static constexpr wchar_t kKey[] =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
    HKEY key_ = nullptr;
    DWORD old_ = 0;
    bool had_ = false;
};

TEST_F(WindowsE2e, TheDarkAboutWindowHasNoWhiteAreasAndLegibleDonateText) {
    AppsColourMode dark(0);
    ASSERT_TRUE(Start(SettingsText(0, "3", true)));
    ASSERT_NE(ChooseAbout(), nullptr);
    // Painting sends no event: wait until the screen shows the dark
    // background and the light donate text.
    RECT plain = ChildRect(main_, IDC_ABOUT_DONATE);
    plain.right = plain.left + (plain.right - plain.left) / 2;
    Capture shot;
    WaitUntil(5000, [&] {
        shot = CaptureClient(main_);
        return shot.width > 0 && (shot.At(2, 2) & 0xFF) < 0x60u && Brightest(shot, plain) >= 0xA0;
    });
    ASSERT_GT(shot.width, 0);
    EXPECT_LT(shot.At(2, 2) & 0xFF, 0x60u) << "the window background is not dark";

    // Labels and links on the dark background, nothing white around them.
    const RECT logo = ChildRect(main_, IDC_ABOUT_LOGO); // the icon's artwork may hold white
    int white = 0;
    for (int y = 0; y < shot.height; ++y) {
        for (int x = 0; x < shot.width; ++x) {
            const POINT pt{x, y};
            if (!::PtInRect(&logo, pt) && shot.At(x, y) == 0xFFFFFF)
                ++white;
        }
    }
    EXPECT_EQ(white, 0) << "white pixels in the dark About window";

    // "Donate with" (the plain text before the link) in a light colour.
    EXPECT_GE(Brightest(shot, plain), 0xA0) << "the donate text is not light on the dark look";
}

// A click on a link label: press and release over its first characters.
void ClickLink(HWND link) {
    RECT rc{};
    ::GetClientRect(link, &rc);
    const LPARAM at = MAKELPARAM(4, (rc.bottom - rc.top) / 2);
    ::PostMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageW(link, WM_LBUTTONUP, 0, at);
}

TEST_F(WindowsE2e, TheLicenseLinkShowsTheAgreementCopyTextCopiesItAllAndNoTempFileStays) {
    // The program's own temporary folder, so that what it leaves there shows.
    TempDir temp;
    ScopedEnv tmp(L"TMP", temp.Path());
    ScopedEnv tempVar(L"TEMP", temp.Path());
    ASSERT_TRUE(Start(SettingsText(0, "3", true)));
    ASSERT_NE(ChooseAbout(), nullptr);
    // Signalled once a file is created or deleted in the folder.
    HANDLE change =
        ::FindFirstChangeNotificationW(temp.Path().c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME);
    ASSERT_NE(change, INVALID_HANDLE_VALUE);

    ClickLink(::GetDlgItem(main_, IDC_ABOUT_LICENSE));
    HWND dlg = WaitForProcessWindow(process_.Id(), L"#32770", L"License Agreement", 10000);
    ASSERT_NE(dlg, nullptr) << "no license dialog";
    EXPECT_TRUE(PlacedNearTaskbar(dlg));
    HWND memo = ::GetDlgItem(dlg, IDC_LIC_MEMO);
    std::wstring shown;
    ASSERT_TRUE(WaitUntil(5000,
                          [&] {
                              shown = WindowText(memo);
                              return shown.find(L"Staywick License Agreement") !=
                                     std::wstring::npos;
                          }))
        << "shown: " << std::string(shown.begin(), shown.end());
    EXPECT_NE(shown.find(L"Copyright \u00A9 2026 Tessaro"), std::wstring::npos);
    EXPECT_EQ(shown.find(L"\\rtf"), std::wstring::npos) << "RTF source shown as text";
    EXPECT_EQ(::WaitForSingleObject(change, 2000), WAIT_OBJECT_0)
        << "the agreement did not pass through the temporary folder";
    ::FindCloseChangeNotification(change);
    // The first change may be the file's creation: wait for the folder to
    // be empty again rather than look at it once.
    EXPECT_TRUE(WaitUntil(5000, [&] { return ListFiles(temp.Path()).empty(); }))
        << "a temporary file was left behind";

    // "&Copy Text" from the field's context menu, with nothing selected.
    SetClipboardText(L"before");
    ::SendMessageW(memo, EM_SETSEL, 0, 0);
    RECT field = Outer(memo);
    ::PostMessageW(memo, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(memo),
                   MAKELPARAM(field.left + 20, field.top + 20));
    HWND menu = WaitForProcessWindow(process_.Id(), L"#32768", nullptr, 5000);
    ASSERT_NE(menu, nullptr) << "no context menu";
    ::PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
    std::optional<std::wstring> copied;
    ASSERT_TRUE(WaitUntil(5000, [&] {
        copied = ClipboardText();
        return copied && *copied != L"before";
    })) << "nothing copied";
    // The whole agreement, whatever the line ends.
    EXPECT_EQ(Strip(Strip(*copied, L'\r'), L'\n'), Strip(Strip(shown, L'\r'), L'\n'));
    EXPECT_NE(copied->find(L"Limitation of liability"), std::wstring::npos);

    // Esc closes it; the About window stays and the program runs on.
    ::PostMessageW(memo, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitUntil(5000, [&] { return !::IsWindow(dlg); }));
    EXPECT_TRUE(::IsWindowVisible(main_));
    EXPECT_TRUE(process_.Running());
    EXPECT_TRUE(ListFiles(temp.Path()).empty());
}

} // namespace
} // namespace staywick::test
