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
    for (const auto& row : {Row{State(true, 30, false), L"&Staywick is active (30 minutes)", 1},
                            Row{State(true, 60, false), L"&Staywick is active (1 hours)", 1},
                            Row{State(true, 0, false), L"&Staywick is active", 1},
                            Row{State(true, -5, false), L"&Staywick is active", 1},
                            Row{State(false, 30, true), L"&Staywick is disabled", 0}}) {
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
         {Row{5, L"5 minutes"}, Row{10, L"10 minutes"}, Row{15, L"15 minutes"},
          Row{30, L"30 minutes"}, Row{60, L"1 hours"}, Row{120, L"2 hours"}, Row{240, L"4 hours"},
          Row{360, L"6 hours"}, Row{480, L"8 hours"}, Row{600, L"10 hours"}, Row{720, L"12 hours"},
          Row{59, L"59 minutes"}, Row{90, L"1 hours"}, Row{-59, L"-59 minutes"},
          Row{-60, L"-1 hours"}, Row{0, L"0 minutes"}}) {
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
    for (const auto& row : {Row{0, {0, 1}, 0, false}, Row{720, {12}, 720, false},
                            Row{5, {2}, 5, false}, Row{45, {0}, 0, true}, Row{-5, {0}, 0, true}}) {
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
