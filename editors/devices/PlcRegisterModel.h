// The PLC register page of the device editor: area or function code,
// address, data type, mode with its difference value, scaling, unit text and
// the wide-value option of a device the unit reads as a register.
#pragma once
#include <string>
#include <vector>

#include "document/CodeText.h"
#include "document/Refusal.h"
#include "document/SettingsImage.h"
#include "editors/devices/DeviceFieldModel.h"
#include "editors/triggers/PortTriggerModel.h"

namespace qv {

constexpr unsigned kMsgScaleTooPrecise = 20008;
constexpr unsigned kStrWideValueFirst = 60400; // and 60401
constexpr int kRegisterModeCount = 5;
constexpr int kDifferenceMode = 4;
constexpr size_t kScaleChars = 9;

enum PlcRegisterField {
    kPlcRegNone = 0,
    kPlcRegArea,
    kPlcRegAddress,
    kPlcRegDataType,
    kPlcRegMode,
    kPlcRegDifference,
    kPlcRegScaling,
    kPlcRegScale,
    kPlcRegUnit,
    kPlcRegOption,
};

// What the page's controls show. An index of -1 is "no entry": the stored
// byte lies outside the box and a store keeps it.
struct PlcRegisterForm {
    int area = -1; // entry of the area list
    std::wstring address;
    int dataType = 0;
    int mode = 0;       // the mode's code (the box may leave one out)
    int difference = 0; // entry = value
    bool scaling = false;
    std::wstring scale;
    std::wstring unitText;
    int option = 0;
};

struct PlcRegisterView {
    bool funcCodes = false; // the port addresses by function code
    std::vector<AreaItem> areas;
    std::wstring codeLabel; // "%02X" of the chosen function code
    size_t addressMaxChars = 5;
    int dataTypeCount = 7;    // 9 in a file in 64-bit mode
    std::vector<int> modes;   // mode codes, one per entry
    int differenceCount = 10; // 20 in a file in 64-bit mode
    bool differenceEnabled = false;
    bool scaleEnabled = false;
    bool optionEnabled = false;
};

class PlcRegisterModel {
public:
    // port: the editor's chosen port; wide: the file is in 64-bit mode.
    PlcRegisterModel(int port, const UnitBlock& unit, bool wide, uint32_t codePage)
        : port_(port), unit_(unit), wide_(wide), codePage_(codePage) {}

    // record: the shown number's record, or null for a new device.
    PlcRegisterForm Load(const DeviceRecord* record) const;
    PlcRegisterView View(const PlcRegisterForm& form) const;

    // A new data type: the 64-bit types have no mode 1, which becomes mode 0.
    void ChangeDataType(PlcRegisterForm& form, int dataType) const;
    // Only the difference mode keeps a difference value.
    void ChangeMode(PlcRegisterForm& form, int mode) const;

    // doubleByteUi: the interface is Japanese or Chinese (the unit text's
    // message names characters as well as bytes).
    Refusal Check(const PlcRegisterForm& form, bool doubleByteUi) const;
    // Only after Check passed; writes the page's fields and nothing else.
    void Store(const PlcRegisterForm& form, DeviceRecord& record) const;

    // The characters the address and scale edits take, typed or pasted.
    CharClass CharsOf(int field) const;

private:
    int port_;
    const UnitBlock& unit_;
    bool wide_;
    uint32_t codePage_;
};

} // namespace qv
