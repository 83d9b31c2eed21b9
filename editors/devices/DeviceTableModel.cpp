#include "editors/devices/DeviceTableModel.h"

namespace qv {

bool IsFreeDevice(const DeviceRecord& r) {
    return r.U8(dev::kFile) == 0 && r.U16(dev::kNumber) == 0;
}

DeviceRecord EmptyDeviceRecord() {
    DeviceRecord r;
    r.Clear();
    r.SetU8(dev::kIsRegister, 1);
    return r;
}

int FirstBrokenDeviceRecord(const DeviceTable& devices) {
    bool freeSeen = false;
    int lastFile = 0, lastNumber = 0;
    for (size_t i = 0; i < dev::kUsedCount; ++i) {
        const DeviceRecord& r = devices[i];
        if (IsFreeDevice(r)) {
            freeSeen = true;
            continue;
        }
        const int file = r.U8(dev::kFile);
        const int number = r.U16(dev::kNumber);
        const bool inRange = file >= 1 && file <= kDeviceFileCount && number >= 1 &&
                             number <= static_cast<int>(dev::kUsedCount);
        const bool inOrder = file > lastFile || (file == lastFile && number > lastNumber);
        if (freeSeen || !inRange || !inOrder)
            return static_cast<int>(i);
        lastFile = file;
        lastNumber = number;
    }
    return -1;
}

Refusal CheckDeviceTableRules(const DeviceTable& devices) {
    const int broken = FirstBrokenDeviceRecord(devices);
    if (broken < 0)
        return {};
    return Refuse(kMsgDeviceTableDamaged, 0, {broken + 1});
}

} // namespace qv
