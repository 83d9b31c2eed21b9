// The document's blocks as the unit's transfer image, and the stamp that goes
// with every write to the unit.
#include <cstring>

#include "document/CodePageText.h"
#include "document/QuorvelDoc.h"
#include "document/Utf8.h"

namespace qv {

size_t CQuorvelDoc::DocToImage(TransferImage& image) const {
    std::memcpy(image.data(), live_->raw(), kBlocksSize);
    UserTable scrambled = live_->users;
    ScrambleUserTable(scrambled);
    std::memcpy(image.data() + kBlockLayout[kBlockUsers].offset, scrambled.data(), UserTable::kSize);
    return kBlocksSize;
}

size_t CQuorvelDoc::ImageToDoc(const TransferImage& image) {
    std::memcpy(live_->raw(), image.data(), kBlocksSize);
    UnscrambleUserTable(live_->users);
    return kBlocksSize;
}

void CQuorvelDoc::StampWriteInfo() {
    const LocalTime t = clock_.Now();
    WriteStampBlock& s = live_->writeStamp;
    PutTimeBytes(s.data() + stamp::kTime, t);
    // The name keeps a terminating NUL inside its field; a name the code page
    // cannot hold leaves the field empty.
    uint8_t* name = s.data() + stamp::kUserName;
    std::memset(name, 0, stamp::kUserNameWidth);
    WriteTextField(name, stamp::kUserNameWidth - 1, Utf8ToWide(user_.LoggedOnUser()), codePage_);
}

} // namespace qv
