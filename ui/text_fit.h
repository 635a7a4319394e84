#pragma once
// Fits a laid-out dialog to its texts, whatever its language and font: a
// control narrower than its text measured in its own font is widened, the
// controls to its right in its row move right by as much as the growth uses
// up of the gap between them, a sentence wraps within the dialog's width and
// what lies below moves down, buttons flush with the right edge stay there,
// and the client area grows to hold everything. Nothing ever shrinks below
// the layout it starts from, so texts that fit leave that layout exactly.
#include <windows.h>

namespace staywick {

// Works on every child of `dlg` as placed by the dialog's own layout at `dpi`.
void FitControlsToTexts(HWND dlg, UINT dpi);

} // namespace staywick
