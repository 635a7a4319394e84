#include "tray/win32/main_tray_menu.h"

#include "resources/resource.h"
#include "ui/dialog_support.h"

#include <array>

namespace staywick {

namespace {

struct ActivateForEntry {
    const wchar_t* name;
    const wchar_t* caption;
};

// Captions in the order of kActivateForTags.
constexpr std::array<ActivateForEntry, kActivateForTags.size()> kActivateForEntries{{
    {L"Indefinitely1", L"&Indefinitely"},
    {L"N7", L"-"},
    {L"N5", L"5 Minutes"},
    {L"N10", L"10 Minutes"},
    {L"N15", L"15 Minutes"},
    {L"N30", L"30 Minutes"},
    {L"N1", L"1 Hour"},
    {L"N2", L"2 Hours"},
    {L"N4", L"4 Hours"},
    {L"N6", L"6 Hours"},
    {L"N8", L"8 Hours"},
    {L"N11", L"10 Hours"},
    {L"N10Hours2", L"12 Hours"},
}};

// "&When it ends": names and texts in the order of EndAction.
constexpr std::array<const wchar_t*, kEndActionCount> kEndActionNames{
    L"MnuEndNothing", L"MnuEndDisplay",   L"MnuEndLock",
    L"MnuEndSleep",   L"MnuEndHibernate", L"MnuEndShutDown",
};

} // namespace

TMainTrayMenu::TMainTrayMenu() {
    // An item's click runs the handler set at that moment, if any.
    const auto runs = [this](std::function<void()> MainTrayMenuHandlers::*handler) {
        return [this, handler](TMenuItem&) {
            if (Handlers.*handler)
                (Handlers.*handler)();
        };
    };
    TMenuItem& root = Items();
    mnuActive_ = &root.Add(L"MnuActive", L"&Staywick is disabled");
    mnuActive_->Default = true;
    mnuActive_->OnClick = runs(&MainTrayMenuHandlers::MnuActiveClick);
    root.Add(L"N3", L"-");
    mnuOptions_ = &root.Add(L"MnuOptions", L"&Activate for");
    for (std::size_t i = 0; i < kActivateForEntries.size(); ++i) {
        TMenuItem& item = mnuOptions_->Add(kActivateForEntries[i].name,
                                           kActivateForEntries[i].caption, kActivateForTags[i]);
        if (item.IsSeparator())
            continue;
        item.AutoCheck = true;
        item.OnClick = [this, i](TMenuItem&) {
            if (Handlers.Indefinitely1Click)
                Handlers.Indefinitely1Click(i);
        };
    }
    mnuOptions_->Add(L"NUntilSep", L"-");
    mnuUntil_ = &mnuOptions_->Add(L"MnuUntil", L"Until...");
    mnuUntil_->OnClick = runs(&MainTrayMenuHandlers::MnuUntilClick);
    mnuWhile_ = &mnuOptions_->Add(L"MnuWhile", L"While a program runs...");
    mnuWhile_->OnClick = runs(&MainTrayMenuHandlers::MnuWhileClick);
    mnuFor_ = &mnuOptions_->Add(L"MnuFor", L"&For...");
    mnuFor_->OnClick = runs(&MainTrayMenuHandlers::MnuForClick);
    mnuWhenItEnds_ = &mnuOptions_->Add(L"MnuWhenItEnds", LoadResString(IDS_MNU_WHEN_IT_ENDS));
    for (std::int32_t i = 0; i < kEndActionCount; ++i) {
        TMenuItem& item = mnuWhenItEnds_->Add(kEndActionNames[static_cast<std::size_t>(i)],
                                              LoadResString(IDS_MNU_END_NOTHING + i), i);
        item.RadioCheck = true;
        item.OnClick = [this, i](TMenuItem&) {
            if (Handlers.MnuEndActionClick)
                Handlers.MnuEndActionClick(static_cast<EndAction>(i));
        };
    }
    (*mnuWhenItEnds_)[0].SetChecked(true);
    root.Add(L"SetMaximumsystemidletime1", L"&Options...").OnClick =
        runs(&MainTrayMenuHandlers::SetMaximumsystemidletime1Click);
    sep2_ = &root.Add(L"Sep2", L"-");
    mnuDonate_ = &root.Add(L"MnuDonate", L"&Donate");
    mnuDonate_->OnClick = runs(&MainTrayMenuHandlers::MnuDonateClick);
    root.Add(L"MnuAbout", L"&About...").OnClick = runs(&MainTrayMenuHandlers::MnuAboutClick);
    root.Add(L"Sep1", L"-");
    root.Add(L"MnuQuit", L"E&xit").OnClick = runs(&MainTrayMenuHandlers::MnuQuitClick);
    root.Add(L"SepDisplay", L"-");
    mnuKeepDisplayOn_ = &root.Add(L"MnuKeepDisplayOn", L"&Keep the display on");
    mnuKeepDisplayOn_->SetChecked(true);
    mnuKeepDisplayOn_->OnClick = runs(&MainTrayMenuHandlers::MnuKeepDisplayOnClick);
    mnuExtend_ = &root.Add(L"MnuExtend", LoadResString(IDS_MNU_EXTEND));
    mnuExtend_->OnClick = runs(&MainTrayMenuHandlers::MnuExtendClick);
    mnuExtend_->Visible = false;
}

void TMainTrayMenu::SetEndActionChoice(EndAction chosen, bool allowed, bool canHibernate) {
    for (std::int32_t i = 0; i < kEndActionCount; ++i) {
        TMenuItem& item = (*mnuWhenItEnds_)[static_cast<std::size_t>(i)];
        item.SetChecked(static_cast<EndAction>(i) == chosen);
        item.SetEnabled(allowed);
    }
    mnuWhenItEnds_->SetEnabled(allowed);
    TMenuItem& hibernate = EndActionItem(EndAction::Hibernate);
    if (hibernate.Visible != canHibernate)
        SetItemVisible(hibernate, canHibernate);
}

void TMainTrayMenu::SetStatus(bool checked, const std::wstring& caption) {
    mnuActive_->SetChecked(checked);
    mnuActive_->SetCaption(caption);
}

void TMainTrayMenu::SetActivateForChecked(std::size_t position, bool checked) {
    (*mnuOptions_)[position].SetChecked(checked);
}

bool TMainTrayMenu::ActivateForChecked(std::size_t position) const {
    return (*mnuOptions_)[position].Checked();
}

void TMainTrayMenu::SetDonateVisible(bool visible) {
    SetItemVisible(*sep2_, visible);
    SetItemVisible(*mnuDonate_, visible);
}

std::int64_t TMainTrayMenu::ActivateForTag(std::size_t position) const {
    return (*mnuOptions_)[position].Tag;
}

} // namespace staywick
