#include "editors/triggers/TriggerKindModel.h"

namespace qv {

void PrepareKindParameters(TriggerRecord& record, TriggerKind pageKind) {
    if (record.U8(trig::kKind) == pageKind)
        return;
    for (size_t at = kTriggerParams; at < kTriggerParamsEnd; ++at)
        record.SetU8(at, 0);
    if (pageKind == kTriggerCycle)
        record.SetU8(kTriggerParams, 1);
}

} // namespace qv
