#include "editors/triggers/DigitEditModel.h"

#include <limits>

namespace qv {

bool AcceptsDigitChar(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

std::wstring KeepDigitChars(const std::wstring& pasted) {
    std::wstring kept;
    for (wchar_t c : pasted)
        if (AcceptsDigitChar(c))
            kept += c;
    return kept;
}

std::optional<uint64_t> ParseDigitText(const std::wstring& text) {
    if (text.empty())
        return std::nullopt;
    constexpr uint64_t kMax = std::numeric_limits<uint64_t>::max();
    uint64_t value = 0;
    for (wchar_t c : text) {
        if (!AcceptsDigitChar(c))
            return std::nullopt;
        const uint64_t digit = static_cast<uint64_t>(c - L'0');
        value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    return value;
}

} // namespace qv
