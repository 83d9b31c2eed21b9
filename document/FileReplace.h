// Replacing a file's whole content so that it is never seen half written: the
// bytes go to a temporary file in the target's folder, which replaces the
// target only once every byte is on disk. The settings save and the unit
// file browser's downloads share it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <sys/stat.h>

namespace qv {

// Points a replacement passes, in order; Wrote once per chunk written.
enum class ReplaceStep { Created, Wrote, Synced, Named, Replaced };

struct ReplaceOptions {
    // An unnamed temporary (O_TMPFILE) where the file system has it; false
    // takes the named temporary that is otherwise the fallback.
    bool unnamedTemporary = true;
    // Flushes the bytes to the disk before the file takes the target's name.
    bool sync = true;
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

// One replacement written in pieces. The file at `target` itself is
// replaced: a symbolic link there is replaced, never followed. A new file
// gets the rights any new file of this user gets. Until Commit nothing is
// seen under a name (with an unnamed temporary), and a replacement that
// fails or is dropped removes what it made.
class FileReplacement {
public:
    FileReplacement(std::string target, ReplaceOptions options = {});
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Makes the temporary file; 0 or the system error.
    int Create();
    // 0 or the system error; nothing more is written after a failure.
    int Write(const void* data, size_t size);
    // Gives the file the mode of `keepModeOf` when given, flushes it when
    // the options say so, and moves it over the target.
    int Commit(const struct stat* keepModeOf = nullptr);
    // The temporary exists (created and not yet moved or removed).
    bool Created() const { return fd_ >= 0 || named_; }
    // The first failure, 0 while none.
    int Error() const { return error_; }

private:
    int Fail(int error);
    int RemoveLeftover();
    void Step(ReplaceStep step);

    std::string target_;
    ReplaceOptions options_;
    std::string folder_;
    std::string tempPath_;
    int fd_ = -1;
    int error_ = 0;
    bool named_ = false; // the temporary has a name that must not stay behind
};

// The name of the temporary file beside target: fixed for a target, so a
// replacement killed midway leaves at most one that the next one removes;
// short, so any name the file system takes can be replaced.
std::string TemporaryNameFor(const std::string& target);

} // namespace qv
