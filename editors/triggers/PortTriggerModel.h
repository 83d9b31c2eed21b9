// What the contact and register pages share: the lists a port offers, the
// strict number readers and the characters an edit lets through.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "document/CodeText.h"
#include "document/SettingsImage.h"

namespace qv {

constexpr int kTriggerPortCount = 3; // the unit itself, port 1, port 2
constexpr unsigned kMsgPortCannotTrigger = 20442;

// The boxes of one port: its stations, its areas or function codes.
struct PortChoices {
    bool funcCodes = false; // function-code protocol (a serial port only)
    bool stationEnabled = false;
    int stationCount = 0; // stations 1..stationCount
    std::vector<AreaItem> codes;
};

// itemKind: kReadContacts or kReadRegisters.
PortChoices ChoicesForPort(int port, int itemKind, const UnitBlock& unit);

// A serial port whose role byte is 1 serves no trigger; the unit always does.
bool PortServesTriggers(int port, const UnitBlock& unit);

// The list entry holding `code`; -1 when none does.
int IndexOfCode(const std::vector<AreaItem>& codes, int code);

// The station box entry of a stored station: 0 picks the first entry, a
// station beyond the list picks none (-1), so storing keeps it.
int StationIndex(int storedStation, int stationCount);

// The code of a list entry; -1 for "no entry" and for an index past the list.
int CodeAt(const PortChoices& choices, int index);

// "%02X" of the chosen code while the port uses function codes; empty when
// the label is hidden or nothing is chosen.
std::wstring CodeLabelText(const PortChoices& choices, int codeIndex);

// What an edit lets through, character by character.
enum class CharClass {
    Digits,        // 0-9
    SignedDigits,  // 0-9 and a sign
    Hex,           // 0-9, A-F, a-f
    DecimalNumber, // 0-9, a sign and the decimal point
};
bool AcceptsChar(CharClass cls, wchar_t c);
// A pasted text with every character the edit refuses taken out.
std::wstring FilterPasted(CharClass cls, const std::wstring& text);

// Strict readers: the whole text must be the number, nothing around it.
// 1 or more decimal digits, value up to `highest`.
bool ReadDecimal(const std::wstring& text, uint64_t highest, uint64_t& value);
// 1 to maxDigits hexadecimal digits.
bool ReadHex(const std::wstring& text, size_t maxDigits, uint32_t& value);

} // namespace qv
