// The PLC contact page of the device editor: area or function code, bit or
// hexadecimal address, contact mode with its time unit option, and unit text
// of a device the unit reads as a contact.
#pragma once
#include <string>
#include <vector>

#include "document/CodeText.h"
#include "document/Refusal.h"
#include "document/SettingsImage.h"
#include "editors/devices/DeviceFieldModel.h"
#include "editors/triggers/PortTriggerModel.h"

namespace qv {

constexpr int kContactModeCount = 3;
constexpr int kContactOptionCount = 3;
constexpr int kContactModeWithOption = 2;
constexpr int kContactDataType = 4; // every contact device stores it

enum PlcContactField {
    kPlcConNone = 0,
    kPlcConArea,
    kPlcConAddress,
    kPlcConMode,
    kPlcConOption,
    kPlcConUnit,
};

// What the page's controls show. An index of -1 is "no entry": the stored
// byte lies outside the box and a store keeps it.
struct PlcContactForm {
    int area = -1; // entry of the area list
    std::wstring address;
    int mode = 0;
    int option = 0;
    std::wstring unitText;
};

struct PlcContactView {
    bool funcCodes = false; // the port addresses by function code
    std::vector<AreaItem> areas;
    std::wstring codeLabel; // "%02X" of the chosen function code
    size_t addressMaxChars = 4;
    bool optionEnabled = false;
};

class PlcContactModel {
public:
    // port: the editor's chosen port.
    PlcContactModel(int port, const UnitBlock& unit, uint32_t codePage)
        : port_(port), unit_(unit), codePage_(codePage) {}

    // record: the shown number's record, or null for a new device.
    PlcContactForm Load(const DeviceRecord* record) const;
    PlcContactView View(const PlcContactForm& form) const;

    // doubleByteUi: the interface is Japanese or Chinese.
    Refusal Check(const PlcContactForm& form, bool doubleByteUi) const;
    // Only after Check passed; writes the page's fields and nothing else.
    void Store(const PlcContactForm& form, DeviceRecord& record) const;

    // Both protocols end an address in a hexadecimal digit.
    CharClass CharsOf(int field) const;

private:
    int port_;
    const UnitBlock& unit_;
    uint32_t codePage_;
};

} // namespace qv
