#include "platform/win32/handles.h"
#include <windows.h>
#include <vector>
