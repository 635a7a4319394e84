// Every dialog fits its texts in every form they take: English and the
// pseudo-locale (40% longer, accented), at 96 and 144 dpi, with the system's
// default text size and with it 1.5 times larger. No text is cut (measured in
// the control's own font), no two controls overlap, all lie inside the
// dialog. Then: the dialogs' text grows with the system's message font, also
// when it changes while a dialog is open, and takes the system's face for an
// East Asian UI language.
#include "engine/automatic_options.h"
#include "engine/staywick_options.h"
#include "resources/resource.h"
#include "settings/win32/automatic_dialog.h"
#include "settings/win32/options_dialog.h"
#include "tray/win32/for_dialog.h"
#include "tray/win32/until_dialog.h"
#include "tray/win32/while_dialog.h"
#include "ui/dialog_font.h"
#include "ui/shown_text.h"
#include "ui/window_utils.h"
#include "win/inproc/larger_text_support.h"
#include "win/inproc/windows_test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace staywick::test {
namespace {

std::wstring ClassOf(HWND wnd) {
    wchar_t cls[32] = {};
    ::GetClassNameW(wnd, cls, 32);
    return cls;
}

int LineHeight(HDC dc) {
    TEXTMETRICW tm{};
    ::GetTextMetricsW(dc, &tm);
    return tm.tmHeight;
}

// What one visible control's text needs, against its box.
void ExpectTextInside(HWND ctl, UINT dpi) {
    const std::wstring text = TextOf(ctl);
    if (text.empty())
        return;
    const auto s = [dpi](int v) { return ::MulDiv(v, static_cast<int>(dpi), 96); };
    const RECT r = ChildRect(ctl);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    const win32::WindowDc dc(ctl);
    const win32::SelectedObject font(
        dc.Get(), reinterpret_cast<HFONT>(::SendMessageW(ctl, WM_GETFONT, 0, 0)));
    const int line = LineHeight(dc.Get());
    const std::wstring cls = ClassOf(ctl);
    const auto type = ::GetWindowLongPtrW(ctl, GWL_STYLE) & BS_TYPEMASK;
    if (cls == L"Static" && height >= 2 * line) {
        RECT wrapped{0, 0, width, 0};
        ::DrawTextW(dc.Get(), text.c_str(), -1, &wrapped,
                    DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
        EXPECT_LE(wrapped.bottom, height) << "wrapped text too tall";
        EXPECT_LE(wrapped.right, width) << "a word wider than the box";
        return;
    }
    int room = 0; // beside the text: a check box's box and gap, a button's frame
    if (cls == L"Button")
        room = type == BS_AUTOCHECKBOX || type == BS_CHECKBOX ? s(13 + 6) : s(8);
    if (cls == L"ComboBox")
        room = ::GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_LE(TextWidth(ctl) + room, width) << "cut";
    EXPECT_LE(line, height) << "too tall";
}

// Every visible control inside the client area, with its text, and no two
// overlapping.
void ExpectDialogFitsItsTexts(HWND dlg, UINT dpi) {
    RECT client{};
    ::GetClientRect(dlg, &client);
    std::vector<std::pair<int, RECT>> seen;
    for (HWND child = ::GetWindow(dlg, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!(::GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE))
            continue;
        const int id = ::GetDlgCtrlID(child);
        SCOPED_TRACE(testing::Message()
                     << "control " << id << " " << testing::PrintToString(TextOf(child)));
        const RECT r = ChildRect(child);
        EXPECT_GE(r.left, 0);
        EXPECT_GE(r.top, 0);
        EXPECT_LE(r.right, client.right);
        EXPECT_LE(r.bottom, client.bottom);
        for (const auto& [other, box] : seen) {
            RECT overlap{};
            EXPECT_FALSE(::IntersectRect(&overlap, &r, &box)) << "overlaps control " << other;
        }
        seen.emplace_back(id, r);
        ExpectTextInside(child, dpi);
    }
}

// The records the dialogs show, alive as long as a dialog.
struct Records {
    TStaywickOptions options{};
    AutomaticOptions automatic{};
};

using DialogMaker = std::function<std::unique_ptr<Dialog>(Records&)>;

struct DialogCase {
    const char* name;
    DialogMaker make;
};

const DialogCase kDialogs[] = {
    {"Options",
     [](Records& r) { return std::make_unique<TFrmOptions>(nullptr, r.options, nullptr); }},
    {"Automatic",
     [](Records& r) {
         r.automatic.WhilePrograms = {L"obs64.exe", L"Zoom.exe"};
         r.automatic.Pauses.PauseBelowBattery = 15;
         return std::make_unique<TFrmAutomatic>(nullptr, r.automatic, RunningProcesses{});
     }},
    {"Until", [](Records&) { return std::make_unique<TFrmUntil>(nullptr, 17 * 60 + 30); }},
    {"While",
     [](Records&) {
         return std::make_unique<TFrmWhile>(
             nullptr,
             std::vector<ProgramWindow>{
                 {.title = L"Untitled - Notepad", .fileName = L"notepad.exe", .processId = 4321}});
     }},
    {"For", [](Records&) { return std::make_unique<TFrmFor>(nullptr, 90); }},
};

struct FitCase {
    std::string name;
    const DialogCase* dialog;
    bool pseudo;
    UINT dpi;
    int textPercent; // the system's message font against its default size
};

void PrintTo(const FitCase& c, std::ostream* os) {
    *os << c.name;
}

std::vector<FitCase> AllCases() {
    std::vector<FitCase> cases;
    for (const DialogCase& dialog : kDialogs) {
        for (const bool pseudo : {false, true}) {
            for (const UINT dpi : {96u, 144u}) {
                for (const int percent : {100, 150}) {
                    cases.push_back(
                        {.name = std::string(dialog.name) + (pseudo ? "_Pseudo_" : "_English_") +
                                 std::to_string(dpi) + "dpi_Text" + std::to_string(percent),
                         .dialog = &dialog,
                         .pseudo = pseudo,
                         .dpi = dpi,
                         .textPercent = percent});
                }
            }
        }
    }
    return cases;
}

void ChangeDpi(HWND dlg, UINT dpi) {
    RECT suggested{};
    ::GetWindowRect(dlg, &suggested);
    ::SendMessageW(dlg, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

class DialogTextFitTest : public ::testing::TestWithParam<FitCase> {
protected:
    void SetUp() override { UseStaywickResources(); }
    void TearDown() override { SetPseudoLocale(false); }
};

TEST_P(DialogTextFitTest, NoTextCutNoControlsOverlapping) {
    const FitCase& c = GetParam();
    SetPseudoLocale(c.pseudo);
    std::optional<LargerSystemText> larger;
    if (c.textPercent != 100)
        larger.emplace(c.textPercent);
    ASSERT_EQ(SystemTextScalePercent(), c.textPercent);
    Records records;
    const std::unique_ptr<Dialog> dialog = c.dialog->make(records);
    ChangeDpi(dialog->Handle(), c.dpi);
    ExpectDialogFitsItsTexts(dialog->Handle(), c.dpi);
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogTextFitTest, ::testing::ValuesIn(AllCases()),
                         [](const auto& info) { return info.param.name; });

class LargerTextTest : public ::testing::Test {
protected:
    void SetUp() override { UseStaywickResources(); }
    static int TextHeight(HWND dlg, int id) { return -FontOf(::GetDlgItem(dlg, id)).lfHeight; }
    static RECT Client(HWND dlg) {
        RECT r{};
        ::GetClientRect(dlg, &r);
        return r;
    }
    TStaywickOptions options_{};
};

TEST_F(LargerTextTest, OptionsTextGrowsWithTheSystemsMessageFont) {
    // Designed: 15 pixels at 120 dpi, 12 at 96; the client 396 x 458 there (the designed 380 and
    // its later rows).
    TFrmOptions plain(nullptr, options_, nullptr);
    ChangeDpi(plain.Handle(), 96);
    EXPECT_EQ(TextHeight(plain.Handle(), IDOK), 12);
    EXPECT_EQ(Client(plain.Handle()).right, 317);
    EXPECT_EQ(Client(plain.Handle()).bottom, 366);

    const LargerSystemText larger(150);
    TFrmOptions opened(nullptr, options_, nullptr);
    ChangeDpi(opened.Handle(), 96);
    EXPECT_EQ(TextHeight(opened.Handle(), IDOK), 18);
    EXPECT_EQ(TextHeight(opened.Handle(), IDC_OPT_LABEL4), 15); // 13 at 120 dpi: 10 at 96
    EXPECT_GT(Client(opened.Handle()).bottom, 366);
    EXPECT_GE(Client(opened.Handle()).right, 317);
    const RECT ok = ChildRect(::GetDlgItem(opened.Handle(), IDOK));
    EXPECT_GT(ok.bottom - ok.top, 24) << "the buttons grow with their text";

    // The dialog open before the change follows the system's broadcast.
    ::SendMessageW(plain.Handle(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
    EXPECT_EQ(TextHeight(plain.Handle(), IDOK), 18);
    EXPECT_EQ(Client(plain.Handle()).bottom, Client(opened.Handle()).bottom);
}

TEST_F(LargerTextTest, EastAsianLanguagesTakeTheSystemsFace) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    ASSERT_TRUE(::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
    for (const LANGID language : {LANGID(0x0411), LANGID(0x0804), LANGID(0x0412), LANGID(0x0407)}) {
        SCOPED_TRACE(language);
        SetDialogLanguage(language);
        TFrmUntil form(nullptr, 0);
        const std::wstring face = FontOf(::GetDlgItem(form.Handle(), IDOK)).lfFaceName;
        EXPECT_EQ(face, language == 0x0407 ? L"Segoe UI" : metrics.lfMessageFont.lfFaceName);
    }
    SetDialogLanguage(0);
    EXPECT_TRUE(UsesSystemFace(0x0404)); // Chinese (Traditional) too
    EXPECT_FALSE(UsesSystemFace(0x0409));
}

} // namespace
} // namespace staywick::test
