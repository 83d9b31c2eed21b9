// The port-number pane's model: the unit's eight network port numbers and
// the two advanced values of the same block.
#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "document/Refusal.h"
#include "document/SettingsImage.h"

namespace qv {

constexpr unsigned kMsgPortNumberRange = 20170; // "%d" to "%d"
constexpr unsigned kMsgPortNumberTwice = 20171;
constexpr unsigned kMsgPortNumberSearch = 20172;
constexpr int kPortNumberMin = 1;
constexpr int kPortNumberMax = 49151;
constexpr int kUnitSearchPort = 9090;
constexpr size_t kPortNumberChars = 5;
// Numbers 6 and 7 (0-based 5 and 6) may serve the same port.
constexpr int kSharedPortFirst = 5;
constexpr int kSharedPortSecond = 6;

// Fields are numbered by the port number they show: 1 to 8.
struct ConfigPortForm {
    std::array<std::wstring, portnum::kPortCount> numbers;
    // Bytes 16 and 17 as stored; the advanced dialog changes them.
    uint8_t advanced[2] = {60, 60};
};

ConfigPortForm LoadConfigPorts(const PortNumberBlock& block);

// The leading decimal digits of the text (0 when it starts otherwise).
int ReadPortNumberText(const std::wstring& text);

// Every field's range first, in the unit's order 1, 2, 3, 6, 7, 4, 5, 8;
// then every pair in that order, except numbers 6 and 7.
Refusal CheckConfigPorts(const ConfigPortForm& form);

// Only after the check passed: the eight words and bytes 16 and 17.
void StoreConfigPorts(const ConfigPortForm& form, PortNumberBlock& block);

} // namespace qv
