// Multibyte text in the interface code page (932 or 936) and the fixed-width
// text fields of the settings image.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace qv {

constexpr uint32_t kCodePageJapanese = 932;
constexpr uint32_t kCodePageChinese = 936;

// The text in the code page; nullopt when a character has no place in it.
std::optional<std::string> WideToMulti(const std::wstring& text, uint32_t codePage);

// Reads at most maxBytes, stopping at the first NUL; bytes that are no
// character of the code page become U+FFFD.
std::wstring MultiToWide(const char* data, size_t maxBytes, uint32_t codePage);
inline std::wstring MultiToWide(const std::string& text, uint32_t codePage) {
    return MultiToWide(text.data(), text.size(), codePage);
}

// True when b starts a double-byte character in the code page.
bool IsLeadByte(uint32_t codePage, unsigned char b);

// The longest prefix of text that fits maxBytes without splitting a character.
size_t FitOnCharBoundary(const std::string& text, size_t maxBytes, uint32_t codePage);

// Fixed-width fields: never read or written past width.
std::wstring ReadTextField(const uint8_t* field, size_t width, uint32_t codePage);

// Shown when a text holds characters the code page cannot hold.
constexpr unsigned kMsgTextNotInCodePage = 29001;

enum class TextStore {
    Stored,          // whole text stored
    Cut,             // stored up to the last character that fits
    Unrepresentable, // the code page cannot hold the text; field left untouched
};
// Writes the text NUL-padded over the whole field.
TextStore WriteTextField(uint8_t* field, size_t width, const std::wstring& text, uint32_t codePage);
// Same for a text already in the code page (ASCII literals, stored names).
TextStore WriteMultiField(uint8_t* field, size_t width, const std::string& text, uint32_t codePage);

// What a dialog stores for a text it showed: the stored bytes when the shown
// text is what they decode to (some code page 932 characters change bytes in
// a decode and encode), else the shown text in the code page; nullopt when
// the code page cannot hold it.
std::optional<std::string> ShownTextToMulti(const std::string& stored, const std::wstring& shown,
                                            uint32_t codePage);

// Text of a field, as bytes up to the first NUL within the width.
std::string FieldBytes(const uint8_t* field, size_t width);

} // namespace qv
