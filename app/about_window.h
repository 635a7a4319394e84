#pragma once
// The About face of the main window: its controls (created as children of
// the main window), the version line, the four links, "&OK"/Enter/Esc
// hiding it and the placement next to the taskbar when it is shown.
#include "common/win32/handles.h"
#include "license/win32/show_license.h"
#include "ui/application.h"

#include <windows.h>

#include <functional>
#include <string>

namespace staywick {

// The donation page in the user's browser: the tray menu's "&Donate" and the
// About window's donation link (through OpenWebAddress).
void OpenDonationPage();

class TAboutWindow {
public:
    // `host` is the main window; its client area is sized to the layout and
    // it is registered with `app` for Tab, Enter and Esc. `exePath` is the
    // file whose version the version line shows.
    TAboutWindow(Application& app, HWND host, const std::wstring& exePath);
    ~TAboutWindow();
    TAboutWindow(const TAboutWindow&) = delete;
    TAboutWindow& operator=(const TAboutWindow&) = delete;

    // The main window passes every message here first; true means handled,
    // with `result` as the answer. WM_DPICHANGED is seen (the layout follows)
    // but left unhandled so the main window can act on it as well.
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // MnuAboutClick: makes the window visible and brings it to the front;
    // the placement runs only when it turns from hidden to visible.
    void Show();
    // Button2Click: hides it; the program keeps running in the tray.
    void Button2Click();

    HWND Control(int id) const { return ::GetDlgItem(host_, id); }

    // The license viewer of the "License Agreement" link.
    TShowLicense ShowLicense;
    // The donation link runs the tray menu's Donate action (MnuDonateClick),
    // which opens the donation page.
    std::function<void()> OnDonate = &OpenDonationPage;

private:
    void CreateControls();
    void Layout(UINT dpi);
    void FormShow();
    void LinkClicked(UINT_PTR id);
    // The background of the window and its labels in the standard look.
    HBRUSH Background() const;

    Application& app_;
    HWND host_;
    win32::FontHandle font_;
    win32::FontHandle boldFont_;
    win32::IconHandle logo_;
    win32::BrushHandle white_;
};

} // namespace staywick
