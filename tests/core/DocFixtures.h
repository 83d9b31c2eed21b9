// Small fixtures for document tests: a fixed clock and user, a temporary
// folder, and a document with every block filled.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "document/CodePageText.h"
#include "document/QuorvelDoc.h"

namespace qv::test {

class FixedClock : public Clock {
public:
    LocalTime now{2026, 12, 10, 13, 45, 30, 4};
    LocalTime Now() const override { return now; }
};

class FixedUser : public UserNameSource {
public:
    std::string name = "operator";
    std::string LoggedOnUser() const override { return name; }
};

class TempDir {
public:
    TempDir() {
        char tmpl[] = "/tmp/qvtest.XXXXXX";
        const char* p = mkdtemp(tmpl);
        EXPECT_NE(p, nullptr);
        path_ = p ? p : "/tmp";
    }
    ~TempDir() { std::system(("rm -rf '" + path_ + "'").c_str()); }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Every byte of every block holds a value that depends on its block and
// position, so a block moved, dropped or mixed up shows in a comparison.
inline void FillKitchenSink(CQuorvelDoc& doc, unsigned seed = 1) {
    ImageBlocks& b = doc.Blocks();
    for (int i = 0; i < kBlockCount; ++i) {
        const BlockInfo& info = kBlockLayout[i];
        for (size_t k = 0; k < info.size; ++k)
            b.raw()[info.offset + k] = static_cast<uint8_t>((i * 37 + k * 13 + seed) % 251 + 1);
    }
}

} // namespace qv::test
