// The main window's side of the commands for the running instance and of the
// global hotkey.
#include "app/main_window.h"

#include "common/app_names.h"
#include "resources/resource.h"
#include "ui/dialog_support.h"
#include "ui/error_report.h"

namespace staywick {

namespace {
constexpr UINT kReplyTimeoutMs = 1000;
constexpr std::uint8_t kBalloonWarning = NIIF_WARNING;
// The hotkey's balloon stays away while the user does not want to be disturbed.
constexpr std::uint8_t kBalloonQuietInfo = NIIF_INFO | NIIF_RESPECT_QUIET_TIME;

bool IsReplyWindow(HWND wnd) {
    wchar_t name[64] = {};
    return wnd && ::GetClassNameW(wnd, name, 64) > 0 && std::wstring(name) == kCommandReplyClass;
}
} // namespace

// Data from another process: anything but a well-formed command is ignored
// (answered 0, which no command's answer is).
LRESULT TFrmStaywickMain::CommandReceived(HWND sender, const COPYDATASTRUCT* data) {
    if (!data || !parts_)
        return 0;
    const auto text = TextFromCopyData(data->dwData, kCommandDataTag, data->lpData, data->cbData);
    const auto command = text ? ParseCommandText(*text) : std::nullopt;
    if (!command)
        return 0;
    RunGuarded([this] { AppLoaded(); });
    int code = kExitDone;
    RunGuarded([&] { code = parts_->Controller.ApplyCommand(*command); });
    if (IsReplyWindow(sender)) {
        std::wstring line = parts_->Controller.StatusLine();
        COPYDATASTRUCT reply{kReplyDataTag, static_cast<DWORD>((line.size() + 1) * sizeof(wchar_t)),
                             line.data()};
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutW(sender, WM_COPYDATA, reinterpret_cast<WPARAM>(Handle()),
                              reinterpret_cast<LPARAM>(&reply), SMTO_ABORTIFHUNG, kReplyTimeoutMs,
                              &ignored);
    }
    if (command->kind == CommandKind::Exit)
        MnuQuitClick(); // the normal exit path, once this answer is back
    return kCommandAnswerBase + code;
}

void TFrmStaywickMain::ApplyHotkey() {
    if (hotkey_->Set(StaywickOptions.Hotkey))
        return;
    ShowTrayBalloon(parts_->Tray, LoadResString(IDS_HOTKEY_TAKEN_TITLE),
                    LoadResString(IDS_HOTKEY_TAKEN), kBalloonWarning);
}

// As a double click on the icon, then the new state in a balloon.
void TFrmStaywickMain::HotkeyPressed() {
    parts_->Controller.MnuActiveClick();
    ShowTrayBalloon(parts_->Tray, kAppTitle, parts_->Controller.StatusLine(), kBalloonQuietInfo);
}

} // namespace staywick
