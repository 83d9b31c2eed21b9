// Where a device, a trigger or a data set reads or writes on the unit: its
// port, station, area and address, worded once for every page of the report.
#pragma once
#include <cstdint>
#include <string>

#include "document/SettingsImage.h"
#include "editors/triggers/TriggerTextModel.h"

namespace qv::report {

// How the report words trigger conditions: an address is a number and
// never negative, as the dialogs take it.
inline constexpr TriggerTextStyle kReportConditionStyle{false, true, false, kReportTriggerCount};

// The place as a trigger condition names it ("Serial port 1 St.03 DT100"):
// a contact by its bit address, a register by its word address, on a port
// that reads by function codes the code and address in hexadecimal.
std::wstring PlaceText(int port, int station, int area, uint32_t address, bool contact,
                       const UnitBlock& unit);

} // namespace qv::report
