#pragma once

#include "FatalError.h"

// Where the last exception of this thread was thrown. Falls back to this
// executable at offset 0 when no throw was seen.
TThrowSite LastThrowSite();
