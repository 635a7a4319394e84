// The tray menu's handlers on the main window.
#include "app/main_window.h"

#include "settings/win32/options_dialog.h"

#include "ui/window_utils.h"

namespace staywick {

// The items that BuildProgramParts leaves to the main window.
void TFrmStaywickMain::SetMenuHandlers(TMainTrayMenu& menu) {
    menu.Handlers.SetMaximumsystemidletime1Click = [this] { SetMaximumsystemidletime1Click(); };
    menu.Handlers.MnuDonateClick = [this] { MnuDonateClick(); };
    menu.Handlers.MnuAboutClick = [this] { MnuAboutClick(); };
    menu.Handlers.MnuQuitClick = [this] { MnuQuitClick(); };
}

void TFrmStaywickMain::SetMaximumsystemidletime1Click() {
    staywick::SetMaximumsystemidletime1Click(
        OptionsDialogHost{.app = app_,
                          .options = StaywickOptions,
                          .owner = Handle(),
                          .confirmed =
                              [this](bool notifySystemWasOn) {
                                  parts_->Controller.OptionsConfirmed(notifySystemWasOn);
                              },
                          .policy = &parts_->Controller.Policy()});
}

void TFrmStaywickMain::MnuDonateClick() {
    OpenDonationPage();
}

void TFrmStaywickMain::MnuAboutClick() {
    AboutWindow().Show();
}

// Closing the main window ends the program (FormDestroy removes the icon).
void TFrmStaywickMain::MnuQuitClick() {
    ::PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

} // namespace staywick
