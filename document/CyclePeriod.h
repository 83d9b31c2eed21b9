// The period of a cycle trigger.
#pragma once
#include <cstdint>

#include "document/Records.h"

namespace qv {

// The period counted in the trigger's unit (0 seconds, 1 minutes, 2 hours);
// the parts below the unit are ignored, and any other unit gives 0.
int32_t GetCyclePeriod(const TriggerRecord& trigger);

} // namespace qv
