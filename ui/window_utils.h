#pragma once
// Small Win32 chores, each with one home: a window's text (from
// common/win32/window_text.h), the width of a one-line text in its font, and
// opening a web address in the browser.
#include "common/win32/window_text.h"

#include <windows.h>

#include <functional>
#include <string>

namespace staywick {

// Width in pixels of a control's one-line text drawn in `font` (the
// control's own font when nullptr); an "&" marks an access key and takes no room.
int TextWidth(HWND control, HFONT font = nullptr);
// Width in pixels of `text` on one line in `font`, every character drawn as
// it is (a list box's entry), measured on `wnd`'s screen.
int PlainTextWidth(HWND wnd, HFONT font, const std::wstring& text);

// Hands a web address to the shell ("Open"); the result is not checked, as
// nothing can be done about a missing browser.
void OpenWebAddress(const std::wstring& address);

// Tests see what would be handed to the shell; pass {} to restore.
void SetWebAddressOpener(std::function<void(const std::wstring&)> opener);

// The system calls PutTextOnClipboard makes; tests replace some to fail.
struct ClipboardCalls {
    BOOL(WINAPI* open)(HWND) = &::OpenClipboard;
    BOOL(WINAPI* empty)() = &::EmptyClipboard;
    LPVOID(WINAPI* lock)(HGLOBAL) = &::GlobalLock;
    HANDLE(WINAPI* set)(UINT, HANDLE) = &::SetClipboardData;
    BOOL(WINAPI* close)() = &::CloseClipboard;
};

// Replaces the clipboard's content with `text` as Unicode text. Throws
// AppError when the clipboard cannot be opened ("Cannot open clipboard"), the
// memory cannot be had ("Out of memory") or the clipboard refuses the text;
// the memory is freed and the clipboard closed on every path.
void PutTextOnClipboard(HWND owner, const std::wstring& text, const ClipboardCalls& calls = {});

} // namespace staywick
