#include "app/program_parts.h"

namespace staywick {

ProgramParts::ProgramParts(TStaywickOptions& options, const ProgramPorts& ports)
    : Tray(ports.applicationWindow, ports.shell, ports.trayRetryTimer),
      Appearance(TrayIcons, Tray, &MainTrayMenu, ports.windowDpi,
                 ports.dpiRedrawTimer ? *ports.dpiRedrawTimer : DpiRedrawTimerPort),
      StatusView(MainTrayMenu, Tray, Appearance),
      Controller(options, StatusView, ports.input, ports.diagnostics, ports.saveOptions,
                 ports.timers, ports.power, &Automatic) {}

std::unique_ptr<ProgramParts> BuildProgramParts(TStaywickOptions& options,
                                                const ProgramPorts& ports) {
    auto parts = std::make_unique<ProgramParts>(options, ports);
    KeepAwakeController& controller = parts->Controller;
    parts->MainTrayMenu.Handlers.MnuActiveClick = [&controller] { controller.MnuActiveClick(); };
    parts->MainTrayMenu.Handlers.Indefinitely1Click = [&controller](std::size_t position) {
        controller.Indefinitely1Click(position);
    };
    parts->MainTrayMenu.Handlers.MnuKeepDisplayOnClick = [&controller] {
        controller.KeepDisplayOnClick();
    };
    parts->MainTrayMenu.Handlers.MnuEndActionClick = [&controller](EndAction action) {
        controller.EndActionClick(action);
    };
    parts->MainTrayMenu.Handlers.MnuExtendClick = [&controller] {
        controller.ExtendClick(kExtendClickMinutes);
    };
    parts->MainTrayMenu.OnPopup = [&controller](TRCPopupMenu&) {
        controller.ShowEndActionChoice();
    };
    parts->Automatic.OnOneShotEnded = [&controller] { controller.OneShotEnded(); };
    parts->Tray.OnDblClick = [&controller] { controller.MnuActiveClick(); };
    parts->Automatic.OnChange = [&controller] { controller.UpdateActiveStatus(); };
    parts->Tray.PopupMenu = &parts->MainTrayMenu;
    parts->Tray.ProcessMessages = ports.processMessages;
    parts->Tray.OnEndSession = ports.endSession;
    TTrayIcon& tray = parts->Tray;
    parts->PowerEvents.OnResume = [&tray, &controller](ResumeKind kind) {
        // The icon first, so the status update that follows changes an icon
        // the shell knows.
        tray.ShowAgain();
        controller.PowerResumed(kind);
    };
    parts->PowerEvents.OnSuspend = [&controller] { controller.PowerSuspending(); };
    return parts;
}

Application::MessageHook AppMessageHook(KeepAwakeController& controller) {
    return [&controller](const MSG& msg, bool& handled) {
        controller.OnAppMessage(msg.message, msg.wParam, handled);
    };
}

void ReleaseAwakeAndRemoveIcon(InputPower& input, ProgramParts* parts, PowerRequest* power) {
    input.ReleaseAwakeState();
    if (power)
        power->Release();
    if (parts)
        parts->Tray.SetVisible(false);
}

} // namespace staywick
