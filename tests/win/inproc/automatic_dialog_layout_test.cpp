// The Automatic dialog's keyboard and layout: its tab order, an access key
// for every stop and none twice, and every text inside its control, with no
// two controls overlapping, at 96 and 144 dpi.
#include "resources/resource.h"
#include "settings/win32/automatic_dialog.h"
#include "ui/window_utils.h"
#include "win/inproc/windows_test_support.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <map>
#include <string>
#include <vector>

namespace staywick::test {
namespace {

class AutomaticDialogLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseStaywickResources();
        record_.WhilePrograms = {L"obs64.exe", L"Zoom.exe"};
        record_.Pauses.PauseBelowBattery = 15; // its field takes part
    }
    static HWND Item(HWND dlg, int id) { return ::GetDlgItem(dlg, id); }
    static void SelectListed(HWND dlg, int index) {
        ::SendDlgItemMessageW(dlg, IDC_AUTO_PROGRAMLIST, LB_SETCURSEL, index, 0);
        ::SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDC_AUTO_PROGRAMLIST, LBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(Item(dlg, IDC_AUTO_PROGRAMLIST)));
    }

    Application app_{L"Staywick"};
    AutomaticOptions record_{};
};

// The letter after a single "&", upper case; 0 when there is none.
wchar_t AccessKey(const std::wstring& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == L'&') {
            if (text[i + 1] != L'&')
                return static_cast<wchar_t>(std::towupper(text[i + 1]));
            ++i;
        }
    }
    return 0;
}

bool IsStatic(HWND wnd) {
    wchar_t cls[32] = {};
    ::GetClassNameW(wnd, cls, 32);
    return ::lstrcmpiW(cls, L"Static") == 0;
}

// The key that reaches a tab stop: its own text's, or the label's right before it.
wchar_t KeyOf(HWND control) {
    if (const wchar_t own = AccessKey(TextOf(control)))
        return own;
    HWND before = ::GetWindow(control, GW_HWNDPREV);
    return before && IsStatic(before) ? AccessKey(TextOf(before)) : 0;
}

TEST_F(AutomaticDialogLayoutTest, TabOrderAndAnAccessKeyForEveryStopUniqueInTheDialog) {
    TFrmAutomatic form(nullptr, record_, {});
    HWND dlg = form.Handle();
    SelectListed(dlg, 0); // Remove takes part once a name is selected
    const int order[] = {IDC_AUTO_PROGRAMLIST,
                         IDC_AUTO_REMOVE,
                         IDC_AUTO_NAME,
                         IDC_AUTO_ADD,
                         IDC_AUTO_MONDAY,
                         IDC_AUTO_MONDAY + 1,
                         IDC_AUTO_MONDAY + 2,
                         IDC_AUTO_MONDAY + 3,
                         IDC_AUTO_MONDAY + 4,
                         IDC_AUTO_MONDAY + 5,
                         IDC_AUTO_SUNDAY,
                         IDC_AUTO_FROMHOUR,
                         IDC_AUTO_FROMMINUTE,
                         IDC_AUTO_TOHOUR,
                         IDC_AUTO_TOMINUTE,
                         IDC_AUTO_ONBATTERY,
                         IDC_AUTO_BELOWBATTERY,
                         IDC_AUTO_PERCENT,
                         IDC_AUTO_LIDCLOSED,
                         IDC_AUTO_DISPLAYOFF,
                         IDOK,
                         IDCANCEL,
                         IDC_AUTO_PROGRAMLIST};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        EXPECT_EQ(::GetNextDlgTabItem(dlg, Item(dlg, order[i]), FALSE), Item(dlg, order[i + 1]))
            << "after control " << order[i];
    }
    // The minute fields follow their hour fields, reached by Tab from them.
    std::map<wchar_t, int> owners;
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        const int id = order[i];
        if (id == IDC_AUTO_FROMMINUTE || id == IDC_AUTO_TOMINUTE)
            continue;
        const wchar_t key = KeyOf(Item(dlg, id));
        EXPECT_NE(key, 0) << "control " << id << " has no access key";
        if (key == 0)
            continue;
        const auto [at, fresh] = owners.emplace(key, id);
        EXPECT_TRUE(fresh) << "controls " << at->second << " and " << id << " share the key "
                           << static_cast<char>(key);
    }
    EXPECT_EQ(::GetDlgCtrlID(::GetNextDlgTabItem(dlg, Item(dlg, IDC_AUTO_PROGRAMLIST), TRUE)),
              IDCANCEL);
    // The group labels that name a list or field come right before it.
    EXPECT_EQ(::GetWindow(Item(dlg, IDC_AUTO_PROGRAMSHEADING), GW_HWNDNEXT),
              Item(dlg, IDC_AUTO_PROGRAMLIST));
    EXPECT_EQ(::GetWindow(Item(dlg, IDC_AUTO_PERCENTLABEL), GW_HWNDNEXT),
              Item(dlg, IDC_AUTO_PERCENT));
}

