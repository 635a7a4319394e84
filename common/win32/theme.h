#pragma once
// The user's colour modes, read from the system each time they are needed.
namespace staywick {

// True when kernel32.dll's product major version is 10 or more; false when
// its version resource cannot be read.
bool IsWindows10OrLater();

// True (dark) unless the user chose light for the taskbar (ForTaskbar, value
// "SystemUsesLightTheme") or for applications ("AppsUseLightTheme"). Before
// Windows 10 the taskbar counts as dark and applications as light; every
// failed read counts as dark.
bool IsDarkTheme(bool ForTaskbar);

} // namespace staywick
