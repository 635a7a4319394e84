#pragma once
// MainTrayMenu: the tray icon's menu, item by item, with the handlers the
// main window supplies. The thirteen "&Activate for" entries keep the fixed
// order of kActivateForTags, because the controller walks them by position;
// a separator, "Until...", "While a program runs..." and "For..." follow
// them, then "&When it ends" with its actions. "&Keep the display on" comes
// after "E&xit" and a separator, and "&Extend by 1 hour" (shown only while a
// session has an end) last.
#include "engine/activate_for_items.h"
#include "engine/end_action.h"
#include "tray/win32/rc_popup_menu.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace staywick {

struct MainTrayMenuHandlers {
    std::function<void()> MnuActiveClick;
    // The chosen "&Activate for" entry, by position (0..12).
    std::function<void(std::size_t position)> Indefinitely1Click;
    std::function<void()> SetMaximumsystemidletime1Click;
    // "Until...", after the "&Activate for" entries.
    std::function<void()> MnuUntilClick;
    // "While a program runs...", after "Until...".
    std::function<void()> MnuWhileClick;
    // "For...", a length of the user's own, after "While a program runs...".
    std::function<void()> MnuForClick;
    // "&Keep the display on", after "E&xit" and a separator.
    std::function<void()> MnuKeepDisplayOnClick;
    // An item of "&When it ends", after "For...".
    std::function<void(EndAction action)> MnuEndActionClick;
    // "&Extend by 1 hour", last.
    std::function<void()> MnuExtendClick;
    std::function<void()> MnuDonateClick;
    std::function<void()> MnuAboutClick;
    std::function<void()> MnuQuitClick;
};

class TMainTrayMenu : public TRCPopupMenu {
public:
    static constexpr std::size_t kActivateForCount = kActivateForTags.size();

    TMainTrayMenu();

    // Looked up when an item is chosen, so they can be set after construction.
    MainTrayMenuHandlers Handlers;

    TMenuItem& MnuActive() { return *mnuActive_; }
    TMenuItem& MnuOptions() { return *mnuOptions_; }
    TMenuItem& ActivateForItem(std::size_t position) { return (*mnuOptions_)[position]; }
    TMenuItem& MnuUntil() { return *mnuUntil_; }
    // Greyed while a policy allows no automatic keep-awake.
    TMenuItem& MnuWhile() { return *mnuWhile_; }
    TMenuItem& MnuFor() { return *mnuFor_; }
    // Checked by the controller; greyed while a policy decides.
    TMenuItem& MnuKeepDisplayOn() { return *mnuKeepDisplayOn_; }

    // "&When it ends" and its items in the order of EndAction.
    TMenuItem& MnuWhenItEnds() { return *mnuWhenItEnds_; }
    TMenuItem& EndActionItem(EndAction action) {
        return (*mnuWhenItEnds_)[static_cast<std::size_t>(action)];
    }
    // The choice as the controller shows it: the chosen action's radio
    // mark, everything greyed while a policy forbids it, "&Hibernate" only
    // where the system has it.
    void SetEndActionChoice(EndAction chosen, bool allowed, bool canHibernate);
    TMenuItem& MnuExtend() { return *mnuExtend_; }

    // The status item, as the controller sets it.
    void SetStatus(bool checked, const std::wstring& caption);
    void SetActivateForChecked(std::size_t position, bool checked);
    bool ActivateForChecked(std::size_t position) const;
    std::int64_t ActivateForTag(std::size_t position) const;
    // "&Donate" and the separator before it (a policy may hide both).
    void SetDonateVisible(bool visible);

private:
    TMenuItem* mnuActive_ = nullptr;
    TMenuItem* mnuOptions_ = nullptr;
    TMenuItem* mnuUntil_ = nullptr;
    TMenuItem* mnuWhile_ = nullptr;
    TMenuItem* mnuFor_ = nullptr;
    TMenuItem* mnuKeepDisplayOn_ = nullptr;
    TMenuItem* sep2_ = nullptr;
    TMenuItem* mnuDonate_ = nullptr;
    TMenuItem* mnuWhenItEnds_ = nullptr;
    TMenuItem* mnuExtend_ = nullptr;
};

} // namespace staywick
