// The clock pane's model: how the unit sets its clock (not at all, from a
// time server, or from a device on a serial port), the trigger that starts
// it, and the unit's time zone.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document/ListFillers.h"
#include "document/Refusal.h"
#include "document/SettingsImage.h"

namespace qv {

constexpr unsigned kMsgNoTimeServerName = 20184;
constexpr unsigned kMsgTimeServerNameChars = 20185;
constexpr unsigned kMsgNoSyncTrigger = 20186;
constexpr unsigned kMsgTimeServerAddress = 20370;
constexpr unsigned kStrTimeZoneFirst = 9000; // -12 hours; 9024: +12 hours

constexpr int kSyncNone = 0, kSyncServer = 1, kSyncDevice = 2;
constexpr int kTimeZoneMin = -12, kTimeZoneMax = 12;
constexpr int kTimeZoneCount = kTimeZoneMax - kTimeZoneMin + 1;
constexpr size_t kTimeServerChars = 64;
constexpr int kTriggerCount = 128;

enum ConfigTimeField {
    kTimeFieldNone = 0,
    kTimeFieldHost,
    kTimeFieldAddress,
    kTimeFieldTrigger,
    kTimeFieldYear,
    kTimeFieldDay,
};

struct ConfigTimeForm {
    int mode = kSyncNone; // a stored mode the pane does not know shows as none
    bool byAddress = false;
    std::wstring host;
    // Empty when a field of the address entry is empty or above 255.
    std::optional<std::array<uint8_t, 4>> address;
    int port = 2;    // 1 or 2
    int station = 1; // 1 to the port's highest station
    int trigger = 0; // trigger number = item of the trigger box; 0 none
    // Item of the zone box (offset + 12); -1 for a stored offset outside
    // -12..12, which a store keeps.
    int zone = -1;
};

ConfigTimeForm LoadConfigTime(const TimeBlock& time, const UnitBlock& unit, uint32_t codePage);

// 99 for a port on the area protocol, 247 for one on function codes.
int HighestStation(const UnitBlock& unit, int port);
// The station kept when the port changes: the first one when it lies
// beyond the new port's range.
int StationForPort(int station, const UnitBlock& unit, int port);

// Time zone offset of a zone box item.
inline int ZoneOffset(int item) {
    return item + kTimeZoneMin;
}

Refusal CheckConfigTime(const ConfigTimeForm& form);

// Only after the check passed. Writes the server field (cleared first), the
// trigger, the mode, the address flag and the port in mode 1, the port and
// its device bytes in mode 2, and the zone; nothing else.
void StoreConfigTime(const ConfigTimeForm& form, uint32_t codePage, TimeBlock& time);

} // namespace qv
