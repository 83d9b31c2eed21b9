// Opening a settings file: the bytes become the file, the document opens it,
// and what opened is read as the program reads it.
#include "document/CodePageText.h"
#include "document/QuorvelDoc.h"
#include "tests/fuzz/DocumentWalk.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace qv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fuzz::TempFile file("input.qv");
    static CQuorvelDoc doc(kCodePageJapanese);
    file.Write(data, size);
    const int r = doc.LoadSettingsFile(file.Path());
    fuzz::Expect(r == kFileOk || r == kFileCannotOpen || r == kFileWrongLength ||
                     r == kFileWrongProduct,
                 "LoadSettingsFile result");
    fuzz::Expect(r != kFileOk || size == kImageSize, "only a whole image opens");
    if (r == kFileOk) {
        fuzz::Expect(doc.IsUnmodified(), "an opened file counts as saved");
        fuzz::ExpectSameBlocks(doc, data);
        fuzz::WalkDocument(doc);
    }
    return 0;
}
