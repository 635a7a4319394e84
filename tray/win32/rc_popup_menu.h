#pragma once
// TRCPopupMenu: a popup menu that reports a right-click on one of its
// top-level items (OnMenuRightClick) instead of treating it as a choice. Its
// menus are owned by the hidden window of TRCPopupList, which turns the
// system's menu messages into item clicks, right-click events and, in the
// dark look, owner-drawn items.
#include "tray/win32/menu_item.h"
#include "ui/window.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

namespace staywick {

class TRCPopupMenu;
using TMenuRightClickEvent = std::function<void(TRCPopupMenu& Sender, TMenuItem& Item)>;

enum class TPopupAlignment { paLeft, paRight, paCenter };
// Opening animations, held as bits 0 to 4 (left to right, right to left,
// top to bottom, bottom to top, none).
enum TMenuAnimation : unsigned {
    maLeftToRight = 1u << 0,
    maRightToLeft = 1u << 1,
    maTopToBottom = 1u << 2,
    maBottomToTop = 1u << 3,
    maNone = 1u << 4,
};

class TRCPopupMenu {
public:
    TRCPopupMenu();
    ~TRCPopupMenu();
    TRCPopupMenu(const TRCPopupMenu&) = delete;
    TRCPopupMenu& operator=(const TRCPopupMenu&) = delete;

    // The top-level items.
    TMenuItem& Items() { return root_; }
    const TMenuItem& Items() const { return root_; }

    // The menu handle built from the items (built on first use, and again
    // after an item was shown or hidden).
    HMENU Handle();
    // Shows or hides an item; the menu is built anew before it next opens.
    void SetItemVisible(TMenuItem& item, bool visible);

    // Opens the menu at screen coordinates and returns when it has closed; a
    // chosen item's handler runs from the command message, meanwhile or from
    // the queue right after. True when an item was chosen.
    bool Popup(int X, int Y);
    // The TrackPopupMenuEx flags Popup uses.
    UINT TrackFlags() const;

    TPopupAlignment Alignment = TPopupAlignment::paLeft;
    unsigned MenuAnimation = 0;
    bool RightToLeft = false;
    std::function<void(TRCPopupMenu& Sender)> OnPopup;
    TMenuRightClickEvent OnMenuRightClick;

    // Owner-drawn dark items or the standard look; Popup applies the current
    // style itself, so this is only needed to show a change at once.
    void ApplyLook(bool dark);
    bool DarkLook() const noexcept { return dark_; }

    // The item with a command identifier, or nullptr.
    TMenuItem* FindCommand(UINT command);

private:
    void Build();

    TMenuItem root_;
    MenuHandle menu_;
    bool stale_ = false;
    bool dark_ = false;
};

// The one list of right-click-aware menus with its hidden window.
class TRCPopupList : private Window {
public:
    static TRCPopupList& Instance();

    void Add(TRCPopupMenu* menu);
    void Remove(TRCPopupMenu* menu);
    // The owner window of the menus (exists while at least one menu does).
    HWND Window() const noexcept { return Handle(); }
    const std::vector<TRCPopupMenu*>& Menus() const noexcept { return menus_; }
    // How many item commands the window has run so far.
    unsigned CommandsRun() const noexcept { return commandsRun_; }
    // The DPI the owner-drawn items of the open menu are measured and drawn at.
    UINT MenuDpi() const noexcept { return menuDpi_; }
    void SetMenuDpi(UINT dpi) noexcept { menuDpi_ = dpi; }

private:
    TRCPopupList() = default;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    std::vector<TRCPopupMenu*> menus_;
    unsigned commandsRun_ = 0;
    UINT menuDpi_ = USER_DEFAULT_SCREEN_DPI;
};

} // namespace staywick
