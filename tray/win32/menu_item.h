#pragma once
// One item of a popup menu's tree: caption ("-" for a separator), tag, check
// mark, auto-check, default (bold) flag, sub-items and click handler. Once
// the menu is built, changes of the caption and the check mark reach the
// menu handle at once.
#include "common/win32/handles.h"
#include "ui/styled_menu.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace staywick {

using MenuHandle = win32::MenuHandle;

class TMenuItem {
public:
    using ClickHandler = std::function<void(TMenuItem& Sender)>;

    TMenuItem() = default;
    TMenuItem(std::wstring name, std::wstring caption, std::int64_t tag = 0);
    TMenuItem(const TMenuItem&) = delete;
    TMenuItem& operator=(const TMenuItem&) = delete;

    // Appends a sub-item and returns it.
    TMenuItem& Add(std::wstring name, std::wstring caption, std::int64_t tag = 0);
    std::size_t Count() const noexcept { return items_.size(); }
    TMenuItem& operator[](std::size_t index) { return *items_.at(index); }
    const TMenuItem& operator[](std::size_t index) const { return *items_.at(index); }
    TMenuItem* Parent() const noexcept { return parent_; }
    int MenuIndex() const noexcept { return index_; }

    const std::wstring& Name() const noexcept { return name_; }
    const std::wstring& Caption() const noexcept { return caption_; }
    void SetCaption(std::wstring caption);
    bool IsSeparator() const noexcept { return caption_ == L"-"; }
    bool Checked() const noexcept { return checked_; }
    void SetChecked(bool checked);
    // Greyed out: shown but cannot be chosen.
    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool enabled);
    // A hidden item is left out when the menu is built; the menu that holds
    // it must be built again (TRCPopupMenu::SetItemVisible).
    bool Visible = true;

    std::int64_t Tag = 0;
    bool AutoCheck = false;
    bool Default = false;    // drawn bold; set before the menu is built
    bool RadioCheck = false; // a bullet for the check mark; set before the menu is built
    ClickHandler OnClick;

    // Auto-check first, then the click handler.
    void Click();

    // Used while building and drawing the menu.
    UINT Command() const noexcept { return command_; }
    HMENU SubmenuHandle() const noexcept { return submenu_; }
    // Its place in the built menu (hidden items before it take none).
    void Attach(HMENU container, UINT position, UINT command, HMENU submenu);
    bool AttachedAt(UINT position) const noexcept { return container_ && position_ == position; }
    // Owner-drawn items keep their caption for screen readers but without
    // its access-key mark, so every key press reaches WM_MENUCHAR, where
    // shared keys are resolved as standard menus resolve them.
    void UpdateType(bool ownerDrawn);
    bool OwnerDrawn() const noexcept { return ownerDrawn_; }
    // What the dark look draws for this item.
    StyledMenuItem Look() const;
    // The menu item's dwItemData (an MSAAMENUINFO for screen readers first),
    // and the item it belongs to.
    ULONG_PTR ItemData() const noexcept { return reinterpret_cast<ULONG_PTR>(&itemData_); }
    static TMenuItem* FromItemData(ULONG_PTR data) {
        return static_cast<TMenuItem*>(const_cast<void*>(OwnerOfItemData(data)));
    }
    void ForEach(const std::function<void(TMenuItem&)>& visit);

private:
    void UpdateMenuState();

    std::wstring name_, caption_;
    bool checked_ = false;
    bool enabled_ = true;
    bool ownerDrawn_ = false;
    TMenuItem* parent_ = nullptr;
    int index_ = -1;
    std::vector<std::unique_ptr<TMenuItem>> items_;
    HMENU container_ = nullptr;
    UINT position_ = 0;
    HMENU submenu_ = nullptr;
    UINT command_ = 0;
    StyledMenuItemData itemData_;
};

} // namespace staywick
