#include "common/ok.h"
#include "tray/colour_mode.h"
