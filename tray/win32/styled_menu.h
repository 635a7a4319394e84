#pragma once
// Owner-drawn menu items of the dark look: dark background, light text,
// access-key underlines, check marks, the bold default item and submenu
// arrows, all drawn by the program.
#include "tray/win32/menu_item.h"

#include <windows.h>

namespace staywick {

void MeasureStyledMenuItem(MEASUREITEMSTRUCT& mis, const TMenuItem& item);
void DrawStyledMenuItem(const DRAWITEMSTRUCT& dis, const TMenuItem& item);

// WM_MENUCHAR for owner-drawn items (the system cannot see their captions):
// the item whose access key is `key`, as MNC_EXECUTE, or 0 when none matches.
LRESULT StyledMenuChar(wchar_t key, HMENU menu);

// The access key of a caption ("&Activate for" gives 'A'), or 0.
wchar_t AccessKeyOf(const std::wstring& caption);

} // namespace staywick
