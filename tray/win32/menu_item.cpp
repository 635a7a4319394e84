#include "tray/win32/menu_item.h"

namespace staywick {

namespace {

// "E&xit" as "Exit"; "&&" stays, as it is a plain ampersand.
std::wstring WithoutAccessKey(const std::wstring& caption) {
    std::wstring text;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'&' && i + 1 < caption.size() && caption[i + 1] == L'&') {
            text += L"&&";
            ++i;
        } else if (caption[i] != L'&') {
            text += caption[i];
        }
    }
    return text;
}

} // namespace

TMenuItem::TMenuItem(std::wstring name, std::wstring caption, std::int64_t tag)
    : Tag(tag), name_(std::move(name)), caption_(std::move(caption)) {
    SetStyledItemData(itemData_, caption_, this);
}

TMenuItem& TMenuItem::Add(std::wstring name, std::wstring caption, std::int64_t tag) {
    auto item = std::make_unique<TMenuItem>(std::move(name), std::move(caption), tag);
    item->parent_ = this;
    item->index_ = static_cast<int>(items_.size());
    items_.push_back(std::move(item));
    return *items_.back();
}

void TMenuItem::SetCaption(std::wstring caption) {
    caption_ = std::move(caption);
    SetStyledItemData(itemData_, caption_, this);
    if (!container_)
        return;
    if (ownerDrawn_) {
        UpdateType(true); // also has the item measured anew
        return;
    }
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = caption_.data();
    ::SetMenuItemInfoW(container_, position_, TRUE, &info);
}

void TMenuItem::SetChecked(bool checked) {
    checked_ = checked;
    UpdateMenuState();
}

void TMenuItem::SetEnabled(bool enabled) {
    enabled_ = enabled;
    UpdateMenuState();
}

void TMenuItem::Click() {
    if (AutoCheck)
        SetChecked(!checked_);
    if (OnClick)
        OnClick(*this);
}

void TMenuItem::Attach(HMENU container, UINT position, UINT command, HMENU submenu) {
    container_ = container;
    position_ = position;
    command_ = command;
    submenu_ = submenu;
}

void TMenuItem::UpdateMenuState() {
    if (!container_)
        return;
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    info.fState = (checked_ ? MFS_CHECKED : MFS_UNCHECKED) | (Default ? MFS_DEFAULT : 0u) |
                  (enabled_ ? MFS_ENABLED : MFS_DISABLED);
    ::SetMenuItemInfoW(container_, position_, TRUE, &info);
}

void TMenuItem::UpdateType(bool ownerDrawn) {
    ownerDrawn_ = ownerDrawn;
    if (!container_)
        return;
    std::wstring text = ownerDrawn ? WithoutAccessKey(caption_) : caption_;
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = IsSeparator() ? MIIM_FTYPE : MIIM_FTYPE | MIIM_STRING;
    info.fType = (IsSeparator() ? MFT_SEPARATOR : MFT_STRING) | (ownerDrawn ? MFT_OWNERDRAW : 0u) |
                 (RadioCheck ? MFT_RADIOCHECK : 0u);
    info.dwTypeData = IsSeparator() ? nullptr : text.data();
    ::SetMenuItemInfoW(container_, position_, TRUE, &info);
}

StyledMenuItem TMenuItem::Look() const {
    return StyledMenuItem{.caption = caption_,
                          .checked = checked_,
                          .radio = RadioCheck,
                          .isDefault = Default,
                          .hasSubmenu = !items_.empty()};
}

void TMenuItem::ForEach(const std::function<void(TMenuItem&)>& visit) {
    for (auto& item : items_) {
        visit(*item);
        item->ForEach(visit);
    }
}

} // namespace staywick
