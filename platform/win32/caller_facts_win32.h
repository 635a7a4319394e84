#pragma once
// Where this process runs, read from its token (elevation type and integrity,
// against the desktop shell's; Windows Vista and later) and its window
// station (WSF_VISIBLE).
#include "platform/caller_facts.h"

namespace staywick {

CallerFacts ReadCallerFacts();

} // namespace staywick
