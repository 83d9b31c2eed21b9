// Small helpers the fuzz targets share: input cut into parts, a temporary
// file per input, and a check that stops the run with a message.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace qv::fuzz {

// A property the target expects of the parser; a failure is a finding.
inline void Expect(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

inline std::string_view AsText(const uint8_t* data, size_t size) {
    return std::string_view(reinterpret_cast<const char*>(data), size);
}

// Takes bytes from the front of the input; past its end each byte is 0.
class InputReader {
public:
    InputReader(const uint8_t* data, size_t size) : rest_(AsText(data, size)) {}
    uint8_t Byte() {
        if (rest_.empty())
            return 0;
        const uint8_t b = static_cast<uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return b;
    }
    std::string_view Rest() const { return rest_; }

private:
    std::string_view rest_;
};

// The parts of text after each `mark`, the mark kept at a part's end; a
// last part without it is kept as it is.
inline std::vector<std::string> SplitAfter(std::string_view text, char mark) {
    std::vector<std::string> parts;
    while (!text.empty()) {
        const size_t at = text.find(mark);
        const size_t n = at == std::string_view::npos ? text.size() : at + 1;
        parts.emplace_back(text.substr(0, n));
        text.remove_prefix(n);
    }
    return parts;
}

// One file in a private temporary folder, rewritten for every input.
class TempFile {
public:
    explicit TempFile(const char* name);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const std::string& Path() const { return path_; }
    void Write(const uint8_t* data, size_t size) const;

private:
    std::string dir_;
    std::string path_;
};

} // namespace qv::fuzz
