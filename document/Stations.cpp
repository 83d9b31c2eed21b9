// The station selection shared by the device and data-set editors, and the
// device look-up they use.
#include "document/QuorvelDoc.h"

namespace qv {

size_t CQuorvelDoc::GetSelectedStations(StationList& list) const {
    list.fill(0);
    size_t count = 0;
    for (size_t i = 0; i < kStationCount; ++i) {
        if (stationFlags[i] != 0)
            list[count++] = static_cast<uint32_t>(i);
    }
    if (count == 0)
        return 1; // no flag set: all stations, entry 0
    return count;
}

int CQuorvelDoc::FindDeviceRecord(const DeviceTable& table, int fileNo, int deviceNo, int mode) {
    bool seenFile = false;
    for (size_t i = 0; i < dev::kUsedCount; ++i) {
        const DeviceRecord& r = table[i];
        const int recFile = r.U8(dev::kFile);
        const int recNo = r.U16(dev::kNumber);
        const bool isFree = recFile == 0 && recNo == 0;
        if (recFile == fileNo && recNo == deviceNo)
            return static_cast<int>(i);
        if (mode == 1) {
            if (seenFile && recFile != fileNo)
                return static_cast<int>(i); // end of the file's run
            if (recFile == fileNo) {
                seenFile = true;
                if (recNo > deviceNo)
                    return static_cast<int>(i); // insertion point inside the run
            } else if (!seenFile && isFree) {
                return static_cast<int>(i);
            }
        } else if (mode == 2 && isFree) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

void CQuorvelDoc::SetStationFlagsFromDevice(const DeviceTable& table, int deviceNo, int fileNo) {
    const int index = FindDeviceRecord(table, fileNo, deviceNo, 0);
    const uint32_t station = index >= 0 ? table[static_cast<size_t>(index)].U8(dev::kStation) : 0;
    for (size_t i = 0; i < kStationCount; ++i)
        stationFlags[i] = i == station ? 1 : 0;
}

} // namespace qv
