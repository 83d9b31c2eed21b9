// What every kind page of the trigger editor shares: how a page takes over a
// record that held another kind.
#pragma once
#include "document/Records.h"

namespace qv {

constexpr size_t kTriggerParams = 0x22;     // the kind's parameters: 8 bytes
constexpr size_t kTriggerParamsEnd = 0x2A;  // contact and register go on to 0x4F
constexpr int kEditableTriggers = 128;      // records 128 to 255 are carried along

// A page opening on a record of another kind starts from zero parameters
// (a cycle from 1 in its first byte); the bytes from 0x2A on are kept.
void PrepareKindParameters(TriggerRecord& record, TriggerKind pageKind);

} // namespace qv
