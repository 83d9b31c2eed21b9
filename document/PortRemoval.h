// The clean-up after a serial port's protocol changed: everything that
// addresses devices on that port goes, and nothing left behind points at it.
#pragma once
#include <cstddef>
#include <vector>

#include "document/SettingsImage.h"

namespace qv {

constexpr size_t kUsedTriggers = 128; // records 0..127 of the TriggerTable

struct PortRemoval {
    std::vector<int> removedTriggers; // trigger numbers (index + 1), ascending
    size_t devicesRemoved = 0;
    size_t dataSetsRemoved = 0;
};

// Drops the devices and data sets on port (1 or 2), clears its contact and
// register triggers and every combination built on a cleared trigger, and
// sets every reference to a cleared trigger to 0. Removed trigger records are
// zeroed in place, so the numbers of the kept triggers stay as they were.
// The caller refreshes the settings view.
PortRemoval RemovePortItems(ImageBlocks& blocks, int port);

} // namespace qv
