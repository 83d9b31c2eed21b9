// Saving and opening settings files. A save writes a temporary file beside the
// target and renames it over the target only when every byte is on disk; an
// open reads into a scratch image and takes it over only when every check passed.
#include <cerrno>
#include <cstring>
#include <string>

#include "document/FileReplace.h"
#include "document/QuorvelDoc.h"
#include "document/RegularFile.h"

namespace qv {

namespace {

void FillHeader(ImageHeader& h, const LocalTime& t) {
    h.SetAscii(hdr::kProduct, hdr::kProductWidth, hdr::kProductName);
    h.SetAscii(hdr::kVersion, hdr::kVersionWidth, hdr::kVersionText);
    h.SetU32(hdr::kImageSizeField, static_cast<uint32_t>(kImageSize));
    PutTimeBytes(h.data() + hdr::kSaveTime, t);
}

} // namespace

int CQuorvelDoc::SaveSettingsFile(const std::string& path) {
    lastErrno_ = 0;
    // The header and the scrambled recipients go into a scratch image; the
    // document takes the new header only once the file is safely in place.
    ImageHeader header = live_->header;
    FillHeader(header, clock_.Now());
    auto image = std::make_unique<TransferImage>();
    image->fill(0);
    DocToImage(*image);
    std::memcpy(image->data(), header.data(), header.kSize);

    const ReplaceResult saved = ReplaceFileContents(path, image->data(), image->size());
    if (saved.error != 0) {
        lastErrno_ = saved.error;
        return saved.created ? kFileCannotOpen : saved.error;
    }
    live_->header = header;
    TakeSnapshot(kSnapshotSaved);
    SetPathName(path, true);
    return kFileOk;
}

int CQuorvelDoc::LoadSettingsFile(const std::string& path) {
    lastErrno_ = 0;
    RegularFile file(path);
    if (file.Status() == RegularFileStatus::CannotOpen) {
        lastErrno_ = file.Error();
        return kFileCannotOpen;
    }
    // A FIFO or a device is no settings file, whatever it would deliver.
    if (file.Status() == RegularFileStatus::NotRegular ||
        file.Size() != static_cast<off_t>(kImageSize))
        return kFileWrongLength;
    // The bytes after the blocks are not needed; the length was checked above.
    std::unique_ptr<TransferImage> image(new TransferImage);
    if (!file.ReadAll(image->data(), kBlocksSize)) {
        lastErrno_ = errno;
        return kFileCannotOpen;
    }
    // The product name field must hold the name followed by a NUL; the rest of
    // the header (version, size) is not checked.
    const size_t nameLen = std::strlen(hdr::kProductName);
    if (std::memcmp(image->data(), hdr::kProductName, nameLen + 1) != 0)
        return kFileWrongProduct;

    ImageToDoc(*image);
    SetPathName(path, true);
    TakeSnapshot(kSnapshotSaved);
    return kFileOk;
}

} // namespace qv
