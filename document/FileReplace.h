// Replacing a file's whole content so that it is never seen half written: the
// bytes go to a temporary file in the target's folder, which replaces the
// target only once every byte is on disk.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace qv {

// Points a replacement passes, in order; Wrote once per chunk written.
enum class ReplaceStep { Created, Wrote, Synced, Named, Replaced };

struct ReplaceOptions {
    // An unnamed temporary (O_TMPFILE) where the file system has it; false
    // takes the named temporary that is otherwise the fallback.
    bool unnamedTemporary = true;
    // Called at each step; tests stop or kill the process there.
    std::function<void(ReplaceStep)> onStep;
};

struct ReplaceResult {
    int error = 0;        // 0, or the system error of the failed step
    bool created = false; // the temporary file existed when it failed
};

// Replaces the file at path (through any symbolic links, even a dangling
// last one) with size bytes of data. The replaced file keeps its mode. A file
// whose permission bits deny this user writing is not replaced (EACCES), even
// where the folder would allow it; root is refused only a file without any
// write bit.
ReplaceResult ReplaceFileContents(const std::string& path, const uint8_t* data, size_t size,
                                  const ReplaceOptions& options = {});

// The file path names, following symbolic links in its last part even when
// the last one dangles: 0, or the system error (ELOOP, ENAMETOOLONG, ...).
int ResolveSymbolicLinks(const std::string& path, std::string& target);

// The name of the temporary file beside target: fixed for a target, so a
// save killed midway leaves at most one that the next save removes; short,
// so any name the file system takes can be saved.
std::string TemporaryNameFor(const std::string& target);

} // namespace qv
