// Address texts of contacts and registers. A contact (bit) address is
// word × 16 + bit; its text is the word in decimal followed by the bit as one
// hexadecimal digit ("12A" is word 12, bit 10).
#pragma once
#include <cstdint>
#include <string>

namespace qv {

// "%X" of values up to 16, else the word in decimal and the bit digit.
std::wstring FormatBitAddress(uint32_t value);

// Blanks dropped, all but the last character decimal, the last hexadecimal.
// 0 for an empty or blank text.
uint32_t ParseBitAddress(const std::string& text);

// True for a text ParseBitAddress reads: 1 to 4 characters once blanks are
// dropped. On the unit's own R area (port 0, area 2) only words 0..49 and
// 900..999 pass.
bool IsBitAddressText(int area, const std::wstring& text, int port);
// What an editor says of a bit address IsBitAddressText refuses.
constexpr unsigned kMsgBadBitAddress = 20161;

// Modes of IsWordAddressText: how `area` names the unit's WR area.
constexpr int kWordAreaByDeviceList = 0;  // area is the entry of the port's register list
constexpr int kWordAreaByTriggerList = 1; // the same, for the trigger page
constexpr int kWordAreaByCode = 2;        // area is the area code (data sets)

// True when the text is all decimal digits (the empty text passes). On the
// unit's own WR area only words 0..49 and 900..999 pass.
bool IsWordAddressText(int area, const std::wstring& text, int port, int mode);

} // namespace qv
