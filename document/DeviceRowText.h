// The texts of one device as a row shows them: the device list page and the
// monitor window list the same devices in the same words.
#pragma once
#include <cstdint>
#include <string>

#include "document/SettingsImage.h"

namespace qv {

// The texts of one row, by column: hidden record index, number, name,
// port / station / address, mode, data.
struct DeviceRowText {
    std::wstring index, number, name, address, mode, data;
};
// Row texts of device `number` whose record is `index` in the table, -1 for
// a number without a device. The address is worded as the report words it.
DeviceRowText FormatDeviceRow(const DeviceTable& devices, int index, int number,
                              const UnitBlock& unit, uint32_t codePage);

} // namespace qv
