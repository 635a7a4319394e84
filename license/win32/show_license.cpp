#include "license/win32/show_license.h"

#include "common/scope_exit.h"
#include "common/win32/placement_win32.h"
#include "common/win32/temp_file.h"
#include "license/license_lines.h"
#include "license/win32/license_dialog.h"
#include "resources/resource.h"
#include "ui/dialog_support.h"

namespace staywick {

namespace {

// The RTF source is plain ASCII; the system's ANSI code page covers it.
std::string AnsiText(const std::wstring& text) {
    if (text.empty())
        return {};
    const int n = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                        nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n,
                          nullptr, nullptr);
    return bytes;
}

} // namespace

TShowLicense::TShowLicense(Application& app, HWND owner) : app_(app), owner_(owner) {}

void TShowLicense::Execute() {
    TFrmLicense dialog(owner_);
    FrmLicense = &dialog;
    ScopeExit clear([] { FrmLicense = nullptr; });
    dialog.sAppName = fAppName;
    dialog.SetPosition(fPosition);
    if (fPosition == poDesigned)
        PlaceNearTaskbar(dialog.Handle());
    {
        // Created exclusively and deleted by the system when closed, at the
        // end of this block or when an error leaves it.
        TempFile file = TempFile::Create(GetTempDirectory(), L"rtf");
        file.Write(AnsiText(JoinLinesCrLf(FlicenseText)));
        file.Rewind();
        dialog.LoadRtf(file.Handle());
    }
    dialog.ShowModal(app_);
}

std::vector<std::wstring> LicenseAgreementLines() {
    const HMODULE module = ResourceModule();
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(IDR_LICENSE_RTF), RT_RCDATA);
    if (!found)
        return {};
    HGLOBAL loaded = ::LoadResource(module, found);
    const auto* bytes = static_cast<const char*>(::LockResource(loaded));
    const DWORD size = ::SizeofResource(module, found);
    if (!bytes)
        return {};
    // The document is ASCII; each byte widens to one character.
    std::wstring text;
    text.reserve(size);
    for (DWORD i = 0; i < size; ++i)
        text.push_back(static_cast<unsigned char>(bytes[i]));
    return SplitLines(text);
}

} // namespace staywick
