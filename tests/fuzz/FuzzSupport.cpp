#include "tests/fuzz/FuzzSupport.h"

#include <filesystem>
#include <unistd.h>

namespace qv::fuzz {

TempFile::TempFile(const char* name) {
    const char* base = std::getenv("TMPDIR");
    std::string tmpl = std::string(base && *base ? base : "/tmp") + "/qv-fuzz-XXXXXX";
    Expect(::mkdtemp(tmpl.data()) != nullptr, "temporary folder");
    dir_ = tmpl;
    path_ = dir_ + "/" + name;
}

TempFile::~TempFile() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
}

void TempFile::Write(const uint8_t* data, size_t size) const {
    FILE* f = std::fopen(path_.c_str(), "wb");
    Expect(f != nullptr, "temporary file");
    Expect(size == 0 || std::fwrite(data, 1, size, f) == size, "temporary file written");
    Expect(std::fclose(f) == 0, "temporary file closed");
}

} // namespace qv::fuzz
