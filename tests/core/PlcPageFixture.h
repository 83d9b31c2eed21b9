// What the PLC page model tests run on: port 1 with the area protocol,
// port 2 with function codes, and a register record whose every byte
// differs, so a byte written by mistake shows in a whole-record comparison.
#pragma once
#include "document/SettingsImage.h"

namespace qv::test {

inline UnitBlock PlcPorts() {
    UnitBlock unit;
    unit.SetU8(unit::PortRecordOffset(1) + portrec::kProtocol, 1);
    return unit;
}

inline DeviceRecord PatternedDevice() {
    DeviceRecord r;
    for (size_t at = 0; at < DeviceRecord::kSize; ++at)
        r.SetU8(at, static_cast<uint8_t>(0x80 + at));
    r.SetU8(dev::kIsRegister, 1);
    return r;
}

} // namespace qv::test
