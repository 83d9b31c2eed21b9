#include "document/TextChecks.h"

#include <algorithm>
#include <clocale>
#include <cwchar>
#include <cwctype>
#include <locale.h>

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

namespace {

// A locale with Unicode's case mapping, independent of the process's own.
locale_t UnicodeCaseLocale() {
    static const locale_t locale = [] {
        for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"})
            if (locale_t l = newlocale(LC_CTYPE_MASK, name, static_cast<locale_t>(nullptr)))
                return l;
        return static_cast<locale_t>(nullptr);
    }();
    return locale;
}

// Without such a locale: the letters the interface code pages hold.
wchar_t UpperCaseFallback(wchar_t c) {
    if ((c >= L'a' && c <= L'z') || (c >= 0xFF41 && c <= 0xFF5A) || (c >= 0x03B1 && c <= 0x03C9 && c != 0x03C2) ||
        (c >= 0x0430 && c <= 0x044F) || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return static_cast<wchar_t>(c - 0x20);
    if (c == 0x03C2) // final sigma
        return 0x03A3;
    if (c >= 0x0450 && c <= 0x045F)
        return static_cast<wchar_t>(c - 0x50);
    return c;
}

} // namespace

std::wstring UpperCaseText(std::wstring text) {
    const locale_t locale = UnicodeCaseLocale();
    for (wchar_t& c : text)
        c = locale ? static_cast<wchar_t>(towupper_l(static_cast<wint_t>(c), locale)) : UpperCaseFallback(c);
    return text;
}

} // namespace qv
