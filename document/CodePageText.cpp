#include "document/CodePageText.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <vector>

namespace qv {

namespace {

const char* IconvName(uint32_t codePage) {
    return codePage == kCodePageChinese ? "CP936" : "CP932";
}

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

} // namespace

bool IsLeadByte(uint32_t codePage, unsigned char b) {
    if (codePage == kCodePageChinese)
        return b >= 0x81 && b <= 0xFE;
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

size_t FitOnCharBoundary(const std::string& text, size_t maxBytes, uint32_t codePage) {
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t len = IsLeadByte(codePage, static_cast<unsigned char>(text[pos])) ? 2 : 1;
        if (pos + len > maxBytes || pos + len > text.size())
            break;
        pos += len;
    }
    return pos;
}

std::optional<std::string> WideToMulti(const std::wstring& text, uint32_t codePage) {
    const std::wstring w = text.substr(0, text.find(L'\0'));
    if (w.empty())
        return std::string();
    Converter conv(IconvName(codePage), "WCHAR_T");
    if (!conv.ok())
        return std::nullopt;
    std::vector<char> out(w.size() * 2 + 8);
    char* in = const_cast<char*>(reinterpret_cast<const char*>(w.data()));
    size_t inLeft = w.size() * sizeof(wchar_t);
    char* dst = out.data();
    size_t outLeft = out.size();
    if (iconv(conv.get(), &in, &inLeft, &dst, &outLeft) == static_cast<size_t>(-1) || inLeft != 0)
        return std::nullopt;
    return std::string(out.data(), out.size() - outLeft);
}

std::wstring MultiToWide(const char* data, size_t maxBytes, uint32_t codePage) {
    const void* nul = std::memchr(data, 0, maxBytes);
    const size_t n = nul ? static_cast<size_t>(static_cast<const char*>(nul) - data) : maxBytes;
    std::wstring result;
    if (n == 0)
        return result;
    Converter conv("WCHAR_T", IconvName(codePage));
    if (!conv.ok())
        return result;
    std::vector<wchar_t> out(n + 1);
    char* in = const_cast<char*>(data);
    size_t inLeft = n;
    while (inLeft > 0) {
        char* dst = reinterpret_cast<char*>(out.data());
        size_t outLeft = out.size() * sizeof(wchar_t);
        const size_t rc = iconv(conv.get(), &in, &inLeft, &dst, &outLeft);
        result.append(out.data(), (out.size() * sizeof(wchar_t) - outLeft) / sizeof(wchar_t));
        if (rc != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG)
            continue;
        // A byte that starts no character (or a character cut at the field's end).
        result += L'\xFFFD';
        const size_t skip =
            IsLeadByte(codePage, static_cast<unsigned char>(*in)) && inLeft >= 2 ? 2 : 1;
        in += skip;
        inLeft -= skip;
        iconv(conv.get(), nullptr, nullptr, nullptr, nullptr);
    }
    return result;
}

std::wstring ReadTextField(const uint8_t* field, size_t width, uint32_t codePage) {
    return MultiToWide(reinterpret_cast<const char*>(field), width, codePage);
}

std::string FieldBytes(const uint8_t* field, size_t width) {
    const void* nul = std::memchr(field, 0, width);
    const size_t n = nul ? static_cast<size_t>(static_cast<const uint8_t*>(nul) - field) : width;
    return std::string(reinterpret_cast<const char*>(field), n);
}

TextStore WriteMultiField(uint8_t* field, size_t width, const std::string& text,
                          uint32_t codePage) {
    const std::string t = text.substr(0, text.find('\0'));
    const size_t n = FitOnCharBoundary(t, width, codePage);
    std::memset(field, 0, width);
    std::memcpy(field, t.data(), n);
    return n == t.size() ? TextStore::Stored : TextStore::Cut;
}

TextStore WriteTextField(uint8_t* field, size_t width, const std::wstring& text,
                         uint32_t codePage) {
    const std::optional<std::string> mb = WideToMulti(text, codePage);
    if (!mb)
        return TextStore::Unrepresentable;
    return WriteMultiField(field, width, *mb, codePage);
}

std::optional<std::string> ShownTextToMulti(const std::string& stored, const std::wstring& shown,
                                            uint32_t codePage) {
    if (MultiToWide(stored, codePage) == shown)
        return stored;
    return WideToMulti(shown, codePage);
}

} // namespace qv
