// The minute's countdown before the end of a session acts: the window near
// the taskbar with the count and Cancel as the default button, Esc cancels,
// and at the end the action goes to the system (recorded here).
#include "fakes/fake_system_actions.h"
#include "fakes/virtual_clock.h"
#include "resources/resource.h"
#include "tray/win32/end_countdown_window.h"
#include "win/inproc/windows_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace staywick::test {
namespace {

class EndCountdownWindowTest : public ::testing::Test {
protected:
    void SetUp() override { UseStaywickResources(); }

    HWND Dialog() const { return view_.Window() ? view_.Window()->Handle() : nullptr; }
    bool Shown() const { return Dialog() && ::IsWindowVisible(Dialog()); }
    std::wstring Text() const { return TextOf(::GetDlgItem(Dialog(), IDC_ENDCOUNT_TEXT)); }

    Application app_{L"Staywick"};
    fakes::VirtualClock clock_;
    fakes::FakeTimerPort port_{clock_};
    fakes::FakeSystemActions system_;
    EndActionCountdown countdown_{system_, port_};
    EndCountdownWindowView view_{app_, nullptr, countdown_};
};

TEST_F(EndCountdownWindowTest, ShowsTheCountNearTheTaskbarAndActsAtTheEnd) {
    countdown_.SetView(&view_);
    countdown_.Begin(EndAction::Sleep);
    ASSERT_TRUE(Shown());
    EXPECT_EQ(Text(), L"The computer will sleep in 60 s");
    HWND cancel = ::GetDlgItem(Dialog(), IDCANCEL);
    EXPECT_TRUE(::GetWindowLongPtrW(cancel, GWL_STYLE) & BS_DEFPUSHBUTTON);
    EXPECT_EQ(TextOf(cancel), L"&Cancel");
    EXPECT_EQ(::GetFocus(), cancel);
    RECT placed{};
    ::GetWindowRect(Dialog(), &placed);
    const RECT work = WorkArea();
    EXPECT_EQ(placed.right, work.right - 20);
    EXPECT_EQ(placed.bottom, work.bottom - 20);

    clock_.Advance(59000);
    EXPECT_EQ(Text(), L"The computer will sleep in 1 s");
    EXPECT_TRUE(system_.calls.empty());
    clock_.Advance(1000);
    EXPECT_FALSE(Shown());
    EXPECT_EQ(system_.calls, std::vector<std::wstring>{L"sleep"});
}

TEST_F(EndCountdownWindowTest, EscCancelsAndNothingHappens) {
    countdown_.SetView(&view_);
    countdown_.Begin(EndAction::ShutDown);
    ASSERT_TRUE(Shown());
    EXPECT_EQ(Text(), L"The computer will shut down in 60 s");
    // Esc on the focused button, through the loop's dialog handling.
    ::PostMessageW(::GetDlgItem(Dialog(), IDCANCEL), WM_KEYDOWN, VK_ESCAPE, 0);
    app_.ProcessMessages();
    EXPECT_FALSE(Shown());
    EXPECT_FALSE(countdown_.Running());
    clock_.Advance(120000);
    EXPECT_TRUE(system_.calls.empty());

    // Opened again, the window counts afresh; the close box cancels too.
    countdown_.Begin(EndAction::Lock);
    ASSERT_TRUE(Shown());
    EXPECT_EQ(Text(), L"The computer will lock in 60 s");
    // The dialog manager posts the close box's IDCANCEL.
    ::SendMessageW(Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
    app_.ProcessMessages();
    EXPECT_FALSE(Shown());
    clock_.Advance(120000);
    EXPECT_TRUE(system_.calls.empty());
}

TEST_F(EndCountdownWindowTest, TheDisplayGoesOffWithoutAWindow) {
    countdown_.SetView(&view_);
    countdown_.Begin(EndAction::DisplayOff);
    EXPECT_EQ(Dialog(), nullptr);
    EXPECT_EQ(system_.calls, std::vector<std::wstring>{L"display"});
}

} // namespace
} // namespace staywick::test
