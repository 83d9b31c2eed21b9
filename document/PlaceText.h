// Where a device, a trigger or a data set reads or writes on the unit: its
// port, station, area and address, worded once for the trigger conditions,
// the printed report, the device list and the monitor.
#pragma once
#include <cstdint>
#include <string>

#include "document/SettingsImage.h"

namespace qv {

// The port's name, on a serial port its station, then the place
// ("Serial port 1 St.03 DT100"): a contact by its bit address, a register by
// its word address, each after its area's name; on a port that reads by
// function codes the code and the address in hexadecimal ("030064"), after
// the code's name when `codeName` is set.
std::wstring PlaceText(int port, int station, int area, uint32_t address, bool contact,
                       const UnitBlock& unit, bool codeName = false);

} // namespace qv
