// The tray menu's handlers on the main window.
#include "app/main_window.h"

#include "engine/clock_target.h"
#include "resources/resource.h"
#include "settings/automatic_settings.h"
#include "settings/win32/options_dialog.h"
#include "tray/win32/for_dialog.h"
#include "tray/win32/until_dialog.h"
#include "tray/win32/while_dialog.h"
#include "ui/dialog_support.h"

#include "ui/window_utils.h"

namespace staywick {

// The items that BuildProgramParts leaves to the main window.
void TFrmStaywickMain::SetMenuHandlers(TMainTrayMenu& menu) {
    menu.Handlers.SetMaximumsystemidletime1Click = [this] { SetMaximumsystemidletime1Click(); };
    menu.Handlers.MnuDonateClick = [this] { MnuDonateClick(); };
    menu.Handlers.MnuAboutClick = [this] { MnuAboutClick(); };
    menu.Handlers.MnuQuitClick = [this] { MnuQuitClick(); };
    menu.Handlers.MnuUntilClick = [this] { MnuUntilClick(); };
    menu.Handlers.MnuWhileClick = [this] { MnuWhileClick(); };
    menu.Handlers.MnuForClick = [this] { MnuForClick(); };
}

// OK saves the six settings as ever; the settings of keeping awake by
// itself take effect at once and are written, only when the Automatic dialog
// changed them.
void TFrmStaywickMain::SetMaximumsystemidletime1Click() {
    const AutomaticOptions automaticBefore = automaticOptions_;
    staywick::SetMaximumsystemidletime1Click(OptionsDialogHost{
        .app = app_,
        .options = StaywickOptions,
        .owner = Handle(),
        .confirmed =
            [this, &automaticBefore](bool notifySystemWasOn) {
                parts_->Controller.OptionsConfirmed(notifySystemWasOn);
                if (StaywickOptions.Hotkey != hotkey_->Registered())
                    ApplyHotkey();
                if (automaticOptions_ != automaticBefore) {
                    automatic_->Apply(automaticOptions_);
                    SaveAutomaticOptions(profile_, sMainIniFile, automaticOptions_);
                }
            },
        .policy = &parts_->Controller.Policy(),
        .automatic = &automaticOptions_,
        .runningProcesses = [this] { return automatic_->RunningProcesses(); },
        .canHibernate = [this] { return systemActions_.CanHibernate(); }});
}

void TFrmStaywickMain::MnuDonateClick() {
    OpenDonationPage();
}

void TFrmStaywickMain::MnuAboutClick() {
    AboutWindow().Show();
}

// The dialog shows the time set last, or one hour from now.
void TFrmStaywickMain::MnuUntilClick() {
    const std::int64_t inAnHour = clock_.LocalWallMs(clock_.WallClockMs()) + kDayMs / 24;
    const std::int32_t initial = StaywickOptions.ActivateUntil.value_or(
        static_cast<std::int32_t>((inAnHour % kDayMs + kDayMs) % kDayMs / 60000));
    if (const auto chosen = ChooseUntilTime(app_, Handle(), initial))
        parts_->Controller.ActivateUntilClick(*chosen);
}

// The dialog shows the countdown's length, or one hour.
void TFrmStaywickMain::MnuForClick() {
    const std::int32_t initial = StaywickOptions.ActivateFor > 0 ? StaywickOptions.ActivateFor : 60;
    if (const auto chosen = ChooseForLength(app_, Handle(), initial))
        parts_->Controller.ActivateForMinutesClick(*chosen);
}

// The program chosen may have ended meanwhile: a balloon says why nothing
// changed.
void TFrmStaywickMain::MnuWhileClick() {
    const auto chosen = ChooseWhileProgram(app_, Handle(), programWindows_);
    if (!chosen)
        return;
    const std::wstring problem = parts_->Controller.WhileProgramClick(
        {.id = chosen->processId, .fileName = chosen->fileName});
    if (!problem.empty())
        ShowTrayBalloon(parts_->Tray, LoadResString(IDS_WHILE_REFUSED_TITLE), problem,
                        NIIF_WARNING);
}

// Closing the main window ends the program (FormDestroy removes the icon).
void TFrmStaywickMain::MnuQuitClick() {
    ::PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

} // namespace staywick
