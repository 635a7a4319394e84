#pragma once
// TShowLicense: holds the license agreement as lines of an RTF document and
// shows it in the license dialog on request.
#include "license/position.h"
#include "ui/application.h"

#include <windows.h>

#include <string>
#include <vector>

namespace staywick {

class TShowLicense {
public:
    // `owner` owns the dialog (the main window); the dialog runs modally
    // inside `app`'s message loop.
    TShowLicense(Application& app, HWND owner);

    const std::vector<std::wstring>& LicenseText() const noexcept { return FlicenseText; }
    void SetLicenseText(const std::vector<std::wstring>& lines) { FlicenseText = lines; }
    const std::wstring& ApplicationName() const noexcept { return fAppName; }
    void SetApplicationName(const std::wstring& name) { fAppName = name; }
    TPosition Position() const noexcept { return fPosition; }
    void SetPosition(TPosition position) noexcept { fPosition = position; }

    // Shows the agreement modally. The document goes through a temporary
    // file that exists only while it is loaded. Errors (an unwritable
    // temporary folder, an unreadable document) propagate as AppError and
    // no dialog is shown.
    void Execute();

private:
    Application& app_;
    HWND owner_;
    std::vector<std::wstring> FlicenseText;
    std::wstring fAppName;
    TPosition fPosition = poOwnerFormCenter;
};

// The program's own license agreement, embedded in the executable.
std::vector<std::wstring> LicenseAgreementLines();

} // namespace staywick
