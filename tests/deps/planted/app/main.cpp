#include <windows.h>
#include "common/win32/handles.h"
