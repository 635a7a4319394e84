#pragma once
// What the keep-awake controller shows, put on the tray: the status item,
// the "&Activate for" check marks, the tip and the glyph.
#include "engine/keep_awake_seams.h"
#include "tray/win32/main_tray_menu.h"
#include "tray/win32/tray_appearance.h"
#include "tray/win32/tray_icon.h"

namespace staywick {

class TTrayStatusView : public KeepAwakeView {
public:
    TTrayStatusView(TMainTrayMenu& menu, TTrayIcon& tray, TTrayAppearance& appearance)
        : menu_(menu), tray_(tray), appearance_(appearance) {}

    void SetStatusChecked(bool checked) override { menu_.MnuActive().SetChecked(checked); }
    void SetStatusCaption(const std::wstring& caption) override {
        menu_.MnuActive().SetCaption(caption);
    }
    void SetActivateForChecked(std::size_t position, bool checked) override {
        menu_.SetActivateForChecked(position, checked);
    }
    void SetActivateUntilChecked(bool checked) override { menu_.MnuUntil().SetChecked(checked); }
    void SetActivateForOwnChecked(bool checked) override { menu_.MnuFor().SetChecked(checked); }
    void SetKeepDisplayOn(bool checked, bool enabled) override {
        menu_.MnuKeepDisplayOn().SetChecked(checked);
        menu_.MnuKeepDisplayOn().SetEnabled(enabled);
    }
    void SetActivateForEnabled(std::size_t position, bool enabled) override {
        menu_.ActivateForItem(position).SetEnabled(enabled);
    }
    void SetTrayTip(const std::wstring& tip) override { tray_.SetHint(tip); }
    void UpdateTrayIcon(std::int32_t index) override { appearance_.UpdateTrayIcon(index); }

private:
    TMainTrayMenu& menu_;
    TTrayIcon& tray_;
    TTrayAppearance& appearance_;
};

} // namespace staywick
