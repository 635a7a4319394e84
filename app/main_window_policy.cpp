// The main window and the policies: read when the window is created, and
// again on the WM_SETTINGCHANGE "Policy" that Group Policy broadcasts after a
// refresh (wParam 1 for the machine's policy, 0 for the user's; both are read
// again whichever came).
#include "app/main_window.h"

#include "engine/policy.h"

namespace staywick {

bool IsPolicyChangeMessage(LPARAM lParam) {
    const auto* area = reinterpret_cast<const wchar_t*>(lParam);
    return area && ::lstrcmpiW(area, L"Policy") == 0;
}

void TFrmStaywickMain::ApplyPolicy(const StaywickPolicy& policy) {
    parts_->Controller.SetPolicy(policy);
    parts_->MainTrayMenu.SetDonateVisible(!policy.HideDonate());
    parts_->MainTrayMenu.MnuWhile().SetEnabled(policy.AllowAutomatic());
}

void TFrmStaywickMain::PolicyChanged() {
    const StaywickPolicy policy = StaywickPolicy::Read(policyStore_);
    if (policy == parts_->Controller.Policy())
        return;
    std::vector<std::wstring> lines{L"Policies changed"};
    for (std::wstring& line : PolicyLines(policy))
        lines.push_back(std::move(line));
    if (policy.Disabled()) {
        parts_->Controller.SetPolicy(policy);
        WritePolicyLines(lines);
        EndByPolicy();
        return;
    }
    parts_->MainTrayMenu.SetDonateVisible(!policy.HideDonate());
    parts_->MainTrayMenu.MnuWhile().SetEnabled(policy.AllowAutomatic());
    parts_->Controller.PolicyChanged(policy);
    WritePolicyLines(lines);
}

void TFrmStaywickMain::WritePolicyLines(const std::vector<std::wstring>& lines) {
    for (const std::wstring& line : lines) {
        if (parts_->Controller.TimerDebug.Enabled())
            DebugWrite(line);
        if (logEnabled_)
            AppendLog(line);
    }
}

// A log line that cannot be written does not keep a turned-off program
// running: the end is asked for before the line. With "/D" the reason stays
// on screen, and the program, halted and without its icon, ends when the
// user closes the debug window (at once if that window could not be made).
void TFrmStaywickMain::EndByPolicy() {
    const auto end = [wnd = Handle()] { ::PostMessageW(wnd, WM_CLOSE, 0, 0); };
    if (!parts_->Controller.TimerDebug.Enabled()) {
        end();
        WritePolicyLines({PolicyDisabledLine()});
        return;
    }
    parts_->Controller.Halt();
    parts_->Controller.TimerDebug.SetEnabled(false); // no idle lines below the reason
    debugWindow_.OnDestroyed = end;
    DebugWrite(PolicyDisabledLine());
    if (!debugWindow_.Exists())
        end();
    parts_->Tray.SetVisible(false);
}

} // namespace staywick
