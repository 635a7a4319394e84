#pragma once
// The end of a session as the tray shows it: "&Extend by 1 hour" while a
// session has an end, the "&When it ends" choice, and the balloon before the
// end, whose click keeps awake an hour longer.
#include "engine/session_ends.h"
#include "tray/win32/main_tray_menu.h"
#include "tray/win32/tray_icon.h"

#include <string>

namespace staywick {

class TTraySessionEndView : public SessionEndView {
public:
    TTraySessionEndView(TMainTrayMenu& menu, TTrayIcon& tray) : menu_(menu), tray_(tray) {}

    void SetExtendVisible(bool visible) override;
    void SetEndActionChoice(EndAction chosen, bool allowed, bool canHibernate) override;
    // Information balloon, respecting quiet time.
    void WarnOfEnd(const std::wstring& endText) override;

    // The balloon the user clicked is the warning (its title is the last posted).
    bool WarningClicked() const;

private:
    TMainTrayMenu& menu_;
    TTrayIcon& tray_;
};

} // namespace staywick
