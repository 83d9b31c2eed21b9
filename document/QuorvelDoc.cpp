#include "document/QuorvelDoc.h"

#include <cstring>

namespace qv {

// The undo snapshot keeps the whole live image and the saved state: the
// settings wizard resets both (spare blocks included), and a cancelled wizard
// must give back exactly what the user had.
struct CQuorvelDoc::UndoState {
    ImageBlocks live;
    ImageBlocks saved;
};

CQuorvelDoc::CQuorvelDoc(uint32_t codePage, const Clock& clock, const UserNameSource& user)
    : codePage_(codePage), clock_(clock), user_(user), live_(std::make_unique<ImageBlocks>()),
      saved_(std::make_unique<ImageBlocks>()), undo_(std::make_unique<UndoState>()) {
    SetDefaultSettings();
    undo_->live = *live_;
    undo_->saved = *saved_;
}

CQuorvelDoc::~CQuorvelDoc() = default;

void CopyBlocksButSpare64(const ImageBlocks& from, ImageBlocks& to) {
    for (int i = 0; i < kBlockCount; ++i) {
        if (i == kBlockSpare64)
            continue;
        const BlockInfo& b = kBlockLayout[i];
        std::memcpy(to.raw() + b.offset, from.raw() + b.offset, b.size);
    }
}

void CQuorvelDoc::TakeSnapshot(int mode) {
    if (mode == kSnapshotSaved) {
        CopyBlocksButSpare64(*live_, *saved_);
    } else if (mode == kSnapshotUndo) {
        undo_->live = *live_;
        undo_->saved = *saved_;
    }
}

void CQuorvelDoc::RestoreSnapshot() {
    *live_ = undo_->live;
    *saved_ = undo_->saved;
}

bool CQuorvelDoc::IsUnmodified() const {
    // The header is not compared: a save rewrites it without changing the settings.
    for (int i = kBlockUnit; i < kBlockCount; ++i) {
        if (i == kBlockSpare64)
            continue;
        const BlockInfo& b = kBlockLayout[i];
        if (std::memcmp(live_->raw() + b.offset, saved_->raw() + b.offset, b.size) != 0)
            return false;
    }
    return true;
}

void CQuorvelDoc::SetPathName(const std::string& path, bool addToRecent) {
    pathName_ = path;
    if (addToRecent && recent_ && !path.empty())
        recent_->AddRecentFile(path);
}

} // namespace qv
