// The transfer image from the unit, in both of its steps: the block read
// that collects the image from the unit's reply frames, and the image taken
// into the document and read as the program reads it.
// Input: one byte choosing the step. Step 0: the image (cut or padded with
// zeros to its size). Step 1: two bytes of the count to read, then the
// unit's reply frames (each up to its CR).
#include <memory>

#include "document/CodePageText.h"
#include "document/QuorvelDoc.h"
#include "tests/fuzz/DocumentWalk.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/fuzz/ScriptedSession.h"

using namespace qv;

namespace {

void TakeImage(const std::string_view bytes) {
    static CQuorvelDoc doc(kCodePageJapanese);
    auto image = std::make_unique<TransferImage>();
    image->fill(0);
    std::copy_n(bytes.begin(), std::min(bytes.size(), image->size()), image->begin());
    fuzz::Expect(doc.ImageToDoc(*image) == kBlocksSize, "ImageToDoc takes the blocks");
    fuzz::ExpectSameBlocks(doc, image->data());
    fuzz::WalkDocument(doc);
}

void ReadFromUnit(fuzz::InputReader& in, uint8_t choice) {
    uint32_t count = in.Byte();
    count = (count << 8 | in.Byte()) % 2048 + 1;
    fuzz::ScriptedSession s(fuzz::SplitAfter(in.Rest(), '\r'), choice >> 7);
    std::vector<uint8_t> bytes;
    const LinkResult r = s.link->ReadBlock(count, bytes);
    fuzz::Expect(r != 0 || bytes.size() == count, "a block read gives what was asked");
    if (r == 0)
        TakeImage(fuzz::AsText(bytes.data(), bytes.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::InputReader in(data, size);
    const uint8_t choice = in.Byte();
    if (choice % 2 == 0)
        TakeImage(in.Rest());
    else
        ReadFromUnit(in, choice);
    return 0;
}
