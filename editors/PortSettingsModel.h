// The values of the unit's serial port settings as the port dialogs show
// them, and how they go back into the settings image.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "document/SettingsImage.h"

namespace qv {

constexpr int kPortCount = 2;
constexpr int kPortNumberCount = 99; // choices of the port's own number
constexpr int kNumber2Count = 60; // choices of byte 4

// One port's page. A list index of -1 means "no item" (a stored value the
// list has no item for): storing it keeps the stored value.
struct PortPageValues {
    int role = 0;
    int protocol = 0;
    int numberIndex = 0; // number - 1
    int baud = 0;
    int dataLength = 0;
    int parity = 0;
    int stopBits = 0;
    int number2Index = 0;   // byte 4 - 1; a stored 0 shows the first item
    bool choiceOne = false; // byte 50 + p is not 0
    std::string valueText;  // the signed 16-bit value at 44 + 2p
    int option = 0;         // the port's half of byte 49
};

PortPageValues LoadPortValues(const UnitBlock& unit, int port);

// The per-port value as typed: a whole number in the signed 16-bit range,
// blanks around it allowed; nothing otherwise.
std::optional<int16_t> ParsePortValue(const std::string& text);
constexpr int kPortValueMin = -32768;
constexpr int kPortValueMax = 32767;

// Writes the page into unit for port (0 or 1). False, with unit untouched,
// when the per-port value text is not a number in range.
bool StorePortValues(const PortPageValues& values, int port, UnitBlock& unit);

// The number list serves a port in role 1 only, the protocol list the others.
struct PortControlsEnabled {
    bool number;
    bool protocol;
};
PortControlsEnabled EnabledForRole(int role);

// Which ports' protocol differs between the edited copy and the document.
struct ProtocolChanges {
    bool port[kPortCount] = {false, false};
    bool Any() const { return port[0] || port[1]; }
};
ProtocolChanges CompareProtocols(const UnitBlock& edited, const UnitBlock& document);

// The confirmed OK: the items of each port whose protocol changed go (port 1
// first), then the edited copy replaces the document's unit block.
void ApplyPortSettings(ImageBlocks& blocks, const UnitBlock& edited);

// The two advanced port values of the port-number block, 5 to 60 each.
constexpr int kAdvancedMin = 5;
constexpr int kAdvancedMax = 60;
constexpr size_t kAdvancedFirst = 16;
constexpr size_t kAdvancedSecond = 17;

struct AdvancedPortValues {
    uint8_t first = 60;
    uint8_t second = 60;
};
// A stored byte outside 5..60 leaves the value at 60.
AdvancedPortValues LoadAdvancedValues(const PortNumberBlock& block);
void StoreAdvancedValues(const AdvancedPortValues& values, PortNumberBlock& block);

// The check of the advanced dialog's two texts: the index (0 or 1) of the
// first one that is not a number from 5 to 60, or -1 with values set.
int CheckAdvancedValues(const std::string& first, const std::string& second,
                        AdvancedPortValues& values);

} // namespace qv
