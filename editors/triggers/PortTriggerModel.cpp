#include "editors/triggers/PortTriggerModel.h"

#include "document/HexDigit.h"

namespace qv {

namespace {
constexpr int kAreaStations = 99;
constexpr int kFuncCodeStations = 247;
} // namespace

PortChoices ChoicesForPort(int port, int itemKind, const UnitBlock& unit) {
    PortChoices c;
    c.funcCodes = port != 0 && PortUsesFuncCodes(port, unit);
    c.stationEnabled = port != 0;
    c.stationCount = c.funcCodes ? kFuncCodeStations : kAreaStations;
    for (int i = 0;; ++i) {
        AreaItem item = GetReadAreaItem(port, itemKind, i, unit);
        if (item.code < 0)
            break;
        c.codes.push_back(std::move(item));
    }
    return c;
}

bool PortServesTriggers(int port, const UnitBlock& unit) {
    if (port < 1 || port > 2)
        return port == 0;
    return unit.U8(unit::PortRecordOffset(port - 1) + portrec::kRole) != 1;
}

int IndexOfCode(const std::vector<AreaItem>& codes, int code) {
    for (size_t i = 0; i < codes.size(); ++i)
        if (codes[i].code == code)
            return static_cast<int>(i);
    return -1;
}

int StationIndex(int storedStation, int stationCount) {
    if (storedStation == 0)
        return 0;
    return storedStation <= stationCount ? storedStation - 1 : -1;
}

int CodeAt(const PortChoices& choices, int index) {
    if (index < 0 || index >= static_cast<int>(choices.codes.size()))
        return -1;
    return choices.codes[static_cast<size_t>(index)].code;
}

std::wstring CodeLabelText(const PortChoices& choices, int codeIndex) {
    const int code = CodeAt(choices, codeIndex);
    if (!choices.funcCodes || code < 0)
        return {};
    static const wchar_t kHex[] = L"0123456789ABCDEF";
    return {kHex[(code >> 4) & 0xF], kHex[code & 0xF]};
}

bool AcceptsChar(CharClass cls, wchar_t c) {
    const bool digit = c >= L'0' && c <= L'9';
    switch (cls) {
    case CharClass::Digits:
        return digit;
    case CharClass::SignedDigits:
        return digit || c == L'-' || c == L'+';
    case CharClass::Hex:
        return digit || (c >= L'A' && c <= L'F') || (c >= L'a' && c <= L'f');
    case CharClass::DecimalNumber:
        return digit || c == L'-' || c == L'+' || c == L'.';
    }
    return false;
}

std::wstring FilterPasted(CharClass cls, const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text)
        if (AcceptsChar(cls, c))
            out += c;
    return out;
}

bool ReadDecimal(const std::wstring& text, uint64_t highest, uint64_t& value) {
    if (text.empty())
        return false;
    uint64_t v = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9')
            return false;
        const uint64_t digit = static_cast<uint64_t>(c - L'0');
        if (digit > highest || v > (highest - digit) / 10)
            return false;
        v = v * 10 + digit;
    }
    value = v;
    return true;
}

bool ReadHex(const std::wstring& text, size_t maxDigits, uint32_t& value) {
    if (text.empty() || text.size() > maxDigits || maxDigits > 8)
        return false;
    uint32_t v = 0;
    for (wchar_t c : text) {
        if (c > 0x7F)
            return false;
        const int d = HexDigitValue(static_cast<char>(c));
        if (d < 0)
            return false;
        v = v << 4 | static_cast<uint32_t>(d);
    }
    value = v;
    return true;
}

} // namespace qv
