// The status and monitor reads of the status window. Input: one byte
// choosing the read; read 0 decodes the rest as one status frame, the others
// take the rest as the unit's reply frames (each up to its CR).
#include <cstring>

#include "link/UnitTools.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/ScriptedSession.h"

using namespace qv;

namespace {

void DecodeOnly(std::string_view frame) {
    UnitStatusFields out;
    out.StatusWord18 = 0xBEEF;
    const bool ok = DecodeStatusReply(frame, out);
    fuzz::Expect(ok || out.StatusWord18 == 0xBEEF, "a refused status leaves the fields alone");
    fuzz::Expect(!ok || frame.size() >= 22, "a decoded status had every field");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::InputReader in(data, size);
    const uint8_t choice = in.Byte();
    if (choice % 4 == 0) {
        DecodeOnly(in.Rest());
        return 0;
    }
    fuzz::ScriptedSession s(fuzz::SplitAfter(in.Rest(), '\r'), choice >> 7);
    CUnitSession& link = *s.link;
    switch (choice % 4) {
    case 1:
        link.FetchStatus();
        break;
    case 2:
        link.ReadMonitorValues();
        break;
    default:
        link.ReadStatusBlocks();
        fuzz::Expect(std::memchr(link.UnitNameText, 0, sizeof link.UnitNameText) != nullptr,
                     "the unit name ends within its field");
        fuzz::Expect(std::memchr(link.LastWriteUser, 0, sizeof link.LastWriteUser) != nullptr,
                     "the user name ends within its field");
        break;
    }
    return 0;
}
