#include "document/ValueText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <locale.h>

#include "document/TextChecks.h"

namespace qv {

namespace {

// Number texts are never localised: a locale with a decimal comma must not
// change what the editors read or show.
class ClassicNumericLocale {
public:
    ClassicNumericLocale() {
        static const locale_t classic = newlocale(LC_NUMERIC_MASK, "C", locale_t{});
        if (classic)
            previous_ = uselocale(classic);
    }
    ~ClassicNumericLocale() {
        if (previous_)
            uselocale(previous_);
    }
    ClassicNumericLocale(const ClassicNumericLocale&) = delete;
    ClassicNumericLocale& operator=(const ClassicNumericLocale&) = delete;

private:
    locale_t previous_{};
};

// The multibyte form of a text; a character the code page lacks becomes one
// "?" byte, as the system's conversion writes it.
std::string ToMultiLossy(const std::wstring& text, uint32_t codePage) {
    if (auto mb = WideToMulti(text, codePage))
        return *mb;
    std::string out;
    for (wchar_t c : text) {
        const auto one = WideToMulti(std::wstring(1, c), codePage);
        out += one ? *one : std::string("?");
    }
    return out;
}

std::string ToAscii(const std::wstring& text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text)
        out += c >= 0 && c < 0x80 ? static_cast<char>(c) : '?';
    return out;
}

std::wstring Widen(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

std::wstring HexText(uint32_t value, int minDigits) {
    static const wchar_t kDigits[] = L"0123456789ABCDEF";
    std::wstring out;
    do {
        out.insert(out.begin(), kDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    if (static_cast<int>(out.size()) < minDigits)
        out.insert(0, static_cast<size_t>(minDigits) - out.size(), L'0');
    return out;
}

// "%0.<decimals>f" of the value, sized for any float (39 integer digits).
std::string FixedText(float value, int decimals) {
    std::string out(static_cast<size_t>(std::numeric_limits<float>::max_exponent10 + 4 + decimals),
                    '\0');
    const auto r = std::to_chars(out.data(), out.data() + out.size(), static_cast<double>(value),
                                 std::chars_format::fixed, decimals);
    out.resize(r.ec == std::errc() ? static_cast<size_t>(r.ptr - out.data()) : 0);
    return out;
}

// The decimal value of a text that passed IsIntegerText, with overflow seen.
struct DecimalValue {
    bool negative = false;
    uint64_t magnitude = 0;
    bool overflow = false;
};

DecimalValue ReadDecimal(const std::wstring& text) {
    DecimalValue v;
    size_t i = 0;
    if (!text.empty() && (text[0] == L'+' || text[0] == L'-')) {
        v.negative = text[0] == L'-';
        i = 1;
    }
    constexpr uint64_t kMax = std::numeric_limits<uint64_t>::max();
    for (; i < text.size(); ++i) {
        const uint64_t digit = static_cast<uint64_t>(text[i] - L'0');
        if (v.magnitude > (kMax - digit) / 10) {
            v.overflow = true;
            return v;
        }
        v.magnitude = v.magnitude * 10 + digit;
    }
    return v;
}

// True when the value lies in lowest..highest (lowest < 0); writes it.
bool SignedInRange(const DecimalValue& v, int64_t lowest, int64_t highest, int64_t& out) {
    if (v.overflow)
        return false;
    if (v.negative) {
        // Compare magnitudes unsigned: -lowest does not fit int64_t.
        const uint64_t limit = static_cast<uint64_t>(-(lowest + 1)) + 1;
        if (v.magnitude > limit)
            return false;
        out = static_cast<int64_t>(0 - v.magnitude);
        return true;
    }
    if (v.magnitude > static_cast<uint64_t>(highest))
        return false;
    out = static_cast<int64_t>(v.magnitude);
    return true;
}

bool UnsignedInRange(const DecimalValue& v, uint64_t highest, uint64_t& out) {
    if (v.overflow || (v.negative && v.magnitude != 0) || v.magnitude > highest)
        return false;
    out = v.magnitude;
    return true;
}

int ParseInteger(const std::wstring& text, int dataType, uint32_t& value32, uint64_t& value64) {
    if (!IsIntegerText(text.size(), text))
        return kValueBadText;
    // Ranges are judged by value, so leading zeros and a "+" never decide.
    const DecimalValue v = ReadDecimal(text);
    int64_t s = 0;
    uint64_t u = 0;
    switch (dataType) {
    case 0:
        if (!SignedInRange(v, INT16_MIN, INT16_MAX, s))
            return kValueOutOfRange;
        value32 = static_cast<uint32_t>(static_cast<int32_t>(s));
        return kValueOk;
    case 1:
        if (!UnsignedInRange(v, UINT16_MAX, u))
            return kValueOutOfRange;
        value32 = static_cast<uint32_t>(u);
        return kValueOk;
    case 3:
        if (!SignedInRange(v, INT32_MIN, INT32_MAX, s))
            return kValueOutOfRange;
        value32 = static_cast<uint32_t>(static_cast<int32_t>(s));
        return kValueOk;
    case 4:
        if (!UnsignedInRange(v, UINT32_MAX, u))
            return kValueOutOfRange;
        value32 = static_cast<uint32_t>(u);
        return kValueOk;
    case 7:
        if (!SignedInRange(v, INT64_MIN, INT64_MAX, s))
            return kValueOutOfRange;
        value64 = static_cast<uint64_t>(s);
        return kValueOk;
    default: // 8
        if (!UnsignedInRange(v, UINT64_MAX, u))
            return kValueOutOfRange;
        value64 = u;
        return kValueOk;
    }
}

int ParseHex(const std::wstring& text, size_t maxDigits, uint32_t& value32, uint32_t codePage) {
    const std::optional<std::string> mb = WideToMulti(text, codePage);
    if (!mb || !IsHexText(*mb, mb->size()))
        return kValueBadText;
    if (text.size() >= 19) // far too long for any register
        return kValueOutOfRange;
    if (mb->size() > maxDigits)
        return kValueBadText;
    value32 = HexTextToUInt(*mb);
    return kValueOk;
}

int ParseFloat(const std::wstring& text, uint32_t& value32, uint32_t codePage) {
    if (!IsDecimalText(text.size(), text))
        return kValueBadText;
    // An empty field is 0, as it is for the integer types.
    if (text.empty()) {
        value32 = 0; // the bit pattern of 0.0f
        return kValueOk;
    }
    const std::string ascii = ToAscii(text);
    char* end = nullptr;
    float f = 0;
    {
        ClassicNumericLocale classic;
        f = std::strtof(ascii.c_str(), &end);
    }
    // The whole text must be the number: "+", "." or "-." convert nothing.
    if (ascii.empty() || end != ascii.c_str() + ascii.size())
        return kValueBadText;
    // Storing infinity would put a value into the unit that no text shows.
    if (std::isinf(f))
        return kValueOutOfRange;
    std::memcpy(&value32, &f, sizeof f);
    return HasAtMostSixDigits(text, codePage) ? kValueOk : kValueTooPrecise;
}

} // namespace

std::wstring FormatValueByType(int dataType, uint32_t value32, uint64_t value64) {
    switch (dataType) {
    case 0:
        return std::to_wstring(static_cast<int32_t>(value32));
    case 1:
        return std::to_wstring(value32);
    case 2:
        return HexText(value32, 4);
    case 3:
        return std::to_wstring(static_cast<int32_t>(value32));
    case 4:
        return std::to_wstring(value32);
    case 5:
        return HexText(value32, 8);
    case 6: {
        float f = 0;
        std::memcpy(&f, &value32, sizeof f);
        return FormatFloatText(f);
    }
    case 7:
        return std::to_wstring(static_cast<int64_t>(value64));
    case 8:
        return std::to_wstring(value64);
    default:
        return {};
    }
}

int ParseValueByType(const std::wstring& text, int dataType, uint32_t& value32, uint64_t& value64,
                     uint32_t codePage) {
    switch (dataType) {
    case 0:
    case 1:
    case 3:
    case 4:
    case 7:
    case 8:
        return ParseInteger(text, dataType, value32, value64);
    case 2:
        return ParseHex(text, 4, value32, codePage);
    case 5:
        return ParseHex(text, 8, value32, codePage);
    case 6:
        return ParseFloat(text, value32, codePage);
    default:
        return kValueOutOfRange;
    }
}

int64_t TextToInt64(const std::wstring& text, uint32_t codePage) {
    const std::string mb = ToMultiLossy(text, codePage);
    constexpr size_t kPositions = 30;
    const bool negative = !mb.empty() && mb[0] == '-';
    uint64_t value = 0; // unsigned, so the wrap is defined
    for (size_t i = negative ? 1 : 0; i < mb.size() && i < kPositions; ++i) {
        const char c = mb[i];
        const uint64_t digit = c >= '0' && c <= '9' ? static_cast<uint64_t>(c - '0') : 0;
        value = value * 10 + digit;
    }
    if (negative)
        value = 0 - value;
    return static_cast<int64_t>(value);
}

uint32_t HexTextToUInt(const std::string& text) {
    if (text.size() > 8)
        return 0;
    uint32_t value = 0;
    for (char c : text) {
        uint32_t digit = 0;
        if (c >= '0' && c <= '9')
            digit = static_cast<uint32_t>(c - '0');
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<uint32_t>(c - 'A' + 10);
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<uint32_t>(c - 'a' + 10);
        else
            return 0;
        value = value << 4 | digit;
    }
    return value;
}

std::wstring FormatFloatText(float value) {
    constexpr size_t kSignificant = 7;
    const std::string four = FixedText(value, 4);
    std::string integer = four.substr(0, four.find('.'));
    if (!integer.empty() && (integer[0] == '-' || integer[0] == '+'))
        integer.erase(0, 1);
    if (integer.size() >= kSignificant)
        return Widen(FixedText(value, 0));
    const int decimals = static_cast<int>(kSignificant - integer.size());
    const std::string full = FixedText(value, decimals);
    const size_t lastNonZero = full.find_last_not_of('0');
    const int zeros = static_cast<int>(
        lastNonZero == std::string::npos ? full.size() : full.size() - 1 - lastNonZero);
    return Widen(FixedText(value, decimals - std::min(zeros, decimals)));
}

bool HasAtMostSixDigits(const std::wstring& text, uint32_t codePage) {
    const std::string mb = ToMultiLossy(text, codePage);
    std::string digits;
    for (char c : mb) {
        if (c == '.' || c == '+' || c == '-')
            continue;
        if (digits.empty() && c == '0')
            continue;
        digits += c;
    }
    // digits starts with a non-zero, so trailing zeros never empty it
    digits.erase(digits.find_last_not_of('0') + 1);
    return digits.size() < 7;
}

FloatTextResult TextToFloat(const std::wstring& text) {
    const FloatTextResult badText{false, 0.0f, kMsgBadNumberText};
    const FloatTextResult tooLarge{false, 0.0f, kMsgNumberTooLarge};
    // An empty field is 0, as it is for the integer types.
    if (text.empty())
        return {true, 0.0f, 0};

    // Letters, a second point, a misplaced sign or a text without digits is
    // refused like a misplaced point, never read as a partial number.
    if (!IsDecimalText(text.size(), text) ||
        text.find_first_of(L"0123456789") == std::wstring::npos)
        return badText;
    const std::string ascii = ToAscii(text);
    char* end = nullptr;
    float f = 0;
    {
        ClassicNumericLocale classic;
        f = std::strtof(ascii.c_str(), &end);
    }
    if (end != ascii.c_str() + ascii.size())
        return badText;

    const size_t point = ascii.find('.');
    const size_t integerChars = point == std::string::npos ? ascii.size() : point;
    const size_t fractionChars = point == std::string::npos ? 0 : ascii.size() - point - 1;
    const bool hasSign = ascii[0] == '+' || ascii[0] == '-';
    if (integerChars > (hasSign ? 5u : 4u) || fractionChars > 3)
        return tooLarge;

    const double thousandths = static_cast<double>(f) * 1000.0;
    if (!std::isfinite(thousandths) || std::fabs(thousandths) >= 99999999.5)
        return tooLarge;
    const long long n = std::llround(thousandths); // halves away from zero
    return {true, static_cast<float>(static_cast<double>(n) / 1000.0), 0};
}

} // namespace qv