// Every visible text fits its control, and no two controls overlap, at `dpi`.
void ExpectTextsFit(HWND dlg, UINT dpi) {
    const auto s = [dpi](int v) { return ::MulDiv(v, static_cast<int>(dpi), 96); };
    RECT client{};
    ::GetClientRect(dlg, &client);
    std::vector<std::pair<int, RECT>> boxes;
    for (HWND child = ::GetWindow(dlg, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!(::GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE))
            continue;
        const int id = ::GetDlgCtrlID(child);
        const RECT r = ChildRect(child);
        SCOPED_TRACE(testing::Message() << "control " << id << " at " << dpi << " dpi");
        EXPECT_GE(r.left, 0);
        EXPECT_GE(r.top, 0);
        EXPECT_LE(r.right, client.right);
        EXPECT_LE(r.bottom, client.bottom);
        for (const auto& [other, box] : boxes) {
            RECT overlap{};
            EXPECT_FALSE(::IntersectRect(&overlap, &r, &box)) << "overlaps control " << other;
        }
        boxes.emplace_back(id, r);
        const std::wstring text = TextOf(child);
        if (text.empty())
            continue;
        // What the text needs beside itself: a check box's box and gap, a
        // push button's frame.
        int room = 0;
        wchar_t cls[32] = {};
        ::GetClassNameW(child, cls, 32);
        if (::lstrcmpiW(cls, L"Button") == 0) {
            const auto type = ::GetWindowLongPtrW(child, GWL_STYLE) & BS_TYPEMASK;
            room = type == BS_AUTOCHECKBOX || type == BS_CHECKBOX ? s(13 + 6) : s(8);
        }
        EXPECT_LE(TextWidth(child) + room, r.right - r.left)
            << ::testing::PrintToString(text) << " is cut";
        const win32::WindowDc dc(child);
        const win32::SelectedObject font(
            dc.Get(), reinterpret_cast<HFONT>(::SendMessageW(child, WM_GETFONT, 0, 0)));
        RECT measured{0, 0, 0, 0};
        ::DrawTextW(dc.Get(), text.c_str(), -1, &measured, DT_CALCRECT | DT_SINGLELINE);
        EXPECT_LE(measured.bottom, r.bottom - r.top)
            << ::testing::PrintToString(text) << " too tall";
    }
}

TEST_F(AutomaticDialogLayoutTest, NoTextIsCutAt96And144Dpi) {
    for (const bool allow : {true, false}) {
        TFrmAutomatic form(nullptr, record_, {}, allow);
        HWND dlg = form.Handle();
        for (const UINT dpi : {96u, 144u}) {
            RECT suggested{};
            ::GetWindowRect(dlg, &suggested);
            ::SendMessageW(dlg, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                           reinterpret_cast<LPARAM>(&suggested));
            RECT client{};
            ::GetClientRect(dlg, &client);
            EXPECT_EQ(client.right, ::MulDiv(456, static_cast<int>(dpi), 120));
            EXPECT_EQ(client.bottom, ::MulDiv(allow ? 490 : 518, static_cast<int>(dpi), 120));
            EXPECT_EQ(FontOf(Item(dlg, IDOK)).lfHeight, -::MulDiv(15, static_cast<int>(dpi), 120));
            ExpectTextsFit(dlg, dpi);
        }
    }
}

} // namespace
} // namespace staywick::test
