// The watchers of the windows: a program in front noticed at the event, our
// own windows and a moment without any window in front changing nothing, a
// window title noticed once a burst of events has settled, no hook and no
// timer while a list is empty, and a look every 5 s where no events come.
#include "engine/window_watchers.h"
#include "fakes/fake_window_watch.h"
#include "fakes/virtual_clock.h"
#include "platform/text_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace staywick {
namespace {

using Names = std::vector<std::wstring>;
using Owner = FrontWindow::Owner;

const FrontWindow kNotepad{.owner = Owner::Other, .fileName = L"NOTEPAD.EXE"};
const FrontWindow kWinemine{.owner = Owner::Other, .fileName = L"winemine.exe"};
const FrontWindow kOwnWindow{.owner = Owner::Self};
const FrontWindow kNoWindow{};

TEST(ProgramInFrontTest, ListedNameOrLastForOwnAndNone) {
    const Names listed{L"notepad.exe", L"vlc.exe"};
    EXPECT_EQ(ProgramInFront(listed, kNotepad, L""), L"notepad.exe");
    EXPECT_EQ(ProgramInFront(listed, kWinemine, L"notepad.exe"), L"");
    EXPECT_EQ(ProgramInFront(listed, {.owner = Owner::Other}, L"vlc.exe"), L"");
    EXPECT_EQ(ProgramInFront(listed, kOwnWindow, L"notepad.exe"), L"notepad.exe");
    EXPECT_EQ(ProgramInFront(listed, kNoWindow, L"vlc.exe"), L"vlc.exe");
    // A name no longer listed is not kept.
    EXPECT_EQ(ProgramInFront({L"vlc.exe"}, kOwnWindow, L"notepad.exe"), L"");
}

class WindowWatchers : public ::testing::Test {
protected:
    fakes::VirtualClock clock;
    fakes::FakeWindowWatch windows{clock};
    fakes::FakeTimerPort frontTimer{clock};
    fakes::FakeTimerPort titleTimer{clock};
    Names inFront;
    Names titled;
    ForegroundWatcher foreground{windows, frontTimer,
                                 [this](const std::wstring& p) { inFront.push_back(p); }};
    WindowTitleWatcher titles{windows, titleTimer, &UpperCaseText,
                              [this](const std::wstring& p) { titled.push_back(p); }};
};

TEST_F(WindowWatchers, NothingHookedOrTimedWhileTheListsAreEmpty) {
    foreground.SetPrograms({});
    titles.SetPatterns({});
    EXPECT_FALSE(windows.foregroundChanged);
    EXPECT_FALSE(windows.windowsChanged);
    clock.Advance(10 * 60000);
    EXPECT_EQ(windows.frontLooks + windows.titleLooks, 0);
    EXPECT_TRUE(inFront.empty());
    EXPECT_TRUE(titled.empty());
}

TEST_F(WindowWatchers, ForegroundFollowsTheEventsAndNeverPolls) {
    windows.front = kWinemine;
    foreground.SetPrograms({L"notepad.exe"});
    EXPECT_TRUE(foreground.Hooked());
    EXPECT_EQ(windows.frontLooks, 1); // the look at start
    EXPECT_TRUE(inFront.empty());

    windows.BringToFront(kNotepad);
    clock.Pump();
    EXPECT_EQ(inFront, (Names{L"notepad.exe"}));
    // A forced wake brings our own window forward; then nothing is in front.
    windows.BringToFront(kOwnWindow);
    windows.BringToFront(kNoWindow);
    clock.Pump();
    EXPECT_EQ(inFront, (Names{L"notepad.exe"}));
    windows.BringToFront(kWinemine);
    clock.Pump();
    EXPECT_EQ(inFront, (Names{L"notepad.exe", L""}));

    const int looks = windows.frontLooks;
    clock.Advance(10 * 60000);
    EXPECT_EQ(windows.frontLooks, looks);
    EXPECT_FALSE(frontTimer.Armed());
}

TEST_F(WindowWatchers, ForegroundAfterResumeAndListChanges) {
    windows.front = kNotepad;
    foreground.SetPrograms({L"notepad.exe"});
    EXPECT_EQ(inFront, (Names{L"notepad.exe"})); // already in front at start
    windows.front = kWinemine;                   // changed while asleep, no event
    foreground.LookNow();
    EXPECT_EQ(inFront, (Names{L"notepad.exe", L""}));
    foreground.SetPrograms({L"winemine.exe"});
    EXPECT_EQ(inFront.back(), L"winemine.exe");
    foreground.SetPrograms({});
    EXPECT_EQ(inFront.back(), L"");
    EXPECT_FALSE(windows.foregroundChanged); // unhooked
    foreground.LookNow();
    EXPECT_EQ(windows.frontLooks, 3);
}

TEST_F(WindowWatchers, ForegroundWithoutEventsLooksEveryFiveSeconds) {
    windows.hookable = false;
    foreground.SetPrograms({L"notepad.exe"});
    EXPECT_FALSE(foreground.Hooked());
    clock.Advance(4000);
    windows.front = kNotepad;
    clock.Advance(999);
    EXPECT_TRUE(inFront.empty());
    clock.Advance(1);
    EXPECT_EQ(inFront, (Names{L"notepad.exe"}));
    clock.Advance(60000);
    EXPECT_EQ(windows.frontLooks, 1 + 13);
}

TEST_F(WindowWatchers, TitleSeenOnceTheEventsSettle) {
    titles.SetPatterns({L"*notepad*"});
    EXPECT_TRUE(titles.Hooked());
    EXPECT_EQ(windows.titleLooks, 1);
    EXPECT_FALSE(titleTimer.Armed()); // no look without an event

    // Notepad opens: a burst of events, one look 250 ms after the first.
    windows.SetTitles({L"Untitled - Notepad"});
    clock.Pump();
    windows.SetTitles({L"Untitled - Notepad", L"Default IME"});
    clock.Pump();
    clock.Advance(249);
    EXPECT_TRUE(titled.empty());
    clock.Advance(1);
    EXPECT_EQ(titled, (Names{L"*notepad*"}));
    EXPECT_EQ(windows.titleLooks, 2);
    EXPECT_FALSE(titleTimer.Armed());

    windows.SetTitles({L"Default IME"}); // closed
    clock.Pump();
    clock.Advance(250);
    EXPECT_EQ(titled, (Names{L"*notepad*", L""}));
    clock.Advance(10 * 60000);
    EXPECT_EQ(windows.titleLooks, 3);

    titles.SetPatterns({});
    EXPECT_FALSE(windows.windowsChanged);
}

TEST_F(WindowWatchers, TitleWithoutEventsLooksEveryFiveSeconds) {
    windows.hookable = false;
    windows.titles = {L"Untitled - Notepad"};
    titles.SetPatterns({L"*NOTEPAD*"});
    EXPECT_EQ(titled, (Names{L"*NOTEPAD*"}));
    windows.titles = {};
    clock.Advance(4999);
    EXPECT_EQ(titled.size(), 1u);
    clock.Advance(1);
    EXPECT_EQ(titled, (Names{L"*NOTEPAD*", L""}));
    clock.Advance(60000);
    EXPECT_EQ(windows.titleLooks, 2 + 12);
    titles.LookNow(); // a resume
    EXPECT_EQ(windows.titleLooks, 2 + 13);
}

} // namespace
} // namespace staywick
