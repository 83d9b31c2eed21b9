// The unit ports the contact and register page tests run on: port 1 with
// the area protocol, port 2 with function codes; a port that serves no
// trigger on request.
#pragma once
#include "document/SettingsImage.h"

namespace qv::test {

inline UnitBlock TriggerPorts(bool port2ServesTriggers = true) {
    UnitBlock unit;
    unit.SetU8(unit::PortRecordOffset(0) + portrec::kProtocol, 0);
    unit.SetU8(unit::PortRecordOffset(1) + portrec::kProtocol, 1);
    unit.SetU8(unit::PortRecordOffset(1) + portrec::kRole, port2ServesTriggers ? 0 : 1);
    return unit;
}

// A record whose every byte from 0x22 on differs, so a byte written by
// mistake shows in a whole-record comparison.
inline TriggerRecord PatternedRecord(TriggerKind kind) {
    TriggerRecord r;
    r.SetAscii(trig::kName, 32, "T");
    r.SetU8(trig::kKind, kind);
    for (size_t at = 0x22; at < TriggerRecord::kSize; ++at)
        r.SetU8(at, static_cast<uint8_t>(0xA0 + at));
    return r;
}

} // namespace qv::test
