// The tray menu's handlers on the main window.
#include "app/main_window.h"

#include "settings/win32/options_dialog.h"

#include <shellapi.h>

namespace staywick {

void TFrmStaywickMain::SetMenuHandlers() {
    MainTrayMenu.Handlers.MnuActiveClick = [this] { controller_->MnuActiveClick(); };
    MainTrayMenu.Handlers.Indefinitely1Click = [this](std::size_t position) {
        controller_->Indefinitely1Click(position);
    };
    MainTrayMenu.Handlers.SetMaximumsystemidletime1Click = [this] { SetMaximumsystemidletime1Click(); };
    MainTrayMenu.Handlers.MnuDonateClick = [this] { MnuDonateClick(); };
    MainTrayMenu.Handlers.MnuAboutClick = [this] { MnuAboutClick(); };
    MainTrayMenu.Handlers.MnuQuitClick = [this] { MnuQuitClick(); };
    Tray.OnDblClick = [this] { controller_->MnuActiveClick(); };
}

void TFrmStaywickMain::SetMaximumsystemidletime1Click() {
    staywick::SetMaximumsystemidletime1Click(OptionsDialogHost{
        app_, StaywickOptions, Handle(), [this] { SaveOptions(); },
        [this](std::uint32_t ms) { controller_->TimerMain.SetInterval(ms); },
        [this] { input_.ReleaseAwakeState(); }});
}

void TFrmStaywickMain::MnuDonateClick() {
    ::ShellExecuteW(nullptr, L"Open", STAYWICK_DONATE_URL, L"", L"", SW_SHOW);
}

void TFrmStaywickMain::MnuAboutClick() { AboutWindow().Show(); }

// Closing the main window ends the program (FormDestroy removes the icon).
void TFrmStaywickMain::MnuQuitClick() { ::PostMessageW(Handle(), WM_CLOSE, 0, 0); }

} // namespace staywick
