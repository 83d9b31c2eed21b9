// The number edits of the trigger pages take digits only: what a typed or
// pasted text keeps, and how a text becomes a number without guessing.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace qv {

// True for the characters a number edit takes (the ASCII digits).
bool AcceptsDigitChar(wchar_t c);
// A pasted text with every character the edit does not take left out.
std::wstring KeepDigitChars(const std::wstring& pasted);
// The number of a text that is digits only; nothing for an empty text or a
// text with any other character ("1a", "5 ", "1,000", "-3"). Very long
// digit runs stop at UINT64_MAX rather than wrap.
std::optional<uint64_t> ParseDigitText(const std::wstring& text);

} // namespace qv
