#pragma once
// Checks the dialogs' layout tests share: the access key of a text and of a
// tab stop, and every visible text inside its control with no two controls
// overlapping.
#include "common/win32/handles.h"
#include "ui/window_utils.h"
#include "win/inproc/windows_test_support.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <string>
#include <utility>
#include <vector>

namespace staywick::test {

// The letter after a single "&", upper case; 0 when there is none.
inline wchar_t AccessKey(const std::wstring& text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == L'&') {
            if (text[i + 1] != L'&')
                return static_cast<wchar_t>(std::towupper(text[i + 1]));
            ++i;
        }
    }
    return 0;
}

inline bool IsStatic(HWND wnd) {
    wchar_t cls[32] = {};
    ::GetClassNameW(wnd, cls, 32);
    return ::lstrcmpiW(cls, L"Static") == 0;
}

// The key that reaches a tab stop: its own text's, or the label's right before it.
inline wchar_t KeyOf(HWND control) {
    if (const wchar_t own = AccessKey(TextOf(control)))
        return own;
    HWND before = ::GetWindow(control, GW_HWNDPREV);
    return before && IsStatic(before) ? AccessKey(TextOf(before)) : 0;
}

// Every visible text fits its control, and no two controls overlap, at `dpi`;
// with `onlyId`, that control alone (a dialog whose older texts wrap).
inline void ExpectTextsFit(HWND dlg, UINT dpi, int onlyId = 0) {
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
            if (onlyId == 0 || id == onlyId || other == onlyId) {
                EXPECT_FALSE(::IntersectRect(&overlap, &r, &box)) << "overlaps control " << other;
            }
        }
        boxes.emplace_back(id, r);
        const std::wstring text = TextOf(child);
        if (text.empty() || (onlyId != 0 && id != onlyId))
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

} // namespace staywick::test
