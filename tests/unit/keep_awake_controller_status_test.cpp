// The status caption, tray tip and glyph index, the duration texts and the
// "Activate for" check marks.
#include "engine/activate_for_items.h"
#include "fakes/keep_awake_rig.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace staywick {
namespace {

using fakes::ItemFor;
using fakes::KeepAwakeRig;
using fakes::State;
using Positions = std::vector<std::size_t>;

TEST(Status, CaptionAndTipTexts) {
    struct Row {
        TStaywickOptions options;
        std::wstring caption;
        std::int32_t icon;
    };
    for (const auto& row :
         {Row{.options = {.Active = true, .ActivateFor = 30, .AutoStopped = false},
         .caption = L"&Staywick is active (30 minutes)",
         .icon = 1},
          Row{.options = {.Active = true, .ActivateFor = 60, .AutoStopped = false},
          .caption = L"&Staywick is active (1 hours)",
          .icon = 1},
          Row{.options = {.Active = true, .ActivateFor = 0, .AutoStopped = false},
          .caption = L"&Staywick is active",
          .icon = 1},
          Row{.options = {.Active = true, .ActivateFor = -5, .AutoStopped = false},
          .caption = L"&Staywick is active",
          .icon = 1},
          Row{.options = {.Active = false, .ActivateFor = 30, .AutoStopped = true},
          .caption = L"&Staywick is disabled",
          .icon = 0}}) {
        KeepAwakeRig rig(row.options);
        auto& c = rig.Create();
        c.UpdateActiveStatus();
        EXPECT_EQ(rig.view.caption, row.caption);
        EXPECT_EQ(rig.view.tip, row.caption);
        EXPECT_EQ(rig.view.trayIcons, (std::vector<std::int32_t>{row.icon}));
        EXPECT_EQ(c.GetTrayIcon(), row.icon);
    }
}

TEST(Status, FormatDuration) {
    struct Row {
        std::int32_t minutes;
        const wchar_t* text;
    };
    for (const Row row :
         {Row{.minutes = 5, .text = L"5 minutes"}, Row{.minutes = 10, .text = L"10 minutes"},
          Row{.minutes = 15, .text = L"15 minutes"}, Row{.minutes = 30, .text = L"30 minutes"},
          Row{.minutes = 60, .text = L"1 hours"}, Row{.minutes = 120, .text = L"2 hours"},
          Row{.minutes = 240, .text = L"4 hours"}, Row{.minutes = 360, .text = L"6 hours"},
          Row{.minutes = 480, .text = L"8 hours"}, Row{.minutes = 600, .text = L"10 hours"},
          Row{.minutes = 720, .text = L"12 hours"}, Row{.minutes = 59, .text = L"59 minutes"},
          Row{.minutes = 90, .text = L"1 hours"}, Row{.minutes = -59, .text = L"-59 minutes"},
          Row{.minutes = -60, .text = L"-1 hours"}, Row{.minutes = 0, .text = L"0 minutes"}}) {
        EXPECT_EQ(KeepAwakeController::FormatDuration(row.minutes), row.text) << row.minutes;
    }
}

TEST(ActivateForItems, SelectItemMarksMatchesOrResetsToIndefinitely) {
    struct Row {
        std::int32_t value;
        Positions checked;
        std::int32_t activateFor;
        bool saved;
    };
    for (const auto& row : {Row{.value = 0, .checked = {0, 1}, .activateFor = 0, .saved = false},
                            Row{.value = 720, .checked = {12}, .activateFor = 720, .saved = false},
                            Row{.value = 5, .checked = {2}, .activateFor = 5, .saved = false},
                            Row{.value = 45, .checked = {0}, .activateFor = 0, .saved = true},
                            Row{.value = -5, .checked = {0}, .activateFor = 0, .saved = true}}) {
        KeepAwakeRig rig(State(true, row.value, false));
        auto& c = rig.Create();
        c.SelectItemActivateForStatus(row.value);
        EXPECT_EQ(rig.view.CheckedPositions(), row.checked) << row.value;
        EXPECT_EQ(rig.options.ActivateFor, row.activateFor) << row.value;
        EXPECT_EQ(rig.saved.size(), row.saved ? 1u : 0u) << row.value;
    }
}

TEST(ActivateForItems, ChosenItemIsTheOnlyOneChecked) {
    KeepAwakeRig rig(State(true, 0, false));
    auto& c = rig.Create();
    for (std::size_t i : {0u, 1u, 5u, 9u})
        rig.view.checks[i] = true; // stale marks
    c.Indefinitely1Click(ItemFor(240));
    EXPECT_EQ(rig.view.CheckedPositions(), Positions{ItemFor(240)});
    EXPECT_EQ(rig.options.ActivateFor, 240);
    c.Indefinitely1Click(kActivateForIndefinitely);
    EXPECT_EQ(rig.view.CheckedPositions(), Positions{0});
    EXPECT_FALSE(rig.countDownPort.Armed());
    EXPECT_EQ(rig.view.caption, L"&Staywick is active");
}

TEST(ActivateForItems, TagsInMenuOrder) {
    EXPECT_EQ(kActivateForTags, (std::array<std::int64_t, 13>{0, 0, 5, 10, 15, 30, 60, 120, 240,
                                                              360, 480, 600, 720}));
}

} // namespace
} // namespace staywick
