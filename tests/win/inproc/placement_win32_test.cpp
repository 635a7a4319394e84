// The placement of a window next to the taskbar on the real desktop.
#include "common/win32/placement_win32.h"
#include "win/inproc/windows_test_support.h"

#include <gtest/gtest.h>

namespace staywick::test {
namespace {

TEST(Placement, PlacesLeftThenTopInTheBottomRightCorner) {
    EXPECT_EQ(GetTaskbarEdge(), teBottom) << "Wine's taskbar is at the bottom";
    HWND wnd = ::CreateWindowExW(0, L"STATIC", L"placed", WS_POPUP | WS_CAPTION, 5, 5, 400, 300,
                                 nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(wnd, nullptr);
    PlaceNearTaskbar(wnd);
    RECT r{};
    ::GetWindowRect(wnd, &r);
    const RECT work = WorkArea();
    EXPECT_EQ(r.right, work.right - 20);
    EXPECT_EQ(r.bottom, work.bottom - 20);
    EXPECT_EQ(r.right - r.left, 400) << "size unchanged";
    EXPECT_EQ(r.bottom - r.top, 300);
    ::DestroyWindow(wnd);
}

} // namespace
} // namespace staywick::test
