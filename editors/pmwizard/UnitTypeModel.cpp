#include "editors/pmwizard/UnitTypeModel.h"

namespace qv {

namespace {

template <typename Flags> int CountSet(const Flags& flags, size_t n) {
    int count = 0;
    for (size_t i = 0; i < n && i < flags.size(); ++i)
        count += flags[i] != 0;
    return count;
}

constexpr size_t kFourPoints = 4;

} // namespace

void UnitTypeRecord::Clear() {
    const uint32_t keep = number;
    *this = UnitTypeRecord{};
    number = keep;
}

int ValueCount(const UnitTypeRecord& r) {
    switch (r.unitType) {
    case kUnitChannels:
        return r.channelsOn ? CountSet(r.channelFlags, r.channelFlags.size()) : 1;
    case kUnit32Points:
        return CountSet(r.points, r.points.size());
    case kUnitGrouped: {
        int count = 0;
        for (int p = 0; p < kGroupedPointCount; ++p)
            if (r.groupedPoints[p])
                count += r.ranges[p / 4] == 0 ? 2 : 1;
        return count;
    }
    case kUnit4Points:
        return CountSet(r.points, kFourPoints);
    default:
        return 0;
    }
}

Refusal AcceptUnitType(UnitTypeRecord& edited, int othersCount) {
    UnitTypeRecord r = edited;
    if (r.unitType != kUnitChannels) {
        r.channelsOn = 0;
        r.channelFlags = {};
    }
    if (ValueCount(r) == 0)
        return Refuse(r.unitType == kUnitChannels ? kMsgNoChannelChosen : kMsgNoPointChosen, 0);
    if (othersCount + RecordCount(r) > kRecordLimit)
        return Refuse(kMsgTooManyRecords, 0);
    r.selected = 1;
    edited = r;
    return {};
}

} // namespace qv
