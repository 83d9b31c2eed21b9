#include "editors/triggers/CycleTriggerModel.h"

#include <limits>

#include "document/CyclePeriod.h"
#include "editors/triggers/DigitEditModel.h"
#include "editors/triggers/TriggerKindModel.h"

namespace qv {
namespace {

constexpr uint64_t kMinute = 60, kHour = 3600, kDay = 86400;
constexpr uint64_t kNoWrap = std::numeric_limits<uint64_t>::max() / kHour;
constexpr uint64_t kUnitSeconds[] = {1, kMinute, kHour};
constexpr uint64_t kUnitMax[] = {kCycleMaxSeconds, kCycleMaxMinutes, kCycleMaxHours};
constexpr unsigned kUnitTooMany[] = {kMsgCycleTooManySeconds, kMsgCycleTooManyMinutes,
                                     kMsgCycleTooManyHours};

bool HasUnit(int unit) {
    return unit >= 0 && unit <= 2;
}

// The period fits evenly into a minute, an hour or a day, or is whole days.
bool IsAligned(uint64_t seconds) {
    if (seconds == 0)
        return false;
    if (seconds < kMinute)
        return kMinute % seconds == 0;
    if (seconds < kHour)
        return kHour % seconds == 0;
    if (seconds < kDay)
        return kDay % seconds == 0;
    return seconds % kDay == 0;
}

} // namespace

CycleForm LoadCycleForm(TriggerRecord& record) {
    PrepareKindParameters(record, kTriggerCycle);
    CycleForm form;
    form.mode = record.U8(trig::kCycleAlign) == 0 ? kCycleAligned : kCycleFree;
    const int unit = record.U8(trig::kCycleUnit);
    form.unit = HasUnit(unit) ? unit : kCycleNoUnit;
    form.period = std::to_wstring(GetCyclePeriod(record));
    return form;
}

Refusal CheckCycleForm(const CycleForm& form) {
    const std::optional<uint64_t> v = ParseDigitText(form.period);
    if (!v || *v == 0)
        return Refuse(kMsgCycleNoPeriod, kCycleFieldPeriod);
    if (form.mode == kCycleAligned) {
        // Counted in 64 bits, so that a large count cannot wrap into an aligned one.
        if (!HasUnit(form.unit) || *v > kNoWrap || !IsAligned(*v * kUnitSeconds[form.unit]))
            return Refuse(kMsgCycleNotAligned, kCycleFieldPeriod);
    }
    if (!HasUnit(form.unit))
        return Refuse(kMsgCycleNoUnit, kCycleFieldUnit);
    if (*v > kUnitMax[form.unit])
        return Refuse(kUnitTooMany[form.unit], kCycleFieldPeriod);
    return {};
}

void StoreCycleForm(const CycleForm& form, TriggerRecord& record) {
    record.SetU8(trig::kKind, kTriggerCycle);
    record.SetU8(trig::kCycleAlign, form.mode == kCycleAligned ? 0 : 1);
    const std::optional<uint64_t> v = ParseDigitText(form.period);
    if (!v || !HasUnit(form.unit) || *v > kUnitMax[form.unit])
        return; // not a checked form: the stored period stays
    const uint64_t seconds = *v * kUnitSeconds[form.unit];
    record.SetU8(trig::kCycleUnit, static_cast<uint8_t>(form.unit));
    record.SetU8(trig::kCycleDays, static_cast<uint8_t>(seconds / kDay));
    record.SetU8(trig::kCycleHours, static_cast<uint8_t>(seconds % kDay / kHour));
    record.SetU8(trig::kCycleMinutes, static_cast<uint8_t>(seconds % kHour / kMinute));
    record.SetU8(trig::kCycleSeconds, static_cast<uint8_t>(seconds % kMinute));
}

} // namespace qv
