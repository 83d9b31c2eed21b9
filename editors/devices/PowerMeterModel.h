// The power-meter page of the device editor: the meter kind.
#pragma once
#include <string>
#include <vector>

#include "document/Refusal.h"
#include "document/SettingsImage.h"

namespace qv {

constexpr int kMeterKindEntries = 2; // the kinds the page offers
constexpr int kMeterKindCount = 4;   // the kinds a record may carry

enum PowerMeterField {
    kPowerMeterNone = 0,
    kPowerMeterKind,
};

// -1: the record carries a kind the box does not offer, which a store keeps.
struct PowerMeterForm {
    int kind = 0;
};

struct PowerMeterView {
    std::vector<std::wstring> kinds; // one per entry
};

class PowerMeterModel {
public:
    // record: the shown number's record, or null for a new device.
    PowerMeterForm Load(const DeviceRecord* record) const;
    PowerMeterView View() const;
    // Every choice is a valid kind.
    Refusal Check(const PowerMeterForm&) const { return {}; }
    // Writes the meter kind and nothing else.
    void Store(const PowerMeterForm& form, DeviceRecord& record) const;
};

} // namespace qv
