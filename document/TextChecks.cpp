#include "document/TextChecks.h"

#include <algorithm>
#include <cwchar>

namespace qv {

namespace {

constexpr const wchar_t kHostChars[] =
    L"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_.-@";
constexpr const wchar_t kMailChars[] =
    L"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_.-@<>:";
constexpr const wchar_t kPasswordChars[] =
    L"0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_.-@<>!#$%&()=";

// wcschr would find the terminator for L'\0', so compare against the set's
// characters only.
bool InSet(wchar_t c, const wchar_t* set, size_t setLen) {
    return std::find(set, set + setLen, c) != set + setLen;
}

bool AllInSet(const std::wstring& text, size_t count, const wchar_t* set) {
    const size_t n = std::min(count, text.size());
    if (n == 0)
        return false;
    const size_t setLen = std::wcslen(set);
    return std::all_of(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n),
                       [&](wchar_t c) { return InSet(c, set, setLen); });
}

bool IsNumberText(size_t count, const std::wstring& text, bool allowPoint) {
    const size_t n = std::min(count, text.size());
    bool seenPoint = false;
    for (size_t i = 0; i < n; ++i) {
        const wchar_t c = text[i];
        if (c >= L'0' && c <= L'9')
            continue;
        if ((c == L'+' || c == L'-') && i == 0)
            continue;
        if (c == L'.' && allowPoint && !seenPoint) {
            seenPoint = true;
            continue;
        }
        return false;
    }
    return true;
}

} // namespace

bool IsHostNameText(const std::wstring& text, size_t count) {
    return AllInSet(text, count, kHostChars);
}

bool IsMailAddressText(const std::wstring& text, size_t count) {
    return AllInSet(text, count, kMailChars);
}

bool IsPasswordText(const std::wstring& text, size_t count) {
    return AllInSet(text, count, kPasswordChars);
}

bool ContainsNoneOf(const std::wstring& text, const std::wstring& set, size_t count) {
    const size_t n = std::min(count, text.size());
    return std::none_of(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(n),
                        [&](wchar_t c) { return set.find(c) != std::wstring::npos; });
}

bool IsDecimalText(size_t count, const std::wstring& text) {
    return IsNumberText(count, text, true);
}

bool IsIntegerText(size_t count, const std::wstring& text) {
    return IsNumberText(count, text, false);
}

bool IsHexText(const std::string& text, size_t count) {
    const size_t n = std::min(count, text.size());
    for (size_t i = 0; i < n; ++i) {
        const char c = text[i];
        const bool hex = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
        if (!hex)
            return false;
    }
    return true;
}

} // namespace qv
