#pragma once
// Where this process runs, read from its token (TokenElevation, Windows Vista
// and later) and its window station (WSF_VISIBLE).
#include "platform/caller_facts.h"

namespace staywick {

CallerFacts ReadCallerFacts();

} // namespace staywick
