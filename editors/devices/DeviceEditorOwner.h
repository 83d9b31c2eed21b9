// What the device editor needs of the device list page that opens it: the
// page's working copy of the device table, its rows and its row marks.
#pragma once
#include "document/SettingsImage.h"

namespace qv {

class DeviceEditorOwner {
public:
    virtual ~DeviceEditorOwner() = default;
    // The page's copy of the device table, which the editor starts from.
    virtual const DeviceTable& DeviceTableCopy() const = 0;
    virtual void SetDeviceTableCopy(const DeviceTable& table) = 0;
    // Rebuilds the rows from the document after a store.
    virtual void RefreshList() = 0;
    // The editor shows another number: the row of `previousNumber` loses its
    // check mark (0: every row does), the row of `number` gets it and
    // becomes the page's current device.
    virtual void MarkCurrentDevice(int previousNumber, int number) = 0;
};

} // namespace qv
