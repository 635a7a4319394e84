#pragma once
// Names and numbers the program shares with the shell and with a second instance.

namespace staywick {

inline constexpr wchar_t kAppTitle[] = L"Staywick";
inline constexpr wchar_t kMutexName[] = L"TsStaywickWnd";
inline constexpr wchar_t kMainWindowClass[] = L"TFrmStaywickMain";
// The message-only window of a process that passes a command to the running
// instance; the instance sends its status line back to it.
inline constexpr wchar_t kCommandReplyClass[] = L"StaywickCommandReply";

// Private window messages (WM_USER + 42 and WM_USER + 45).
inline constexpr unsigned kWmAppLoaded = 1066;
inline constexpr unsigned kWmPrevInstance = 1069;

} // namespace staywick
