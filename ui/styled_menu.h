#pragma once
// Owner-drawn menu items of the dark look: dark background, light text,
// access-key underlines, check marks, the bold default item and submenu
// arrows, all drawn by the program at the DPI of the monitor the menu opens
// on. Access keys of such items are resolved here as standard menus resolve
// theirs.
#include <windows.h>
#include <oleacc.h>

#include <functional>
#include <string>
#include <type_traits>

namespace staywick {

// What a program menu item's dwItemData points at. Screen readers cannot
// read the text of an owner-drawn item; Microsoft's way ("Exposing
// Owner-Drawn Menu Items") is an MSAAMENUINFO at the start of the item data:
// signature, length and the caption with its "&", which names the item and
// gives its access key.
struct StyledMenuItemData {
    MSAAMENUINFO msaa{};
    const void* owner = nullptr; // what the item stands for in the program
};
static_assert(std::is_standard_layout_v<StyledMenuItemData>,
              "the MSAAMENUINFO must be what the item data points at");

// Fills `data` for a caption, which must stay alive and unchanged while the
// item data is in a menu (set it again after every change of the caption).
void SetStyledItemData(StyledMenuItemData& data, const std::wstring& caption, const void* owner);
inline const void* OwnerOfItemData(ULONG_PTR itemData) {
    return itemData ? reinterpret_cast<const StyledMenuItemData*>(itemData)->owner : nullptr;
}

// What drawing one item needs.
struct StyledMenuItem {
    std::wstring caption; // "-" for a separator
    bool checked = false;
    bool radio = false;     // a dot for the check mark
    bool isDefault = false; // drawn bold
    bool hasSubmenu = false;
};

void MeasureStyledMenuItem(MEASUREITEMSTRUCT& mis, const StyledMenuItem& item, UINT dpi);
void DrawStyledMenuItem(const DRAWITEMSTRUCT& dis, const StyledMenuItem& item, UINT dpi);

// The access key of a caption ("&Activate for" gives 'A'), or 0.
wchar_t AccessKeyOf(const std::wstring& caption);

// The caption of an owner-drawn item from its item data, or empty.
using StyledCaptionOf = std::function<std::wstring(ULONG_PTR itemData)>;

// WM_MENUCHAR for owner-drawn items, as standard menus treat access keys: a
// key that belongs to one item chooses it (MNC_EXECUTE); a key shared by
// several moves the highlight to the next of them after the highlighted
// item, wrapping round (MNC_SELECT); no match gives 0.
LRESULT StyledMenuChar(wchar_t key, HMENU menu, const StyledCaptionOf& captionOf);

// Some systems (Wine) ignore MNC_SELECT. Call this from a message posted
// after the WM_MENUCHAR answer: when the item is still not highlighted, the
// highlight is moved there with arrow keys sent to the open menu window.
void EnsureMenuItemHighlighted(HMENU menu, UINT position);

// The DPI of the monitor at a screen point (the system DPI where the
// system cannot tell).
UINT DpiAtPoint(POINT pt);

} // namespace staywick
