// What the system settings dialog decides without windows: the copies it
// takes when it opens and how OK puts the edits into the document.
#pragma once
#include "editors/config/ConfigCopies.h"

namespace qv {

constexpr unsigned kMsgLogFilesShareFolder = 20450;

// The blocks the panes edit, as the document holds them now.
ConfigCopies TakeConfigCopies(const ImageBlocks& blocks, int language);

// Writes into the document each byte the dialog changed (where `edited`
// differs from `opened`, the copies as they were taken); every other byte
// keeps the document's current value, so what another window wrote while
// the dialog was open is not overwritten by a stale copy. Of the file
// table only the decimals byte of each record is the dialog's.
void MergeConfigCopies(const ConfigCopies& opened, const ConfigCopies& edited, ImageBlocks& blocks);

} // namespace qv
