// The unit file service's replies: folder listings, the current folder and
// file contents, read through the whole receive path of the session link.
// Input: one byte choosing the command, then the unit's reply frames (each
// up to its CR).
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/ScriptedSession.h"

using namespace qv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::InputReader in(data, size);
    const uint8_t choice = in.Byte();
    fuzz::ScriptedSession s(fuzz::SplitAfter(in.Rest(), '\r'), choice >> 7);
    CUnitSession& link = *s.link;
    link.MaxFileReadBytes = 1 << 16;
    std::string text, field;
    std::vector<uint8_t> bytes;
    switch (choice % 4) {
    case 0: {
        const LinkResult r = link.ListFolder(text, field);
        fuzz::Expect(r == 0 || (text.empty() && field.empty()), "a failed listing is empty");
        fuzz::Expect(r != 0 || field.size() == 2, "a listing comes with its code-page field");
        fuzz::Expect(text.size() <= CUnitSession::kMaxListingBytes, "listing within its limit");
        break;
    }
    case 1: {
        const LinkResult r = link.GetCurrentFolder(text, field);
        fuzz::Expect(r == 0 || (text.empty() && field.empty()), "a failed folder read is empty");
        fuzz::Expect(text.size() <= CUnitSession::kMaxFileTextChars, "folder within its limit");
        break;
    }
    case 2: {
        const LinkResult r = link.ReadUnitFile("01", "4C4F472E435356", bytes);
        fuzz::Expect(r == 0 || bytes.empty(), "a failed file read gives no bytes");
        fuzz::Expect(bytes.size() <= link.MaxFileReadBytes, "file within its limit");
        break;
    }
    default:
        // The chunked requests judge the unit's acknowledgements.
        link.ChangeFolder(std::string(200, '4'), "01");
        break;
    }
    return 0;
}
