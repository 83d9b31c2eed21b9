// UTF-8 to wide text and back; the program's wide text is std::wstring.
#pragma once
#include <string>

namespace qv {

// Malformed sequences become U+FFFD.
std::wstring Utf8ToWide(const std::string& utf8);
std::string WideToUtf8(const std::wstring& wide);

} // namespace qv
