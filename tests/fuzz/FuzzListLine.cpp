// Lines of the folder listings the file browser reads: an FTP server's LIST
// lines and the unit's own listing lines, and the local names made from the
// names they give. Input: one line (any bytes).
#include "link/FtpClient.h"
#include "link/SerialStorage.h"
#include "link/UnitStorage.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace qv;

namespace {

void CheckEntry(const std::string& line, const FtpEntry& entry) {
    fuzz::Expect(!entry.name.empty(), "a parsed line names its entry");
    fuzz::Expect(line.find(entry.name) != std::string::npos ||
                     entry.name.find(' ') != std::string::npos,
                 "the name comes from the line");
    if (IsSafeRemoteName(entry.name)) {
        fuzz::Expect(entry.name.find('/') == std::string::npos, "a safe name holds no '/'");
        fuzz::Expect(JoinUnitPath("/SD", entry.name).rfind("/SD/", 0) == 0,
                     "a safe name stays in its folder");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    FtpEntry entry;
    if (ParseListLine(line, entry))
        CheckEntry(line, entry);
    if (ParseUnitListingLine(line, entry))
        CheckEntry(line, entry);
    for (const std::string& field : SplitListingLine(line))
        fuzz::Expect(field.find(' ') == std::string::npos, "a field holds no blank");
    return 0;
}
