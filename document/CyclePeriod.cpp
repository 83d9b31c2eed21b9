#include "document/CyclePeriod.h"

namespace qv {

int32_t GetCyclePeriod(const TriggerRecord& trigger) {
    const int32_t seconds = trigger.U8(trig::kCycleSeconds);
    const int32_t minutes = trigger.U8(trig::kCycleMinutes);
    const int32_t hours = trigger.U8(trig::kCycleHours) + 24 * trigger.U8(trig::kCycleDays);
    switch (trigger.U8(trig::kCycleUnit)) {
    case 0:
        return (hours * 60 + minutes) * 60 + seconds;
    case 1:
        return hours * 60 + minutes;
    case 2:
        return hours;
    default:
        return 0;
    }
}

} // namespace qv
