#include "document/ProfileFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "document/RegularFile.h"

namespace qv {

namespace {

constexpr int kMaxAsideNames = 1000;

// Renames without replacing: where the file system cannot say "only when
// free", a hard link claims the new name and the old one goes.
int RenameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    if (::link(from.c_str(), to.c_str()) != 0)
        return errno;
    if (::unlink(from.c_str()) != 0) {
        const int err = errno;
        ::unlink(to.c_str());
        return err;
    }
    return 0;
}

// Creates the folders of path's parent that are missing.
void MakeParentFolders(const std::string& path) {
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1))
        ::mkdir(path.substr(0, slash).c_str(), 0777);
}

// What is at path, with a file over the limit renamed aside.
ProfileFileCheck Examine(const std::string& path, size_t maxSize) {
    ProfileFileCheck check;
    const RegularFile file(path);
    switch (file.Status()) {
    case RegularFileStatus::NotRegular:
        check.state = ProfileFileState::NotAFile;
        return check;
    case RegularFileStatus::CannotOpen:
        if (file.Error() == ENOENT)
            check.state = ProfileFileState::Missing;
        else if (file.Error() == EISDIR)
            check.state = ProfileFileState::NotAFile;
        else
            check.state = ProfileFileState::Unreadable;
        return check;
    case RegularFileStatus::Ok:
        break;
    }
    check.size = static_cast<unsigned long long>(file.Size());
    if (check.size <= maxSize) {
        check.state = ProfileFileState::Regular;
        return check;
    }
    // The file a link names goes aside, so the link stays and the next
    // write creates a fresh file through it.
    std::string target;
    if (ResolveSymbolicLinks(path, target) != 0)
        target = path;
    check.keptAs = RenameAside(target, kTooLargeSuffix);
    if (check.keptAs.empty()) {
        check.state = ProfileFileState::KeptInPlace;
        check.keptAs = target;
    } else {
        check.state = ProfileFileState::SetAside;
    }
    return check;
}

} // namespace

std::string RenameAside(const std::string& file, const std::string& suffix) {
    for (int n = 1; n <= kMaxAsideNames; ++n) {
        const std::string name = file + suffix + (n == 1 ? "" : "." + std::to_string(n));
        const int err = RenameNoReplace(file, name);
        if (err == 0)
            return name;
        if (err != EEXIST)
            return {};
    }
    return {};
}

ProfileFileCheck CheckProfileFile(const std::string& path, size_t maxSize) {
    ProfileFileCheck check = Examine(path, maxSize);
    // A write killed between naming its temporary file and the rename left
    // it; the profile itself is whole.
    if (check.Writable()) {
        std::string target;
        if (ResolveSymbolicLinks(path, target) == 0) {
            const size_t slash = target.rfind('/');
            const std::string folder =
                slash == std::string::npos ? "" : target.substr(0, slash + 1);
            ::unlink((folder + TemporaryNameFor(target)).c_str());
        }
    }
    return check;
}

int WriteProfileFile(const std::string& path, const std::string& text,
                     const ReplaceOptions& options) {
    const auto* data = reinterpret_cast<const uint8_t*>(text.data());
    ReplaceResult result = ReplaceFileContents(path, data, text.size(), options);
    if (result.error == ENOENT && !result.created) {
        // The first write of a first run: its folder does not exist yet.
        MakeParentFolders(path);
        result = ReplaceFileContents(path, data, text.size(), options);
    }
    return result.error;
}

} // namespace qv
