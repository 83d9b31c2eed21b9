// The unit type of one power-meter station: which kind of measuring unit it
// is and which of its points or channels are logged, and what that costs in
// device records.
#pragma once
#include <array>
#include <cstdint>

#include "document/Refusal.h"

namespace qv {

constexpr unsigned kMsgTooManyRecords = 20155;
constexpr unsigned kMsgNoPointChosen = 20362;
constexpr unsigned kMsgNoChannelChosen = 20365;
constexpr int kRecordLimit = 300; // device records the wizard may write in all

enum UnitType : uint32_t {
    kUnitChannels = 0, // 8 channels of two values, or one value while they are off
    kUnit32Points = 1,
    kUnitGrouped = 2, // 16 points in 4 groups of 4, each group with a range
    kUnit4Points = 3,
};
constexpr int kUnitTypeCount = 4;
constexpr int kPointCount = 32;
constexpr int kGroupedPointCount = 16;
constexpr int kGroupCount = 4;
constexpr int kChannelCount = 8;

struct UnitTypeRecord {
    uint32_t selected = 0;
    uint32_t number = 0; // the station
    uint32_t unitType = kUnitChannels;
    std::array<uint32_t, kGroupCount> ranges{}; // 0: two values (A, B) a point
    std::array<uint16_t, kPointCount> points{}; // type 1; type 3 uses the first 4
    std::array<uint16_t, kGroupedPointCount> groupedPoints{};
    uint32_t channelsOn = 0;
    // First value of channels 1..8, then their second value.
    std::array<uint32_t, 2 * kChannelCount> channelFlags{};

    // Everything but the station number.
    void Clear();
};

// Values the station logs, one device record each in both log files. Flags
// a type does not use (points 5 to 32 kept from an earlier 32-point choice
// of a 4-point unit) write nothing, so they cost nothing.
int ValueCount(const UnitTypeRecord& r);
// Device records the station writes: two per value.
inline int RecordCount(const UnitTypeRecord& r) {
    return 2 * ValueCount(r);
}

// OK of the unit-type dialog: `edited` as the dialog leaves it, `othersCount`
// the records of every other selected station. Refused when the type logs
// nothing or the limit would be passed; otherwise `edited` is the station's
// new record: selected, without channel data when its type has no channels.
Refusal AcceptUnitType(UnitTypeRecord& edited, int othersCount);

} // namespace qv
