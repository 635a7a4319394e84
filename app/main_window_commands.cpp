// The main window's side of the commands for the running instance and of the
// global hotkey.
#include "app/main_window.h"

#include "app/command_server.h"
#include "common/app_names.h"
#include "resources/resource.h"
#include "ui/dialog_support.h"

namespace staywick {

namespace {
constexpr std::uint8_t kBalloonWarning = NIIF_WARNING;
// The hotkey's balloon stays away while the user does not want to be disturbed.
constexpr std::uint8_t kBalloonQuietInfo = NIIF_INFO | NIIF_RESPECT_QUIET_TIME;
} // namespace

LRESULT TFrmStaywickMain::CommandReceived(HWND sender, const COPYDATASTRUCT* data) {
    if (!parts_)
        return 0;
    return AnswerCommandData(parts_->Controller, Handle(), sender, data,
                             CommandServerHooks{.beforeCommand =
                                                    [this] {
                                                        AppLoaded();
                                                        AfterReady();
                                                    },
                                                // the normal exit path, once the answer is back
                                                .exit = [this] { MnuQuitClick(); }});
}

void TFrmStaywickMain::ApplyHotkey() {
    if (hotkey_->Set(StaywickOptions.Hotkey))
        return;
    ShowTrayBalloon(parts_->Tray, LoadResString(IDS_HOTKEY_TAKEN_TITLE),
                    LoadResString(IDS_HOTKEY_TAKEN), kBalloonWarning);
}

void TFrmStaywickMain::LidProblemSaid(WPARAM problem) {
    const UINT text = static_cast<LidProblem>(problem) == LidProblem::SettingsFileRefused
                          ? IDS_LID_FILE_REFUSED
                          : IDS_LID_POWER_REFUSED;
    ShowTrayBalloon(parts_->Tray, LoadResString(IDS_LID_TITLE), LoadResString(text),
                    kBalloonWarning);
}

// As a double click on the icon, then the new state in a balloon.
void TFrmStaywickMain::HotkeyPressed() {
    parts_->Controller.MnuActiveClick();
    ShowTrayBalloon(parts_->Tray, kAppTitle, parts_->Controller.StatusLine(), kBalloonQuietInfo);
}

} // namespace staywick
