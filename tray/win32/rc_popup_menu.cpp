#include "tray/win32/rc_popup_menu.h"

#include "ui/styled_menu.h"
#include "ui/visual_style.h"

#include <versionhelpers.h>

#include <algorithm>
#include <utility>

namespace staywick {

namespace {

constexpr wchar_t kListWindowClass[] = L"TRCPopupListWindow";
// Posted after a WM_MENUCHAR answer of MNC_SELECT.
constexpr UINT kCheckHighlight = WM_APP + 1;
UINT nextCommand = 100;

void BuildItems(TMenuItem& parent, HMENU menu) {
    UINT position = 0;
    for (std::size_t i = 0; i < parent.Count(); ++i) {
        TMenuItem& item = parent[i];
        if (!item.Visible) {
            item.Attach(nullptr, 0, 0, nullptr);
            continue;
        }
        HMENU submenu = item.Count() > 0 ? ::CreatePopupMenu() : nullptr;
        if (submenu)
            BuildItems(item, submenu);
        const UINT command = item.IsSeparator() ? 0 : nextCommand++;
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_DATA;
        info.fType = item.IsSeparator() ? MFT_SEPARATOR
                                        : MFT_STRING | (item.RadioCheck ? MFT_RADIOCHECK : 0u);
        info.fState = (item.Checked() ? MFS_CHECKED : 0u) | (item.Default ? MFS_DEFAULT : 0u) |
                      (item.Enabled() ? 0u : MFS_DISABLED);
        info.wID = command;
        info.dwItemData = item.ItemData();
        std::wstring caption = item.Caption();
        if (!item.IsSeparator()) {
            info.fMask |= MIIM_STRING;
            info.dwTypeData = caption.data();
        }
        if (submenu) {
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = submenu;
        }
        ::InsertMenuItemW(menu, position, TRUE, &info);
        item.Attach(menu, position++, command, submenu);
    }
}

} // namespace

TRCPopupMenu::TRCPopupMenu() {
    TRCPopupList::Instance().Add(this);
}

TRCPopupMenu::~TRCPopupMenu() {
    menu_.Reset();
    TRCPopupList::Instance().Remove(this);
}

HMENU TRCPopupMenu::Handle() {
    if (!menu_ || stale_)
        Build();
    return menu_.Get();
}

void TRCPopupMenu::SetItemVisible(TMenuItem& item, bool visible) {
    if (item.Visible == visible)
        return;
    item.Visible = visible;
    stale_ = true;
}

void TRCPopupMenu::Build() {
    menu_.Reset(::CreatePopupMenu());
    BuildItems(root_, menu_.Get());
    dark_ = false;
    stale_ = false;
}

TMenuItem* TRCPopupMenu::FindCommand(UINT command) {
    if (command == 0)
        return nullptr;
    TMenuItem* found = nullptr;
    root_.ForEach([&](TMenuItem& item) {
        if (!found && item.Command() == command)
            found = &item;
    });
    return found;
}

void TRCPopupMenu::ApplyLook(bool dark) {
    HMENU menu = Handle();
    if (dark == dark_)
        return;
    dark_ = dark;
    root_.ForEach([dark](TMenuItem& item) { item.UpdateType(dark); });
    MENUINFO info{};
    info.cbSize = sizeof(info);
    info.fMask = MIM_BACKGROUND | MIM_APPLYTOSUBMENUS;
    info.hbrBack = dark ? VisualStyle::WindowBrush() : nullptr;
    ::SetMenuInfo(menu, &info);
}

UINT TRCPopupMenu::TrackFlags() const {
    UINT flags = 0;
    switch (Alignment) {
    case TPopupAlignment::paLeft:
        flags = RightToLeft ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
        break;
    case TPopupAlignment::paRight:
        flags = RightToLeft ? TPM_LEFTALIGN : TPM_RIGHTALIGN;
        break;
    case TPopupAlignment::paCenter:
        flags = TPM_CENTERALIGN;
        break;
    }
    if (::IsWindowsVersionOrGreater(4, 1, 0)) {
        flags |= ((MenuAnimation & 0x1Fu) << 10) | TPM_RECURSE;
    }
    // No TPM_RIGHTBUTTON: the right button must not choose items, so the
    // system reports it with WM_MENURBUTTONUP instead.
    return flags;
}

bool TRCPopupMenu::Popup(int X, int Y) {
    if (OnPopup)
        OnPopup(*this);
    ApplyLook(VisualStyle::IsDark());
    // Sizes come from the monitor the menu opens on; owner-drawn items are
    // measured anew when that DPI differs from the last one.
    const UINT dpi = DpiAtPoint(POINT{X, Y});
    if (dark_ && dpi != TRCPopupList::Instance().MenuDpi())
        root_.ForEach([](TMenuItem& item) { item.UpdateType(true); });
    TRCPopupList::Instance().SetMenuDpi(dpi);
    TRCPopupList& list = TRCPopupList::Instance();
    const unsigned commandsBefore = list.CommandsRun();
    ::TrackPopupMenuEx(Handle(), TrackFlags(), X, Y, list.Window(), nullptr);
    // TrackPopupMenu's documented remedy: a benign message after the menu,
    // so that the next menu opened from the tray does not close at once.
    ::PostMessageW(list.Window(), WM_NULL, 0, 0);
    // The choice's WM_COMMAND is posted (it waits in the queue) or, on some
    // systems, already handled.
    MSG pending;
    return list.CommandsRun() != commandsBefore ||
           ::PeekMessageW(&pending, list.Window(), WM_COMMAND, WM_COMMAND, PM_NOREMOVE) != FALSE;
}

TRCPopupList& TRCPopupList::Instance() {
    static TRCPopupList list;
    return list;
}

void TRCPopupList::Add(TRCPopupMenu* menu) {
    menus_.push_back(menu);
    if (!Handle()) {
        RegisterWindowClass(kListWindowClass);
        // A hidden top-level window: menus need a real window as their owner.
        Create(0, kListWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr);
    }
}

void TRCPopupList::Remove(TRCPopupMenu* menu) {
    menus_.erase(std::remove(menus_.begin(), menus_.end(), menu), menus_.end());
    if (menus_.empty())
        Destroy();
}

LRESULT TRCPopupList::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_MENURBUTTONUP:
        for (TRCPopupMenu* menu : menus_) {
            if (menu->Handle() != reinterpret_cast<HMENU>(lParam))
                continue;
            // wParam is the position in the open menu; hidden items take none.
            TMenuItem& root = menu->Items();
            for (std::size_t i = 0; i < root.Count(); ++i) {
                if (root[i].AttachedAt(static_cast<UINT>(wParam)) && menu->OnMenuRightClick)
                    menu->OnMenuRightClick(*menu, root[i]);
            }
            return 0;
        }
        break; // a submenu's handle: nothing of ours
    case WM_COMMAND:
        if (HIWORD(wParam) == 0) {
            for (TRCPopupMenu* menu : menus_) {
                if (TMenuItem* item = menu->FindCommand(LOWORD(wParam))) {
                    ++commandsRun_;
                    item->Click();
                    return 0;
                }
            }
        }
        break;
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (mis->CtlType == ODT_MENU && mis->itemData) {
            MeasureStyledMenuItem(*mis, TMenuItem::FromItemData(mis->itemData)->Look(), menuDpi_);
            return TRUE;
        }
        break;
    }
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (dis->CtlType == ODT_MENU && dis->itemData) {
            DrawStyledMenuItem(*dis, TMenuItem::FromItemData(dis->itemData)->Look(), menuDpi_);
            return TRUE;
        }
        break;
    }
    case WM_MENUCHAR: {
        const auto menu = reinterpret_cast<HMENU>(lParam);
        const LRESULT answer = StyledMenuChar(LOWORD(wParam), menu, [](ULONG_PTR data) {
            return TMenuItem::FromItemData(data)->Caption();
        });
        // Checked once the menu loop has acted on the answer.
        if (HIWORD(answer) == MNC_SELECT)
            ::PostMessageW(Handle(), kCheckHighlight, LOWORD(answer), lParam);
        return answer;
    }
    case kCheckHighlight:
        EnsureMenuItemHighlighted(reinterpret_cast<HMENU>(lParam), static_cast<UINT>(wParam));
        return 0;
    default:
        break;
    }
    return DefaultHandling(msg, wParam, lParam);
}

} // namespace staywick
