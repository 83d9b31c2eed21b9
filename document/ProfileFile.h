// The profile file on disk: whether start-up reads it, and how a write
// replaces it. Parsing the text is the store's; this keeps a file that must
// not be loaded aside rather than letting a write replace it.
#pragma once
#include <cstddef>
#include <string>

#include "document/FileReplace.h"

namespace qv {

// Far beyond any profile the program writes (a few kilobytes): a larger
// file is not read.
constexpr size_t kProfileMaxSize = 1024 * 1024;

// Start-up's message when the profile was too large to read: the profile's
// path, then where the file is kept.
constexpr unsigned kMsgProfileTooLarge = 29120;

// Added to the name of a profile kept aside for its size.
constexpr const char* kTooLargeSuffix = ".too-large";

enum class ProfileFileState {
    Regular,     // a file within the limit: read it
    Missing,     // no file yet: start empty; the first write creates it
    SetAside,    // over the limit, renamed beside itself: start empty
    KeptInPlace, // over the limit and could not be renamed: start empty, never write
    NotAFile,    // a folder, FIFO or device: start empty, never write
    Unreadable,  // it cannot be opened or decoded: start empty, never write over it
};

struct ProfileFileCheck {
    ProfileFileState state = ProfileFileState::Missing;
    unsigned long long size = 0; // of the file found
    // Over the limit: where the file now is (its new name, or its own).
    std::string keptAs;

    bool Readable() const { return state == ProfileFileState::Regular; }
    bool Writable() const {
        return state == ProfileFileState::Regular || state == ProfileFileState::Missing ||
               state == ProfileFileState::SetAside;
    }
    bool TooLarge() const {
        return state == ProfileFileState::SetAside || state == ProfileFileState::KeptInPlace;
    }
};

// Looks at the profile at path (through symbolic links) before it is read;
// one over maxSize bytes is renamed aside here. Where the profile may be
// written, the temporary file a killed write left beside it goes.
ProfileFileCheck CheckProfileFile(const std::string& path, size_t maxSize = kProfileMaxSize);

// Renames file to the first free one of "<file><suffix>", "<file><suffix>.2",
// ... beside it; never replaces anything. The new name, or empty when no
// rename was possible.
std::string RenameAside(const std::string& file, const std::string& suffix);

// Replaces the profile's content in one step, through symbolic links, and
// creates its folder when that is missing. 0 or the system error.
int WriteProfileFile(const std::string& path, const std::string& text,
                     const ReplaceOptions& options = {});

} // namespace qv
