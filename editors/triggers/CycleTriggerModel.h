// The cycle page: a period typed as one count of seconds, minutes or hours,
// aligned to the clock or free, stored as days, hours, minutes and seconds.
#pragma once
#include <string>

#include "document/Records.h"
#include "document/Refusal.h"

namespace qv {

enum CycleField { kCycleFieldPeriod = 1, kCycleFieldUnit };

constexpr int kCycleAligned = 0, kCycleFree = 1;
constexpr int kCycleNoUnit = -1; // a stored unit no radio button stands for

constexpr unsigned kMsgCycleNotAligned = 20230;
constexpr unsigned kMsgCycleTooManySeconds = 20231;
constexpr unsigned kMsgCycleTooManyMinutes = 20232;
constexpr unsigned kMsgCycleTooManyHours = 20233;
constexpr unsigned kMsgCycleNoPeriod = 20234;
constexpr unsigned kMsgCycleNoUnit = 20235;

// The longest period, 254 days, in each unit.
constexpr uint64_t kCycleMaxSeconds = 21945600, kCycleMaxMinutes = 365760, kCycleMaxHours = 6096;
constexpr size_t kCyclePeriodChars = 8;

struct CycleForm {
    int mode = kCycleAligned; // kCycleAligned or kCycleFree
    int unit = 0;             // 0 seconds, 1 minutes, 2 hours, kCycleNoUnit
    std::wstring period;      // as typed
};

// Takes over a record of another kind (1 second, aligned) and shows it.
CycleForm LoadCycleForm(TriggerRecord& record);

// Go on, or the first refusal in the page's order: no number, the aligned
// rule, the unit's maximum; a free period needs a unit too, so that a typed
// period is never dropped.
Refusal CheckCycleForm(const CycleForm& form);

// Writes kind, mode, unit and the period's parts of a checked form; bytes
// 0x28 on stay as they are.
void StoreCycleForm(const CycleForm& form, TriggerRecord& record);

} // namespace qv
