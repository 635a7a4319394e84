#pragma once
// Push buttons, check boxes and radio buttons painted in the dark look. The
// control keeps its own behaviour (clicks, check state, default button); only
// its painting is replaced while the dark look is in force.
#include <windows.h>

namespace staywick {

void AttachStyledButton(HWND button);

} // namespace staywick
