// Texts of register values by DataType, and the number conversions the
// editors, the report and the monitor share.
#pragma once
#include <cstdint>
#include <string>

#include "document/CodePageText.h"

namespace qv {

// The value's text for a DataType; the empty text for an unknown type.
// Types 0..6 show value32 (type 6 as a float's bit pattern), 7 and 8 value64.
std::wstring FormatValueByType(int dataType, uint32_t value32, uint64_t value64);

// Results of ParseValueByType.
constexpr int kValueOk = 0;
constexpr int kValueBadText = -1;    // a character or the hexadecimal length is wrong
constexpr int kValueOutOfRange = -2; // outside the type's range, or too long
constexpr int kValueTooPrecise = -3; // a float with more than 6 significant digits

// Checks and converts a value text. Types 0..6 write value32, 7 and 8 value64;
// nothing is written on -1 or -2. On -3 the float has already been written.
int ParseValueByType(const std::wstring& text, int dataType, uint32_t& value32, uint64_t& value64,
                     uint32_t codePage = kCodePageJapanese);

// A decimal text read byte by byte in the code page: an optional leading "-",
// then every byte below position 30 as a digit (a non-digit counts as 0),
// wrapping modulo 2^64. Callers check the characters first.
int64_t TextToInt64(const std::wstring& text, uint32_t codePage = kCodePageJapanese);

// Up to 8 hexadecimal digits (either case); 0 for anything else.
uint32_t HexTextToUInt(const std::string& text);

// 7 significant digits without trailing zeros; whole digits only from 7
// integer digits on.
std::wstring FormatFloatText(float value);

// True when the number text has at most 6 significant digits (sign, point,
// leading and trailing zeros not counted).
bool HasAtMostSixDigits(const std::wstring& text, uint32_t codePage = kCodePageJapanese);

// Message numbers the window layer shows for a refused number text.
constexpr unsigned kMsgBadNumberText = 20007;
constexpr unsigned kMsgNumberTooLarge = 20250;

struct FloatTextResult {
    bool ok;
    float value;        // valid when ok
    unsigned messageId; // message to show (and focus the edit) when not ok
};

// A scale or value text with at most 4 integer digits and 3 decimals, rounded
// to thousandths.
FloatTextResult TextToFloat(const std::wstring& text);

} // namespace qv
