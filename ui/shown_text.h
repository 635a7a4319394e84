#pragma once
// The form in which the program's texts are shown: as loaded, or in the
// pseudo-locale (qps-ploc) that tests and screenshots use to find texts that
// do not fit or were never loaded from the resources.
#include <windows.h>

#include <string>

namespace staywick {

// On when the environment variable STAYWICK_PSEUDO_LOCALE is set (to
// anything but "0") or a test turned it on.
bool PseudoLocaleOn();
// For in-process tests; the environment is not read again afterwards.
void SetPseudoLocale(bool on);

// `text` as the user sees it: its pseudo form while the pseudo-locale is on.
std::wstring ShownText(std::wstring text);

// The texts a dialog template gave `dlg` (its caption, labels and buttons) in
// their shown form; nothing while the pseudo-locale is off.
void ShowTemplateTexts(HWND dlg);

} // namespace staywick
