// Character checks of texts typed into the editors. They look at characters,
// never at bytes; a count larger than the text stops at the text's end.
#pragma once
#include <cstddef>
#include <string>

namespace qv {

// True when count > 0, the text is not empty and each of its first `count`
// characters lies in the function's set.
bool IsHostNameText(const std::wstring& text, size_t count);    // letters, digits, "_.-@"
bool IsMailAddressText(const std::wstring& text, size_t count); // host set plus "<>:"
bool IsPasswordText(const std::wstring& text, size_t count);    // mail set plus "!#$%&()="

// True when none of the first `count` characters of the text is in `set`.
bool ContainsNoneOf(const std::wstring& text, const std::wstring& set, size_t count);

// Number texts: digits, at most one point, a sign only as the first character.
// The empty text passes.
bool IsDecimalText(size_t count, const std::wstring& text);
// The same without a point.
bool IsIntegerText(size_t count, const std::wstring& text);
// True when the text is empty or every byte up to its end or the count is a
// hexadecimal digit (either case).
bool IsHexText(const std::string& text, size_t count);

// The text in upper case, for comparisons that ignore letter case: every
// letter of Unicode (full-width Latin, Greek and Cyrillic included), the same
// whatever the process's locale.
std::wstring UpperCaseText(std::wstring text);

} // namespace qv
