#include "document/AddressText.h"

#include <algorithm>

#include "document/HexDigit.h"
#include "document/Records.h"

namespace qv {

namespace {

constexpr size_t kMaxBitAddressChars = 4;
constexpr int kAreaR = 2;
constexpr int kAreaWR = 13;

template <typename Char> bool IsDigit(Char c) {
    return c >= '0' && c <= '9';
}

template <typename Text> Text WithoutBlanks(Text text) {
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    return text;
}

// The unit keeps its R and WR words 0..49 and 900..999.
bool IsUnitWord(uint64_t word) {
    return word <= 49 || (word >= 900 && word <= 999);
}

} // namespace

std::wstring FormatBitAddress(uint32_t value) {
    static const wchar_t kHex[] = L"0123456789ABCDEF";
    if (value < 16)
        return std::wstring(1, kHex[value]);
    return std::to_wstring(value / 16) + kHex[value % 16];
}

uint32_t ParseBitAddress(const std::string& text) {
    const std::string t = WithoutBlanks(text);
    if (t.empty())
        return 0;
    uint32_t word = 0; // wraps on absurd lengths; callers pass checked texts
    for (size_t i = 0; i + 1 < t.size(); ++i)
        word = word * 10 + (IsDigit(t[i]) ? static_cast<uint32_t>(t[i] - '0') : 0);
    const int bit = HexDigitValue(t.back());
    return word * 16 + static_cast<uint32_t>(std::max(bit, 0));
}

bool IsBitAddressText(int area, const std::wstring& text, int port) {
    const std::wstring t = WithoutBlanks(text);
    // An empty address names no contact.
    if (t.empty() || t.size() > kMaxBitAddressChars)
        return false;
    if (!std::all_of(t.begin(), t.end() - 1, IsDigit<wchar_t>) || HexDigitValue(t.back()) < 0)
        return false;
    if (port == kPortUnit && area == kAreaR) {
        // The word digits read as hexadecimal: 0x49F is word 49 bit F.
        uint32_t asHex = 0;
        for (wchar_t c : t)
            asHex = asHex << 4 | static_cast<uint32_t>(HexDigitValue(c));
        return asHex <= 0x49F || (asHex >= 0x9000 && asHex <= 0x999F);
    }
    return true;
}

bool IsWordAddressText(int area, const std::wstring& text, int port, int mode) {
    if (!std::all_of(text.begin(), text.end(), IsDigit<wchar_t>))
        return false;
    const bool isWR =
        (mode == kWordAreaByCode && area == kAreaWR) ||
        ((mode == kWordAreaByDeviceList || mode == kWordAreaByTriggerList) && area == 0);
    if (port != kPortUnit || !isWR)
        return true;
    uint64_t word = 0; // held at a million: any length stays out of range
    for (wchar_t c : text)
        word = std::min<uint64_t>(word * 10 + static_cast<uint64_t>(c - L'0'), 1000000);
    return IsUnitWord(word);
}

} // namespace qv
